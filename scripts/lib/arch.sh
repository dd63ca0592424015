# Sourced: chooses the Windows build that runs under Wine on this machine.
#
# The shipped programs are the i686 build. Some machines cannot execute
# 32-bit x86 code at all (the kernel refuses it: "Exec format error"), and
# there Wine's 32-bit loader cannot start either; their Wine runs the 64-bit
# twin of the same sources instead, and so does a machine that runs 32-bit
# programs but has no 32-bit Wine, because scripts/install-deps.sh could not
# install it (then KV_ARCH_NOTE says so and why, for the commands to print in
# their first lines). KV_ARCH=i686 or KV_ARCH=x86_64 forces the choice. Sets:
#   KV_ARCH              i686 or x86_64
#   KV_WIN_BUILD         the build of the programs, medium and checks
#   KV_WIN_TOOLCHAIN     its toolchain file
#   KV_TEST_BUILD        the build of the GoogleTest programs and the walk driver
#   KV_TEST_TOOLCHAIN    its toolchain file
#   KV_WINE_LOADER       Wine's loader for that architecture
#   KV_WINEARCH          the prefixes' WINEARCH
#   KV_NT_ENVIRONMENT    the spooler environment of the build's programs on NT
#   KV_ARCH_NOTE         empty, or why the twin runs on a machine that runs 32-bit programs
kv_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# True when this machine executes a 32-bit x86 program: a tiny static one,
# assembled here, that only exits.
kv_runs_32bit() {
  local dir status=1
  dir=$(mktemp -d /tmp/kv-arch.XXXXXX) || return 1
  if printf '.globl _start\n_start:\n movl $1, %%eax\n xorl %%ebx, %%ebx\n int $0x80\n' |
      as --32 -o "$dir/exit.o" - 2>/dev/null &&
      ld -m elf_i386 -o "$dir/exit" "$dir/exit.o" 2>/dev/null; then
    "$dir/exit" 2>/dev/null && status=0
  fi
  rm -rf "$dir"
  return $status
}

if [ -z "${KV_ARCH:-}" ]; then
  KV_ARCH_NOTE=
  if ! kv_runs_32bit; then
    KV_ARCH=x86_64
  elif [ -x /usr/lib/wine/wine ]; then
    KV_ARCH=i686
  else
    KV_ARCH=x86_64
    KV_ARCH_NOTE="this machine runs 32-bit programs, but the 32-bit Wine (wine32:i386) is not installed"
    if [ -s "$kv_root/build/wine32-unavailable" ]; then
      KV_ARCH_NOTE+=" ($(cat "$kv_root/build/wine32-unavailable"))"
    fi
    KV_ARCH_NOTE+="; the Wine steps run the x86_64 twin, so the shipped i686 build goes untested under Wine"
  fi
fi
case $KV_ARCH in
  i686)
    KV_WIN_BUILD=$kv_root/build/win32
    KV_WIN_TOOLCHAIN=$kv_root/cmake/mingw-win32.cmake
    KV_TEST_BUILD=$kv_root/build/wine-tests
    KV_TEST_TOOLCHAIN=$kv_root/cmake/mingw-posix.cmake
    KV_WINE_LOADER=/usr/lib/wine/wine
    KV_WINEARCH=win32
    KV_NT_ENVIRONMENT="Windows NT x86"
    ;;
  x86_64)
    KV_WIN_BUILD=$kv_root/build/win64
    KV_WIN_TOOLCHAIN=$kv_root/cmake/mingw-win64.cmake
    KV_TEST_BUILD=$kv_root/build/wine-tests64
    KV_TEST_TOOLCHAIN=$kv_root/cmake/mingw-posix64.cmake
    KV_WINE_LOADER=/usr/lib/wine/wine64
    KV_WINEARCH=win64
    KV_NT_ENVIRONMENT="Windows x64"
    ;;
  *)
    echo "KV_ARCH=$KV_ARCH is neither i686 nor x86_64" >&2
    return 2 2>/dev/null || exit 2
    ;;
esac
KV_ARCH_NOTE=${KV_ARCH_NOTE:-}
export KV_ARCH KV_WIN_BUILD KV_WIN_TOOLCHAIN KV_TEST_BUILD KV_TEST_TOOLCHAIN KV_WINE_LOADER \
  KV_WINEARCH KV_NT_ENVIRONMENT KV_ARCH_NOTE
