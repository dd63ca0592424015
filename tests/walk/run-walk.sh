#!/bin/bash
# Runs one walk under Wine and Xvfb, headless, in a private prefix:
#   tests/walk/run-walk.sh SCRIPT [NAME=VALUE...]
# walk-driver.exe (the walk folder of the test build of scripts/lib/arch.sh)
# executes the steps of SCRIPT beside the program it starts. ${NAME} in a
# script comes from the environment, as Windows paths where it names a place:
#   WALK_BIN    the walk folder of the Windows build (the walk fixture)
#   WALK_ROOT   the source tree
#   WALK_WORK   a fresh working directory, build/walk/NAME/work, holding
#               fixture.bmp
#   WALK_SHOTS  build/walk/screenshots/NAME, for the screenshot step
# and any NAME=VALUE given here. KV_WINDOWS picks the Windows version
# (default winxp). Needs the walk fixture and the walk driver built
# (scripts/test.sh builds both). Ends with the driver's "walk: N passed, M failed".
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 SCRIPT [NAME=VALUE...]" >&2; exit 2; }
script=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift
name=$(basename "$script" .walk)
source "$root/scripts/lib/builds.sh"
driver=$KV_TEST_BUILD/walk/walk-driver.exe
problem=$("$root/scripts/wine-available.sh") || kv_fail "$problem"
[ -f "$driver" ] || kv_fail "no $driver: cmake --build $KV_TEST_BUILD --target walk-driver"

base=$root/build/walk/$name
shots=$root/build/walk/screenshots/$name
rm -rf "$base" "$shots"
mkdir -p "$base/work" "$shots"
convert -size 40x60 gradient:navy-white "BMP3:$base/work/fixture.bmp"

export WALK_BIN WALK_ROOT WALK_WORK WALK_SHOTS
WALK_BIN=$(windows_path "$KV_WIN_BUILD/walk")
WALK_ROOT=$(windows_path "$root")
WALK_WORK=$(windows_path "$base/work")
WALK_SHOTS=$(windows_path "$shots")
for definition in "$@"; do export "${definition?}"; done

export WINEPREFIX=$base/prefix
"$root/scripts/wine-prefix.sh" "$WINEPREFIX" "${KV_WINDOWS:-winxp}"
source "$root/scripts/wine-env.sh"
status=0
kv_headless 600 wine "$driver" "$(windows_path "$script")" || status=$?
echo "screenshots: $shots"
exit "$status"
