#!/bin/bash
# Checks the installation medium under Wine: builds the medium and the check
# program in the Windows build of this machine (scripts/lib/arch.sh), copies the medium to a scratch folder
# (the checks change files on it), and runs the checks there in a private
# prefix under Xvfb, once per Windows version in KV_WINDOWS (default
# "winxp win98"). The last line is "N passed, M failed" over all versions.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/builds.sh"
build=$KV_WIN_BUILD
work=$root/build/medium-checks
versions=${KV_WINDOWS:-winxp win98}

kv_build_windows medium medium_checks || kv_fail "the build failed"
medium=$(kv_medium_dir)

passed=0
failed=0
for version in $versions; do
  rm -rf "$work"
  mkdir -p "$work"
  cp -a "$medium" "$work/medium"
  "$root/scripts/wine-prefix.sh" "$work/prefix" "$version" || kv_fail "preparing the $version prefix failed"
  # One X server for the checks and the installer window they wait for; the
  # wineserver ends inside it.
  (
    export WINEPREFIX=$work/prefix
    source "$root/scripts/wine-env.sh"
    cd "$work/medium" && kv_headless 300 wine "$build/tests/medium/medium_checks.exe"
  ) | tr -d '\r' | tee "$work.log"
  status=${PIPESTATUS[0]}
  summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$work.log" | tail -1)
  if [ -z "$summary" ]; then
    echo "$version: the checks ended without a summary (exit status $status)"
    failed=$((failed + 1))
    continue
  fi
  p=${summary%% passed*}
  f=${summary#*passed, }
  f=${f%% failed}
  [ "$status" -ne 0 ] && [ "$f" -eq 0 ] && f=1
  echo "$version: $p passed, $f failed"
  passed=$((passed + p))
  failed=$((failed + f))
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
