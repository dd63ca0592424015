#!/bin/bash
# The USB printer ID and driver installer operations on the real API under
# Wine, against the medium's stand-ins: builds the medium and
# usb_wine_check.exe in the Windows build of this machine, copies the medium to a scratch
# folder with the check program beside KvUsbInt.dll, and runs it there (the
# medium folder as current directory) in a private Windows XP prefix under
# Xvfb. The last line is "N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/builds.sh"
build=$KV_WIN_BUILD
work=$root/build/e2e-usb

kv_build_windows medium usb_wine_check || kv_fail "the build failed"
medium=$(kv_medium_dir)
[ -f "$medium/KvUsbInt.dll" ] || kv_fail "no assembled medium in '$medium'"

rm -rf "$work"
mkdir -p "$work"
cp -a "$medium" "$work/medium"
cp "$build/usb-wine-check/usb_wine_check.exe" "$work/medium/"
"$root/scripts/wine-prefix.sh" "$work/prefix" winxp || kv_fail "preparing the Wine prefix failed"

# One X server for the check and the installer window it waits for; the
# wineserver ends inside it.
(
  export WINEPREFIX=$work/prefix
  source "$root/scripts/wine-env.sh"
  cd "$work/medium" && kv_headless 300 wine usb_wine_check.exe
) | tr -d '\r' | tee "$work.log"
status=${PIPESTATUS[0]}

summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$work.log" | tail -1)
[ -n "$summary" ] || kv_fail "the check ended without a summary (exit status $status)"
if [ "$status" -ne 0 ] && [[ $summary == *" 0 failed" ]]; then
  kv_fail "the check exited with status $status"
fi
[ "$status" -eq 0 ]
