#!/bin/bash
# The main job: builds the win32 cross build, assembles the installation
# medium and starts setup.exe from a copy of the medium folder, as its
# current directory, in a private Wine prefix.
#   KV_WINDOWS      the Windows version Wine reports: win98, nt40, win2k,
#                   winxp (default), win2003, vista or win7
# With a DISPLAY the wizard opens there and the command returns when it
# closes. Without one the walk driver (tests/walk) walks it under Xvfb from
# the licence to the port page, saves a PNG of every page in
# build/run/screenshots/ and cancels it. Until setup.exe is built, the
# medium's stand-in check (tests/medium/run.sh) runs instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${KV_JOBS:-2}
windows=${KV_WINDOWS:-winxp}
build=$root/build/win32
run=$root/build/run

case $windows in
  win98 | nt40 | win2k | winxp | win2003 | vista | win7) ;;
  *) echo "run: KV_WINDOWS=$windows is not one of win98 nt40 win2k winxp win2003 vista win7" >&2; exit 2 ;;
esac

scripts/install-deps.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-win32.cmake" \
    -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" -j"$jobs" --target medium
medium=$(sed -n 's/^KV_MEDIUM_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")
echo "run: medium assembled in $medium (zip: $build/medium.zip)"

if ! scripts/wine-available.sh; then
  echo "run: Wine cannot run on this machine (it cannot execute 32-bit x86 programs)." >&2
  echo "run: the medium is assembled in $medium; start setup.exe from it on Windows," >&2
  echo "run: or run this command on a machine where Wine runs." >&2
  exit 1
fi

if [ ! -f "$medium/setup.exe" ]; then
  echo "run: setup.exe is not built yet; running the medium's stand-in check instead"
  echo "run: (port monitors, print processor, driver and printers, KvUsbInt.dll, USBDrv\\Install.exe)"
  exec tests/medium/run.sh
fi

# A copy, so that what the run changes (the USB printer ID that the wizard
# may rewrite in KvUsbInt.txt) does not change the built medium.
rm -rf "$run/medium"
mkdir -p "$run"
cp -a "$medium" "$run/medium"
"$root/scripts/wine-prefix.sh" "$run/prefix" "$windows"
export WINEPREFIX=$run/prefix
source "$root/scripts/wine-env.sh"
cd "$run/medium"

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting setup.exe ($windows) on $DISPLAY from $run/medium"
  status=0
  wine setup.exe || status=$?
  wineserver -w
  exit "$status"
fi

# No display: the wizard is walked under Xvfb by the walk driver from the
# licence to the port page, a screenshot of every page is saved, and the run
# ends (nobody could answer a window that no one sees).
if [ ! -f "$root/build/wine-tests/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/build/wine-tests" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-posix.cmake" \
    -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$root/build/wine-tests" -j"$jobs" --target walk-driver
driver=$root/build/wine-tests/walk/walk-driver.exe
shots=$run/screenshots
rm -rf "$shots"
mkdir -p "$shots"
windows_path() { local path=$1; echo "Z:${path//\//\\}"; }
cat >"$run/wizard.walk" <<'WALK'
start ${MEDIUM}\setup.exe ${MEDIUM}
wait-window "Printer Driver Setup"
screenshot ${SHOTS}\1-licence.png
click 1057
click 1
screenshot ${SHOTS}\2-module.png
click 1
screenshot ${SHOTS}\3-setup-type.png
click 1
screenshot ${SHOTS}\4-os.png
click 1
expect-text 1 "Install (&I)"
screenshot ${SHOTS}\5-port.png
click 2
wait-exit 0
WALK
echo "run: no DISPLAY; walking setup.exe ($windows) under Xvfb from the licence to the port page"
export MEDIUM SHOTS
MEDIUM=$(windows_path "$run/medium")
SHOTS=$(windows_path "$shots")
status=0
timeout 600 xvfb-run -a -s "-screen 0 1024x768x24" \
  sh -c 'wine "$1" "$2"; status=$?; wineserver -w; exit $status' run "$(windows_path "$driver")" \
  "$(windows_path "$run/wizard.walk")" </dev/null | tr -d '\r' || status=$?
echo "run: screenshots of the pages reached: $shots"
ls "$shots"
exit "$status"
