#!/bin/bash
# Prints how long RunInstall takes for a serial installation on Windows XP
# under Wine, against the sum of the waits it is required to make, and the
# overhead between them. A measurement, not a test: run by hand.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/win32
work=$root/build/install-timing

"$root/scripts/wine-available.sh" || { echo "Wine cannot run on this machine"; exit 1; }
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-win32.cmake" \
    -DCMAKE_BUILD_TYPE=Release || exit 1
fi
cmake --build "$build" -j"${KV_JOBS:-2}" --target medium run_install_wine_check >/dev/null || exit 1
medium=$(sed -n 's/^KV_MEDIUM_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")
rm -rf "$work"
mkdir -p "$work"
cp -a "$medium" "$work/medium"
cp "$build/procedure-wine-check/run_install_wine_check.exe" "$work/medium/"
"$root/scripts/wine-prefix.sh" "$work/prefix" winxp || exit 1
export WINEPREFIX=$work/prefix
source "$root/scripts/wine-env.sh"
cd "$work/medium" &&
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    wine run_install_wine_check.exe measure
    status=$?
    wineserver -w
    exit "$status"' | tr -d '\r' | grep -E '^RunInstall|FAIL'
