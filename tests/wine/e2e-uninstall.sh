#!/bin/bash
# The real Uninstall.exe under Wine (Windows XP), end to end: a copy of the
# built medium, a machine arranged by uninstall-machine.exe with the family's
# printers, drivers, monitors, processor and USB records beside an unrelated
# printer, driver and monitor, the program walked from another process by
# walk-driver.exe (tests/wine/uninstall/uninstall.walk) while another process
# holds the USB monitor's DLL open, then the machine examined: that DLL stays,
# recorded in the registry for deletion when Windows next starts. Ends with
# "N passed, M failed" over the four parts.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/win32
tests=$root/build/wine-tests
work=$root/build/e2e-uninstall
jobs=${KV_JOBS:-2}

if ! "$root/scripts/wine-available.sh"; then
  echo "Wine cannot run on this machine (it cannot execute 32-bit x86 programs)" >&2
  exit 1
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-win32.cmake" \
    -DCMAKE_BUILD_TYPE=Release || exit 1
fi
cmake --build "$build" -j"$jobs" --target medium uninstall-machine || exit 1
if [ ! -f "$tests/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$tests" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-posix.cmake" \
    -DCMAKE_BUILD_TYPE=Release || exit 1
fi
cmake --build "$tests" -j"$jobs" --target walk-driver || exit 1
medium=$(sed -n 's/^KV_MEDIUM_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")

windows_path() { local path=$1; echo "Z:${path//\//\\}"; }

rm -rf "$work"
mkdir -p "$work/shots"
cp -a "$medium" "$work/medium"
"$root/scripts/wine-prefix.sh" "$work/prefix" winxp || exit 1
export WINEPREFIX=$work/prefix
source "$root/scripts/wine-env.sh"
export UNINSTALL_DIR UNINSTALL_SHOTS UNINSTALL_LISTED UNINSTALL_LINES
UNINSTALL_DIR=$(windows_path "$work/medium")
UNINSTALL_SHOTS=$(windows_path "$work/shots")
UNINSTALL_LISTED="Receipt|Label|Korvant COM Monitor|Korvant USB Monitor|KvRasterProc"
UNINSTALL_LINES=$(printf '%s|' \
  "Please select the printers you want to uninstall." \
  "Deleting printer Receipt,please wait..." "Receipt has been deleted." \
  "Deleting Receipt's driver,please wait..." "The printer driver has been deleted." \
  "Deleting printer Label,please wait..." "Label has been deleted." \
  "Deleting Label's driver,please wait..." "The printer driver has been deleted." \
  "Deleting Korvant COM Monitor,please wait..." "Korvant COM Monitor has been deleted." \
  "Deleting Korvant USB Monitor,please wait..." \
  "C:\\windows\\system32\\KVUSBMON.DLL will be deleted when Windows restarts." \
  "Korvant USB Monitor has been deleted." \
  "Deleting KvRasterProc,please wait..." "KvRasterProc has been deleted.")
UNINSTALL_LINES=${UNINSTALL_LINES%|}

(
  cd "$work/medium" &&
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
      wine "$1" arrange
      wine "$1" hold &
      holder=$!
      wine "$2" "$3"
      wait "$holder"
      wine "$1" check
      wineserver -w' e2e "$build/uninstall-wine-check/uninstall-machine.exe" \
      "$tests/walk/walk-driver.exe" "$(windows_path "$root/tests/wine/uninstall/uninstall.walk")"
) </dev/null 2>&1 | tr -d '\r' | tee "$work.log"

passed=0
failed=0
parts=0
while read -r p f; do
  passed=$((passed + p))
  failed=$((failed + f))
  parts=$((parts + 1))
done < <(sed -nE 's/^(walk: )?([0-9]+) passed, ([0-9]+) failed$/\2 \3/p' "$work.log")
[ "$parts" -eq 4 ] || { echo "only $parts of 4 parts reported"; failed=$((failed + 1)); }
echo "screenshots: $work/shots"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
