#!/bin/bash
# The USB printer ID and driver installer operations on the real API under
# Wine, against the medium's stand-ins: builds the medium and
# usb_wine_check.exe in the win32 cross build, copies the medium to a scratch
# folder with the check program beside KvUsbInt.dll, and runs it there (the
# medium folder as current directory) in a private Windows XP prefix under
# Xvfb. The last line is "N passed, M failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/win32
work=$root/build/e2e-usb
jobs=${KV_JOBS:-2}

fail() {
  echo "$1"
  echo "0 passed, 1 failed"
  exit 1
}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-win32.cmake" \
    -DCMAKE_BUILD_TYPE=Release || fail "configuring the win32 build failed"
fi
cmake --build "$build" -j"$jobs" --target medium usb_wine_check || fail "the build failed"
medium=$(sed -n 's/^KV_MEDIUM_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")
[ -f "$medium/KvUsbInt.dll" ] || fail "no assembled medium in '$medium'"

rm -rf "$work"
mkdir -p "$work"
cp -a "$medium" "$work/medium"
cp "$build/usb-wine-check/usb_wine_check.exe" "$work/medium/"
"$root/scripts/wine-prefix.sh" "$work/prefix" winxp || fail "preparing the Wine prefix failed"

# One X server for the check and the installer window it waits for; the
# wineserver ends inside it.
(
  export WINEPREFIX=$work/prefix
  source "$root/scripts/wine-env.sh"
  cd "$work/medium" &&
    timeout 300 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
      wine usb_wine_check.exe
      status=$?
      wineserver -w
      exit "$status"'
) | tr -d '\r' | tee "$work.log"
status=${PIPESTATUS[0]}

summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$work.log" | tail -1)
[ -n "$summary" ] || fail "the check ended without a summary (exit status $status)"
if [ "$status" -ne 0 ] && [[ $summary == *" 0 failed" ]]; then
  fail "the check exited with status $status"
fi
[ "$status" -eq 0 ]
