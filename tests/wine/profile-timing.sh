#!/bin/bash
# Times the configuration reader on a generated 1,000-model configuration and
# prints the figures of one run: first natively, config_benchmark (an
# optimised build without sanitizers, on the simulated machine) with the
# reader's parse throughput; then under Wine, profile-timing.exe (win32
# build) against GetPrivateProfileStringA for each read path: the device
# list and one model's definitions, each from unparsed and from parsed files.
# Builds both programs first (configuring BENCH-DIR when new). Run by hand;
# not part of scripts/test.sh.
#   tests/wine/profile-timing.sh [BUILD-DIR [BENCH-DIR]]
#     (default: the Windows build of scripts/lib/arch.sh and build/bench)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/checks.sh"
build=${1:-$KV_WIN_BUILD}
bench=${2:-$root/build/bench}
program=$build/profile-timing.exe
kv_scratch profile-timing
work=$kv_scratch_dir

# Builds one target quietly; shows the build's output when it fails.
build_target() {
  local dir=$1 target=$2
  cmake --build "$dir" --target "$target" -j"${KV_JOBS:-2}" >"$work/build.log" 2>&1 ||
    { tail -n 30 "$work/build.log"; return 1; }
}

status=0
echo "== natively: config_benchmark ($bench)"
if [ ! -f "$bench/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$bench" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Wno-restrict \
    >"$work/configure.log" 2>&1 || tail -n 30 "$work/configure.log"
fi
if build_target "$bench" config_benchmark; then
  "$bench/config_benchmark" --benchmark_format=csv 2>/dev/null >"$work/bench.csv"
  # name,iterations,real_time,cpu_time,time_unit,bytes_per_second,...
  awk -F, 'NR > 1 && $1 != "" {
      gsub(/"/, "", $1)
      line = sprintf("%-28s real %9.3f %s, cpu %9.3f %s", $1, $3, $5, $4, $5)
      if ($6 != "") line = line sprintf(", %7.1f MB/s of cpu time", $6 / 1e6)
      print line
    }' "$work/bench.csv"
  [ -s "$work/bench.csv" ] || { echo "config_benchmark gave no figures"; status=1; }
else
  echo "config_benchmark not built (needs libbenchmark-dev)"
  status=1
fi

echo "== under Wine: profile-timing.exe ($build, $KV_ARCH)"
if ! problem=$("$root/scripts/wine-available.sh"); then
  echo "$problem: the reader is not timed against GetPrivateProfileStringA here"
  exit 1
fi
kv_build_windows profile-timing || exit 1
kv_prefix "$work/prefix" winxp || { echo "Wine prefix not prepared"; exit 1; }
mkdir -p "$WINEPREFIX/drive_c/timing"
cp "$program" "$WINEPREFIX/drive_c/timing/"
wine 'C:\timing\profile-timing.exe' | tr -d '\r'
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
wineserver -w
exit "$status"
