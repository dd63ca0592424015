#!/bin/bash
# The installation operations on the real API under Wine, against the
# medium's stand-ins: builds the medium and install_wine_check.exe in the
# win32 cross build, and for each of Windows XP, NT 4.0 and Windows 98 copies
# the medium to a scratch folder with the check beside it and runs it there
# (the medium folder as current directory) in a private prefix of that
# version under Xvfb. The last line is "N passed, M failed" over all three.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/win32
work=$root/build/e2e-install
jobs=${KV_JOBS:-2}
versions=${KV_WINDOWS:-winxp nt40 win98}

fail() {
  echo "$1"
  echo "0 passed, 1 failed"
  exit 1
}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-win32.cmake" \
    -DCMAKE_BUILD_TYPE=Release || fail "configuring the win32 build failed"
fi
cmake --build "$build" -j"$jobs" --target medium install_wine_check || fail "the build failed"
medium=$(sed -n 's/^KV_MEDIUM_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")
[ -f "$medium/DRVCONFIG/setup.ini" ] || fail "no assembled medium in '$medium'"

passed=0
failed=0
for version in $versions; do
  rm -rf "$work"
  mkdir -p "$work"
  cp -a "$medium" "$work/medium"
  cp "$build/install-wine-check/install_wine_check.exe" "$work/medium/"
  "$root/scripts/wine-prefix.sh" "$work/prefix" "$version" || fail "preparing the $version prefix failed"
  (
    export WINEPREFIX=$work/prefix
    source "$root/scripts/wine-env.sh"
    cd "$work/medium" &&
      timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        wine install_wine_check.exe "$1"
        status=$?
        wineserver -w
        exit "$status"' check "$version"
  ) | tr -d '\r' | tee "$work-$version.log"
  status=${PIPESTATUS[0]}
  summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$work-$version.log" | tail -1)
  if [ -z "$summary" ]; then
    echo "$version: the check ended without a summary (exit status $status)"
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
