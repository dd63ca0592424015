#!/bin/bash
# Checks the installation medium under Wine: builds the medium and the check
# program in the win32 cross build, copies the medium to a scratch folder
# (the checks change files on it), and runs the checks there in a private
# Windows XP prefix under Xvfb. The last line is "N passed, M failed".
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/win32
work=$root/build/medium-checks
jobs=${KV_JOBS:-2}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-win32.cmake" \
    -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" -j"$jobs" --target medium medium_checks
medium=$(sed -n 's/^KV_MEDIUM_DIR:PATH=//p' "$build/CMakeCache.txt")

rm -rf "$work"
mkdir -p "$work"
cp -a "$medium" "$work/medium"
"$root/scripts/wine-prefix.sh" "$work/prefix" winxp

export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win32
cd "$work/medium"
# One X server for the checks and the installer window they wait for; the
# wineserver ends inside it.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine "$1" | tr -d "\r"
  status=${PIPESTATUS[0]}
  wineserver -w
  exit "$status"' checks "$build/tests/medium/medium_checks.exe"
