# Sourced: the Windows builds the Wine checks run, for the architecture
# scripts/lib/arch.sh chose, and helpers every Wine script shares.
source "$(dirname "${BASH_SOURCE[0]}")/arch.sh"

# kv_build DIR TOOLCHAIN TARGET...: configures DIR when it has no cache yet,
# then builds the targets (quietly; the output is shown when it fails).
kv_build() {
  local dir=$1 toolchain=$2 log
  shift 2
  log=$(mktemp)
  if [ ! -f "$dir/CMakeCache.txt" ] &&
      ! cmake -S "$kv_root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    echo "configuring $dir failed"
    return 1
  fi
  if ! cmake --build "$dir" -j"${KV_JOBS:-2}" --target "$@" >"$log" 2>&1; then
    tail -n 40 "$log"
    rm -f "$log"
    echo "building $* in $dir failed"
    return 1
  fi
  rm -f "$log"
}

# The programs, the medium and the checks of this architecture.
kv_build_windows() { kv_build "$KV_WIN_BUILD" "$KV_WIN_TOOLCHAIN" "$@"; }
# The GoogleTest programs and the walk driver of this architecture.
kv_build_tests() { kv_build "$KV_TEST_BUILD" "$KV_TEST_TOOLCHAIN" "$@"; }

# Where the windows build assembles the medium.
kv_medium_dir() { sed -n 's/^KV_MEDIUM_DIR:[A-Z]*=//p' "$KV_WIN_BUILD/CMakeCache.txt"; }

# A Unix path as Wine's Z: drive shows it.
windows_path() { local path=$1; echo "Z:${path//\//\\}"; }

# kv_headless SECONDS COMMAND...: runs COMMAND (with Wine programs in it) under
# its own Xvfb for at most SECONDS, and waits for the prefix's wineserver
# before the display goes.
kv_headless() {
  local seconds=$1
  shift
  timeout "$seconds" xvfb-run -a -s "-screen 0 1024x768x24" \
    bash -c '"$@"; status=$?; wineserver -w; exit $status' headless "$@" </dev/null
}

# kv_fail MESSAGE: a check that cannot run fails with its reason.
kv_fail() {
  echo "$1"
  echo "0 passed, 1 failed"
  exit 1
}
