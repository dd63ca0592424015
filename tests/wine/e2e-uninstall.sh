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
source "$root/scripts/lib/checks.sh"
work=$root/build/e2e-uninstall
machine=$KV_WIN_BUILD/uninstall-wine-check/uninstall-machine.exe

kv_build_windows medium uninstall-machine || kv_fail "the build failed"
kv_build_tests walk-driver || kv_fail "building the walk driver failed"
kv_medium_copy "$work" || kv_fail "copying the medium failed"
mkdir -p "$work/shots"
kv_prefix "$work/prefix" winxp || kv_fail "preparing the Wine prefix failed"
kv_walk_places "$work/medium" "$work/shots"
export UNINSTALL_LISTED UNINSTALL_LINES
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

# The holder keeps the USB monitor's DLL open while the walk removes it.
uninstall_walk() {
  local machine=$1 walk=$2 holder
  wine "$machine" arrange
  wine "$machine" hold &
  holder=$!
  kv_walk "$walk"
  wait "$holder"
  wine "$machine" check
}
(cd "$work/medium" &&
  kv_headless 600 uninstall_walk "$machine" "$root/tests/wine/uninstall/uninstall.walk") 2>&1 | tr -d '\r' | tee "$work.log"

parts=0
while read -r p f; do
  kv_add "$p" "$f"
  parts=$((parts + 1))
done < <(kv_counts "$work.log")
[ "$parts" -eq 4 ] || { echo "only $parts of 4 parts reported"; kv_add 0 1; }
echo "screenshots: $work/shots"
kv_totals
