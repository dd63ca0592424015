#!/bin/bash
# Prints how long the native tests take in the sanitized build, as the test
# command builds it: unit_tests as one process, the whole ctest run on two
# jobs, and the install benchmark's figures (one serial and one USB
# installation, one removal run). A measurement, not a test: it prints figures
# and passes or fails nothing. Wall times on a shared machine vary; the
# benchmark's CPU column varies less.
#   tools/measure-native-tests.sh [RUNS]      (default 3 runs of each)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/native
runs=${1:-3}

cmake -S "$root" -B "$build" -DKV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"${KV_JOBS:-2}" >/dev/null
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 || echo "  (failed: $*)" >&2
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for ((i = 1; i <= runs; i++)); do
  printf 'unit_tests, one process:  %6.2f s\n' "$(seconds "$build/unit_tests")"
done
for ((i = 1; i <= runs; i++)); do
  printf 'ctest -j2, wall:          %6.2f s\n' "$(seconds ctest --test-dir "$build" -j2)"
done
ASAN_OPTIONS=detect_leaks=0 "$build/install_benchmark" --benchmark_repetitions="$runs" \
  --benchmark_report_aggregates_only=true 2>/dev/null
