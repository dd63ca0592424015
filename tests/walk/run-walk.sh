#!/bin/bash
# Runs one walk under Wine and Xvfb, headless, in a private prefix:
#   tests/walk/run-walk.sh SCRIPT [NAME=VALUE...]
# walk-driver.exe (build/wine-tests/walk) executes the steps of SCRIPT beside
# the program it starts. ${NAME} in a script comes from the environment, as
# Windows paths where it names a place:
#   WALK_BIN    build/win32/walk (the walk fixture)
#   WALK_ROOT   the source tree
#   WALK_WORK   a fresh working directory, build/walk/NAME/work, holding
#               fixture.bmp
#   WALK_SHOTS  build/walk/screenshots/NAME, for the screenshot step
# and any NAME=VALUE given here. KV_WINDOWS picks the Windows version
# (default winxp). Needs the win32 and wine-tests builds (scripts/test.sh
# makes both). Ends with the driver's "walk: N passed, M failed".
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 SCRIPT [NAME=VALUE...]" >&2; exit 2; }
script=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift
name=$(basename "$script" .walk)
driver=$root/build/wine-tests/walk/walk-driver.exe
if ! "$root/scripts/wine-available.sh"; then
  echo "Wine cannot run on this machine (it cannot execute 32-bit x86 programs)" >&2
  exit 1
fi
if [ ! -f "$driver" ]; then
  echo "no $driver: cmake --build build/wine-tests --target walk-driver" >&2
  exit 1
fi

windows_path() { local path=$1; echo "Z:${path//\//\\}"; }

base=$root/build/walk/$name
shots=$root/build/walk/screenshots/$name
rm -rf "$base" "$shots"
mkdir -p "$base/work" "$shots"
convert -size 40x60 gradient:navy-white "BMP3:$base/work/fixture.bmp"

export WALK_BIN WALK_ROOT WALK_WORK WALK_SHOTS
WALK_BIN=$(windows_path "$root/build/win32/walk")
WALK_ROOT=$(windows_path "$root")
WALK_WORK=$(windows_path "$base/work")
WALK_SHOTS=$(windows_path "$shots")
for definition in "$@"; do export "${definition?}"; done

export WINEPREFIX=$base/prefix
"$root/scripts/wine-prefix.sh" "$WINEPREFIX" "${KV_WINDOWS:-winxp}"
source "$root/scripts/wine-env.sh"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" \
  sh -c 'wine "$1" "$2"; status=$?; wineserver -w; exit $status' walk "$driver" \
  "$(windows_path "$script")" </dev/null || status=$?
echo "screenshots: $shots"
exit "$status"
