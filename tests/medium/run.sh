#!/bin/bash
# Checks the installation medium under Wine: builds the medium and the check
# program in the win32 cross build, copies the medium to a scratch folder
# (the checks change files on it), and runs the checks there in a private
# prefix under Xvfb, once per Windows version in KV_WINDOWS (default
# "winxp win98"). The last line is "N passed, M failed" over all versions.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/win32
work=$root/build/medium-checks
jobs=${KV_JOBS:-2}
versions=${KV_WINDOWS:-winxp win98}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-win32.cmake" \
    -DCMAKE_BUILD_TYPE=Release || exit 1
fi
cmake --build "$build" -j"$jobs" --target medium medium_checks || exit 1
medium=$(sed -n 's/^KV_MEDIUM_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")

passed=0
failed=0
for version in $versions; do
  rm -rf "$work"
  mkdir -p "$work"
  cp -a "$medium" "$work/medium"
  "$root/scripts/wine-prefix.sh" "$work/prefix" "$version" || exit 1
  # One X server for the checks and the installer window they wait for; the
  # wineserver ends inside it.
  (
    export WINEPREFIX=$work/prefix
    source "$root/scripts/wine-env.sh"
    cd "$work/medium" &&
      xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        wine "$1"
        status=$?
        wineserver -w
        exit "$status"' checks "$build/tests/medium/medium_checks.exe"
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
