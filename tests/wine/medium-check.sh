#!/bin/bash
# Runs a cross-built check program from a scratch copy of the medium under
# Wine, once per Windows version: builds the medium and the check in the
# Windows build of this machine (scripts/lib/arch.sh), copies the medium to a
# scratch folder and runs the check there (the medium folder as current
# directory, the version as its argument) in a private prefix of that version
# under Xvfb. The last line is "N passed, M failed" over all versions.
#   tests/wine/medium-check.sh NAME TARGET SUBDIR "DEFAULT VERSIONS" [PLACE]
# NAME names the scratch folder build/NAME, TARGET the check's CMake target,
# SUBDIR its build folder in that build. PLACE is "medium" (default: the check
# is copied into the medium copy, where it finds the medium by its own path)
# or "build" (it runs from the build, the medium only as current directory).
# KV_WINDOWS overrides the versions.
set -uo pipefail
name=$1
target=$2
subdir=$3
default_versions=$4
place=${5:-medium}
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/checks.sh"
check=$KV_WIN_BUILD/$subdir/$target.exe
work=$root/build/$name

kv_build_windows medium "$target" || kv_fail "the build failed"
for version in ${KV_WINDOWS:-$default_versions}; do
  if [ "$place" = medium ]; then
    kv_medium_copy "$work" "$check" || kv_fail "copying the medium failed"
    program=$target.exe
  else
    kv_medium_copy "$work" || kv_fail "copying the medium failed"
    program=$check
  fi
  kv_prefix "$work/prefix" "$version" || kv_fail "preparing the $version prefix failed"
  # One X server for the check and the installer windows it waits for.
  (cd "$work/medium" && kv_headless 300 wine "$program" "$version") | tr -d '\r' |
    tee "$work-$version.log"
  kv_add_log "$work-$version.log" "${PIPESTATUS[0]}" "$version"
done
kv_totals
