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
source "$root/scripts/lib/builds.sh"
build=$KV_WIN_BUILD
work=$root/build/e2e-uninstall

kv_build_windows medium uninstall-machine || kv_fail "the build failed"
kv_build_tests walk-driver || kv_fail "building the walk driver failed"
medium=$(kv_medium_dir)

rm -rf "$work"
mkdir -p "$work/shots"
cp -a "$medium" "$work/medium"
"$root/scripts/wine-prefix.sh" "$work/prefix" winxp || kv_fail "preparing the Wine prefix failed"
export WINEPREFIX=$work/prefix
source "$root/scripts/wine-env.sh"
export UNINSTALL_DIR UNINSTALL_SHOTS UNINSTALL_LISTED UNINSTALL_LINES
UNINSTALL_DIR=$(windows_path "$work/medium")
UNINSTALL_SHOTS=$(windows_path "$work/shots")
# Wine lists printers and monitors by name (its registry keeps keys sorted);
# Windows lists printers in the order they were added.
UNINSTALL_LISTED="Label|Receipt|Korvant COM Monitor|Korvant USB Monitor|KvRasterProc"
UNINSTALL_LINES=$(printf '%s|' \
  "Please select the printers you want to uninstall." \
  "Deleting printer Label,please wait..." "Label has been deleted." \
  "Deleting Label's driver,please wait..." "The printer driver has been deleted." \
  "Deleting printer Receipt,please wait..." "Receipt has been deleted." \
  "Deleting Receipt's driver,please wait..." "The printer driver has been deleted." \
  "Deleting Korvant COM Monitor,please wait..." "Korvant COM Monitor has been deleted." \
  "Deleting Korvant USB Monitor,please wait..." \
  "KVUSBMON.DLL will be deleted when Windows restarts." \
  "Korvant USB Monitor has been deleted." \
  "Deleting KvRasterProc,please wait..." "KvRasterProc has been deleted.")
UNINSTALL_LINES=${UNINSTALL_LINES%|}

(
  cd "$work/medium" &&
    kv_headless 600 bash -c '
      wine "$1" arrange
      wine "$1" hold &
      holder=$!
      wine "$2" "$3"
      wait "$holder"
      wine "$1" check' e2e "$build/uninstall-wine-check/uninstall-machine.exe" \
      "$KV_TEST_BUILD/walk/walk-driver.exe" "$(windows_path "$root/tests/wine/uninstall/uninstall.walk")"
) 2>&1 | tr -d '\r' | tee "$work.log"

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
