#!/bin/bash
# Installs what the builds and tests need on a fresh Debian 12 machine, when
# it is missing, all from Debian 12 itself. Needs root (apt-get).
# Wine: the 64-bit loader always; the 32-bit one (wine32, an i386 package)
# only where this machine executes 32-bit programs, since elsewhere it cannot
# start.
#
# A mirror caught mid-sync fails `apt-get update` for one of its indexes while
# every package the project needs can still be installed, so a failed update
# is tried once more and then only warned about. A package that cannot be
# installed fails the run with its name, except wine32: without it the Wine
# steps run the x86_64 twin (scripts/lib/arch.sh says so and why), and the
# reason is kept in build/wine32-unavailable for it.
set -euo pipefail
source "$(dirname "$0")/lib/arch.sh"
reason_file=$kv_root/build/wine32-unavailable

have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
need=()
for pkg in cmake g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev clang-format \
           g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 \
           binutils-mingw-w64-x86-64 fp-utils xvfb xauth imagemagick zip wine wine64; do
  have "$pkg" || need+=("$pkg")
done
want_wine32=0
if kv_runs_32bit && ! have wine32:i386; then want_wine32=1; fi
if have wine32:i386; then rm -f "$reason_file"; fi

[ ${#need[@]} -eq 0 ] && [ $want_wine32 -eq 0 ] && exit 0
export DEBIAN_FRONTEND=noninteractive
if [ $want_wine32 -eq 1 ]; then dpkg --add-architecture i386; fi

update() { apt-get update -qq 2>&1 | grep -E '^(E|W):' | head -n 5; return "${PIPESTATUS[0]}"; }
if ! update >/tmp/kv-apt-update.$$; then
  sleep 5
  if ! update >/tmp/kv-apt-update.$$; then
    echo "install-deps: warning: 'apt-get update' failed twice; installing from the indexes it could read:"
    sed 's/^/install-deps:   /' /tmp/kv-apt-update.$$
  fi
fi
rm -f /tmp/kv-apt-update.$$

# The packages apt cannot install, each named with apt's first complaint.
uninstallable() {
  local pkg
  for pkg in "$@"; do
    apt-get install -s -qq "$pkg" >/dev/null 2>&1 || echo "$pkg"
  done
}

if [ ${#need[@]} -ne 0 ] && ! apt-get install -y -qq "${need[@]}" >/tmp/kv-apt.$$ 2>&1; then
  tail -n 20 /tmp/kv-apt.$$
  rm -f /tmp/kv-apt.$$
  missing=$(uninstallable "${need[@]}" | tr '\n' ' ')
  echo "install-deps: these packages cannot be installed: ${missing:-(apt named none; see above)}"
  exit 1
fi
rm -f /tmp/kv-apt.$$

if [ $want_wine32 -eq 1 ]; then
  if apt-get install -y -qq wine32:i386 >/tmp/kv-apt.$$ 2>&1; then
    rm -f "$reason_file"
  else
    mkdir -p "$(dirname "$reason_file")"
    # apt's first unmet dependency says why; with an index missing, that is
    # usually an i386 library whose amd64 twin came from the missing index.
    apt-get install -s wine32:i386 >/tmp/kv-apt-why.$$ 2>&1 || true
    { grep -m 1 ':i386 : Depends:' /tmp/kv-apt-why.$$ || tail -n 1 /tmp/kv-apt.$$; } |
      sed 's/^ *//; s/  */ /g' >"$reason_file"
    rm -f /tmp/kv-apt-why.$$
    echo "install-deps: warning: the 32-bit Wine (wine32:i386) cannot be installed: $(cat "$reason_file")"
  fi
  rm -f /tmp/kv-apt.$$
fi
