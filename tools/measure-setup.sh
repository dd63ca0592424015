#!/bin/bash
# Prints setup.exe's size and its start-up time under Wine (from the launch
# until the wizard window is visible) next to the same figures for a minimal
# dialog program built with the same compiler and flags. A measurement, not a
# test: it prints figures and passes or fails nothing.
#   tools/measure-setup.sh [RUNS]      (default 5 starts of each)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/checks.sh"
build=$KV_WIN_BUILD
work=$root/build/measure-setup
runs=${1:-5}

kv_build_windows medium minimal-dialog launch-timer
printf '%-16s %12s\n' "setup.exe ($KV_ARCH)" "$(stat -c %s "$build/apps/setup/setup.exe") bytes"
printf '%-16s %12s\n' minimal-dialog "$(stat -c %s "$build/apps/setup/minimal-dialog.exe") bytes"
if ! problem=$("$root/scripts/wine-available.sh"); then
  echo "$problem: no start-up times." >&2
  exit 1
fi
kv_medium_copy "$work" "$build/apps/setup/minimal-dialog.exe" \
  "$build/setup-wine-check/launch-timer.exe"
kv_prefix "$work/prefix" winxp >/dev/null

time_starts() {
  local runs=$1
  # One start first, so that both programs meet a running wineserver.
  wine launch-timer.exe 1 "Minimal Dialog" minimal-dialog.exe >/dev/null
  wine launch-timer.exe "$runs" "Printer Driver Setup" setup.exe >setup.times
  wine launch-timer.exe "$runs" "Minimal Dialog" minimal-dialog.exe >minimal.times
}
cd "$work/medium"
kv_headless 900 time_starts "$runs"

median() { tr -d '\r' <"$1" | sed -n 's/^launch-ms=//p' | sort -n | awk '{a[NR]=$1} END {print (NR ? a[int((NR+1)/2)] : "none")}'; }
all() { tr -d '\r' <"$1" | sed -n 's/^launch-ms=//p' | paste -sd' '; }
printf '%-16s %12s %22s   %s\n' program "size (bytes)" "launch to window (ms)" "all runs (ms)"
printf '%-16s %12s %22s   %s\n' setup.exe "$(stat -c %s setup.exe)" "$(median setup.times)" "$(all setup.times)"
printf '%-16s %12s %22s   %s\n' minimal-dialog "$(stat -c %s minimal-dialog.exe)" \
  "$(median minimal.times)" "$(all minimal.times)"
echo "(median of $runs starts each, Wine $(wine --version 2>/dev/null | tr -d '\r'), Windows XP prefix, Xvfb, $KV_ARCH build)"
