#!/bin/bash
# Runs a cross-built check program from a scratch copy of the medium under
# Wine, once per Windows version: builds the medium and the check in the
# Windows build of this machine (scripts/lib/arch.sh), copies the medium to a scratch folder with the check beside it
# and runs it there (the medium folder as current directory, the version as
# its argument) in a private prefix of that version under Xvfb. The last line
# is "N passed, M failed" over all versions.
#   tests/wine/medium-check.sh NAME TARGET SUBDIR "DEFAULT VERSIONS"
# NAME names the scratch folder, TARGET the check's CMake target, SUBDIR its
# build folder in that build; KV_WINDOWS overrides the versions.
name=$1
target=$2
subdir=$3
default_versions=$4
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/builds.sh"
build=$KV_WIN_BUILD
work=$root/build/$name
versions=${KV_WINDOWS:-$default_versions}

kv_build_windows medium "$target" || kv_fail "the build failed"
medium=$(kv_medium_dir)
[ -f "$medium/DRVCONFIG/setup.ini" ] || kv_fail "no assembled medium in '$medium'"

passed=0
failed=0
for version in $versions; do
  rm -rf "$work"
  mkdir -p "$work"
  cp -a "$medium" "$work/medium"
  cp "$build/$subdir/$target.exe" "$work/medium/"
  "$root/scripts/wine-prefix.sh" "$work/prefix" "$version" || kv_fail "preparing the $version prefix failed"
  (
    export WINEPREFIX=$work/prefix
    source "$root/scripts/wine-env.sh"
    cd "$work/medium" && kv_headless 300 wine "$target.exe" "$version"
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
