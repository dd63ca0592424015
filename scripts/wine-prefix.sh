#!/bin/bash
# Prepares a private Wine prefix for a headless test or demo run.
#   scripts/wine-prefix.sh PREFIX [VERSION]
# VERSION is the Windows version Wine reports (win98, nt40, win2k, winxp,
# win2003, vista, win7); default winxp. The prefix has the architecture of
# scripts/lib/arch.sh. A booted template under build/wine-template-ARCH is
# copied, which is much faster than booting a new prefix.
set -euo pipefail
prefix=$1
version=${2:-winxp}
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/wine.sh"
template=$root/build/wine-template-$KV_ARCH

case $version in
  win98 | win95 | nt40 | win2k | winxp | win2003 | vista | win7 | win8 | win10) ;;
  *) echo "wine-prefix: unknown Windows version $version" >&2; exit 2 ;;
esac

boot() {
  local target=$1
  rm -rf "$target"
  mkdir -p "$(dirname "$target")"
  WINEPREFIX=$target wine wineboot -i >/dev/null 2>&1
  # Without a window manager every hidden window otherwise waits 2 s.
  WINEPREFIX=$target wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # A crash must end the run, not open the debugger dialog.
  WINEPREFIX=$target wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  WINEPREFIX=$target wineserver -w
  if [ ! -f "$target/system.reg" ] || ! grep -q '"Managed"="N"' "$target/user.reg" 2>/dev/null; then
    echo "wine-prefix: booting a prefix in $target failed" >&2
    exit 1
  fi
}

mkdir -p "$(dirname "$template")"
(
  # One template, however many runs prepare prefixes at once.
  flock 9
  if [ ! -f "$template/system.reg" ]; then
    boot "$template.tmp"
    rm -rf "$template"
    mv "$template.tmp" "$template"
  fi
) 9>"$template.lock"

rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
cp -a "$template" "$prefix"
# The value winecfg -v writes. Set directly: Wine's 64-bit winecfg refuses the
# versions that had no 64-bit edition (win98, nt40, win2k, winxp), while the
# value itself is honoured by 64-bit processes too.
WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
WINEPREFIX=$prefix wineserver -w
