#!/bin/bash
# Times the configuration reader against GetPrivateProfileStringA under Wine on
# a generated 1,000-model configuration: runs profile-timing.exe (built in the
# win32 build) in a private prefix and prints its figures. Run by hand; not
# part of scripts/test.sh.
#   tests/wine/profile-timing.sh [BUILD-DIR]     (default: build/win32)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/win32}
program=$build/profile-timing.exe
work=$(mktemp -d /tmp/kv-profile-timing.XXXXXX)

source "$root/scripts/wine-env.sh"
unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX=$work/prefix

cleanup() {
  [ -d "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

if [ ! -f "$program" ]; then
  echo "missing $program (cmake --build build/win32 --target profile-timing)"
  exit 1
fi
"$root/scripts/wine-prefix.sh" "$WINEPREFIX" winxp || { echo "Wine prefix not prepared"; exit 1; }
mkdir -p "$WINEPREFIX/drive_c/timing"
cp "$program" "$WINEPREFIX/drive_c/timing/"
wine 'C:\timing\profile-timing.exe' | tr -d '\r'
status=${PIPESTATUS[0]}
wineserver -w
exit "$status"
