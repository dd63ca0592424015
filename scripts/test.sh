#!/bin/bash
# Runs every test: the unit and contract tests on the simulated machine (with
# AddressSanitizer and UBSan), the shipped i686 cross build with its import
# check, and under Wine (the i686 build, or its x86_64 twin where this machine
# cannot run 32-bit programs) the contract tests on the real API, the
# platform probe under every Windows version Wine can pretend to be, the
# installation medium's checks and the end-to-end checks of both programs.
# Installs what it needs first. Ends with "N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${KV_JOBS:-2}

source scripts/lib/counts.sh
failures=()

# Runs one step into its log and adds its counts: ctest's summary or a
# "N passed, M failed" line, the last of them. Says how long it took.
step() {
  local name=$1 started=$SECONDS
  shift
  local log=build/logs/$name.log
  echo "== $name"
  "$@" >"$log" 2>&1
  local status=$?
  tail -n 25 "$log"
  kv_add_log "$log" "$status" "== $name" || { failures+=("$name"); status=1; }
  times+=("$(printf '%5d s  %s' $((SECONDS - started)) "$name")")
  return "$status"
}
times=()

scripts/install-deps.sh || { echo "installing the dependencies failed"; exit 1; }
mkdir -p build/logs

# The Wine steps run the i686 build where this machine executes 32-bit
# programs and its x86_64 twin where it cannot (scripts/lib/arch.sh). Where
# Wine cannot run at all, each of them fails with the reason.
source scripts/lib/builds.sh
echo "== Wine runs the $KV_ARCH build here${KV_ARCH_NOTE:+: $KV_ARCH_NOTE}"
wine_problem=$(scripts/wine-available.sh)

# The Wine prefixes under build/ that a step prepared or used (the shared
# template aside): removed when the step passed, named when it failed.
prefixes_since() {
  find build -name system.reg -newer "$1" -not -path '*/wine-template-*' -printf '%h\n' 2>/dev/null
}

# A step that runs programs under Wine.
wine_step() {
  if [ -z "$wine_problem" ]; then
    local stamp=build/logs/.$1.started
    touch "$stamp"
    if step "$@"; then
      prefixes_since "$stamp" | xargs -r rm -rf
    else
      prefixes_since "$stamp" | sed "s|^|== $1 kept its prefix |"
    fi
    rm -f "$stamp"
  else
    kv_add 0 1
    failures+=("$1")
    echo "== $1: 0 passed, 1 failed ($wine_problem)"
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
  kv_build "$root/build/win32" "$root/cmake/mingw-win32.cmake" all &&
    ctest --test-dir build/win32 --output-on-failure
}
step cross-build-and-imports cross

# The x86_64 twin that Wine runs here: the same sources, built with warnings
# as errors (its checks run in the Wine steps).
if [ "$KV_ARCH" = x86_64 ]; then
  twin() {
    kv_build_windows all && echo "twin: 1 passed, 0 failed"
  }
  step cross-build-x86_64 twin
fi

wine_contract() {
  export KV_WINEPREFIX=$root/build/wine/contract-$KV_ARCH
  scripts/wine-prefix.sh "$KV_WINEPREFIX" winxp &&
    kv_build_tests all &&
    ctest --test-dir "$KV_TEST_BUILD" --output-on-failure
}
wine_step wine-contract wine_contract

# The dialog fixture walked from another process.
walk_fixture() {
  kv_build_windows walk-fixture && kv_build_tests walk-driver &&
    tests/walk/run-walk.sh tests/walk/fixture.walk
}
wine_step walk-fixture walk_fixture

probe() {
  kv_build_windows platform-probe version_fixture && tests/wine/probe-check.sh "$KV_WIN_BUILD"
}
wine_step wine-probe probe
profile_compare() {
  kv_build_windows profile-compare && tests/wine/profile-compare.sh "$KV_WIN_BUILD"
}
wine_step wine-profile-compare profile_compare
wine_step medium tests/medium/run.sh
for script in tests/wine/e2e-*.sh; do
  wine_step "$(basename "$script" .sh)" "$script"
done

echo
printf '%s\n' "${times[@]}"
printf '%5d s  total\n' "$SECONDS"
echo "left on disk: $(du -sh build 2>/dev/null | cut -f1) in build/"
[ -n "$KV_ARCH_NOTE" ] && echo "note: $KV_ARCH_NOTE"
[ ${#failures[@]} -ne 0 ] && echo "failed steps: ${failures[*]}"
kv_totals
