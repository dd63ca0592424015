# Sourced: the Windows builds the Wine checks run, for the architecture
# scripts/lib/arch.sh chose, and the medium they assemble.
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

# kv_medium_copy DIR [FILE...]: DIR/medium, a fresh copy of the assembled
# medium (checks and installations change files on it), with the FILEs in
# it. DIR is emptied first.
kv_medium_copy() {
  local dir=$1 medium
  shift
  medium=$(kv_medium_dir)
  [ -f "$medium/DRVCONFIG/setup.ini" ] || { echo "no assembled medium in '$medium'"; return 1; }
  rm -rf "$dir"
  mkdir -p "$dir"
  cp -a "$medium" "$dir/medium" || return 1
  [ $# -eq 0 ] || cp "$@" "$dir/medium/"
}
