#!/bin/bash
# Runs every test: the unit and contract tests on the simulated machine (with
# AddressSanitizer and UBSan), the cross build with its import check, the
# contract tests on the real API under Wine, the platform probe under every
# Windows version Wine can pretend to be, and the installation medium's
# checks. Installs what it needs first. Ends with "N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${KV_JOBS:-2}

passed=0
failed=0
skipped=0
failures=()

# Adds the counts of one step from its log: ctest's summary or a
# "N passed, M failed" line.
count() {
  local step=$1 log=$2 status=$3
  local line p f
  line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
  if [ -n "$line" ]; then
    f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    p=$(( $(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line") - f ))
  else
    line=$(grep -E '^([A-Za-z]+: )?[0-9]+ passed, [0-9]+ failed' "$log" | tail -1)
    if [ -n "$line" ]; then
      p=$(sed -E 's/^([A-Za-z]+: )?([0-9]+) passed.*/\2/' <<<"$line")
      f=$(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$line")
    else
      p=0
      f=1
    fi
  fi
  [ "$status" -ne 0 ] && [ "$f" -eq 0 ] && f=1
  passed=$((passed + p))
  failed=$((failed + f))
  [ "$f" -ne 0 ] && failures+=("$step")
  echo "== $step: $p passed, $f failed"
}

step() {
  local name=$1
  shift
  local log=build/logs/$name.log
  echo "== $name"
  "$@" >"$log" 2>&1
  local status=$?
  tail -n 25 "$log"
  count "$name" "$log" "$status"
}

scripts/install-deps.sh || { echo "installing the dependencies failed"; exit 1; }
mkdir -p build/logs

# Where Wine cannot run (scripts/wine-available.sh), every step that runs a
# program under Wine is reported as skipped, never as passed.
wine_runs=1
if ! scripts/wine-available.sh; then
  wine_runs=0
  echo "== Wine cannot run on this machine (it cannot execute 32-bit x86 programs):"
  echo "   the steps under Wine are skipped"
fi

# A step that runs programs under Wine.
wine_step() {
  if [ "$wine_runs" -eq 1 ]; then
    step "$@"
  else
    skipped=$((skipped + 1))
    echo "== $1: skipped (no Wine on this machine)"
  fi
}

step format tools/check-format.sh

# Each GoogleTest program is one ctest test, so ctest's summary counts
# programs; it is shown as "ctest: ..." and the step counts the cases instead
# (tools/count-test-cases.sh, from the programs' XML reports).
native() {
  local results=build/native/test-results junit=build/native/ctest-junit.xml status=0
  cmake -S . -B build/native -DKV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug &&
    cmake --build build/native -j"$jobs" || return 1
  rm -rf "$results" "$junit"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/native -j"$jobs" --output-on-failure --output-junit "$PWD/$junit" |
    sed -E 's/^([0-9]+% tests passed)/ctest: \1/' || status=1
  tools/count-test-cases.sh "$junit" "$results" || status=1
  return "$status"
}
step native-unit-and-contract native

cross() {
  cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-win32.cmake \
      -DCMAKE_BUILD_TYPE=Release &&
    cmake --build build/win32 -j"$jobs" &&
    ctest --test-dir build/win32 --output-on-failure
}
step cross-build-and-imports cross

wine_contract() {
  export KV_WINEPREFIX=$root/build/wine/contract
  scripts/wine-prefix.sh "$KV_WINEPREFIX" winxp &&
    cmake -S . -B build/wine-tests -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-posix.cmake \
        -DCMAKE_BUILD_TYPE=Release &&
    cmake --build build/wine-tests -j"$jobs" &&
    ctest --test-dir build/wine-tests --output-on-failure
}
wine_step wine-contract wine_contract

# The dialog fixture walked from another process (needs both cross builds).
walk_fixture() {
  cmake --build build/win32 --target walk-fixture -j"$jobs" &&
    cmake --build build/wine-tests --target walk-driver -j"$jobs" &&
    tests/walk/run-walk.sh tests/walk/fixture.walk
}
wine_step walk-fixture walk_fixture

if [ -x tests/wine/probe-check.sh ]; then
  wine_step wine-probe tests/wine/probe-check.sh
fi
wine_step wine-profile-compare tests/wine/profile-compare.sh
if [ -x tests/medium/run.sh ]; then
  wine_step medium tests/medium/run.sh
fi
for script in tests/wine/e2e-*.sh; do
  [ -x "$script" ] && wine_step "$(basename "$script" .sh)" "$script"
done

echo
[ ${#failures[@]} -ne 0 ] && echo "failed steps: ${failures[*]}"
[ "$skipped" -ne 0 ] && echo "steps skipped: $skipped (Wine cannot run on this machine)"
if [ "$skipped" -ne 0 ]; then
  echo "$passed passed, $failed failed, $skipped skipped"
else
  echo "$passed passed, $failed failed"
fi
[ "$failed" -eq 0 ]
