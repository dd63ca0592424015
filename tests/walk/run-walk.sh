#!/bin/bash
# Runs one walk under Wine and Xvfb, headless, in a private prefix:
#   tests/walk/run-walk.sh SCRIPT [NAME=VALUE...]
# walk-driver.exe (the walk folder of the test build of scripts/lib/arch.sh)
# executes the steps of SCRIPT beside the program it starts. ${NAME} in a
# script comes from the environment, as Windows paths where it names a place:
#   WALK_BIN    the walk folder of the Windows build (the walk fixture)
#   WALK_ROOT   the source tree (the walks read the ids headers from it)
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
source "$root/scripts/lib/checks.sh"
problem=$("$root/scripts/wine-available.sh") || kv_fail "$problem"
[ -f "$KV_TEST_BUILD/walk/walk-driver.exe" ] ||
  kv_fail "no walk driver: cmake --build $KV_TEST_BUILD --target walk-driver"

base=$root/build/walk/$name
shots=$root/build/walk/screenshots/$name
rm -rf "$base" "$shots"
mkdir -p "$base/work" "$shots"
convert -size 40x60 gradient:navy-white "BMP3:$base/work/fixture.bmp"

kv_walk_places "$base/work" "$shots"
export WALK_BIN WALK_WORK=$WALK_MEDIUM
WALK_BIN=$(windows_path "$KV_WIN_BUILD/walk")
for definition in "$@"; do export "${definition?}"; done

kv_prefix "$base/prefix" "${KV_WINDOWS:-winxp}" || kv_fail "preparing the Wine prefix failed"
status=0
kv_headless 600 kv_walk "$script" || status=$?
echo "screenshots: $shots"
exit "$status"
