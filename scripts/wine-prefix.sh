#!/bin/bash
# Prepares a private Wine prefix for a headless test or demo run.
#   scripts/wine-prefix.sh PREFIX [VERSION]
# VERSION is a winecfg -v name (win98, nt40, win2k, winxp, win2003, vista,
# win7); default winxp. A booted template under build/wine-template is copied
# when present, which is much faster than booting a new prefix.
set -euo pipefail
prefix=$1
version=${2:-winxp}
root=$(cd "$(dirname "$0")/.." && pwd)
template=$root/build/wine-template

source "$root/scripts/wine-env.sh"

boot() {
  local target=$1
  rm -rf "$target"
  mkdir -p "$(dirname "$target")"
  WINEPREFIX=$target wineboot -i >/dev/null 2>&1
  # Without a window manager every hidden window otherwise waits 2 s.
  WINEPREFIX=$target wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # A crash must end the run, not open the debugger dialog.
  WINEPREFIX=$target wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  WINEPREFIX=$target wineserver -w
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
WINEPREFIX=$prefix winecfg -v "$version" >/dev/null 2>&1
WINEPREFIX=$prefix wineserver -w
