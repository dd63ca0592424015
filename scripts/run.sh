#!/bin/bash
# The main job: builds the win32 cross build, assembles the installation
# medium and starts setup.exe from a copy of the medium folder, as its
# current directory, in a private Wine prefix.
#   scripts/run.sh [setup|uninstall]   which program to start (default setup)
#   KV_WINDOWS      the Windows version Wine reports: win98, nt40, win2k,
#                   winxp (default), win2003 or vista
#   KV_RUN_SECONDS  without a DISPLAY only: how long the wizard runs under
#                   Xvfb before a screenshot is taken and it is ended
#                   (default 60)
# With a DISPLAY the wizard opens there and the command returns when it
# closes. Until setup.exe is built, the medium's stand-in check
# (tests/medium/run.sh) runs instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${KV_JOBS:-2}
windows=${KV_WINDOWS:-winxp}
seconds=${KV_RUN_SECONDS:-60}
program=${1:-setup}
build=$root/build/win32
run=$root/build/run

case $program in
  setup) exe=setup.exe ;;
  uninstall) exe=Uninstall.exe ;;
  *) echo "run: the program is setup or uninstall, not $program" >&2; exit 2 ;;
esac

case $windows in
  win98 | nt40 | win2k | winxp | win2003 | vista) ;;
  *) echo "run: KV_WINDOWS=$windows is not one of win98 nt40 win2k winxp win2003 vista" >&2; exit 2 ;;
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
  echo "run: the medium is assembled in $medium; start $exe from it on Windows," >&2
  echo "run: or run this command on a machine where Wine runs." >&2
  exit 1
fi

if [ ! -f "$medium/$exe" ]; then
  echo "run: $exe is not built yet; running the medium's stand-in check instead"
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
  echo "run: starting $exe ($windows) on $DISPLAY from $run/medium"
  status=0
  wine "$exe" || status=$?
  wineserver -w
  exit "$status"
fi

echo "run: no DISPLAY; starting $exe ($windows) under Xvfb for $seconds s"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  seconds=$1 shot=$2 exe=$3
  wine "$exe" &
  program=$!
  for ((i = 0; i < seconds; i++)); do
    kill -0 "$program" 2>/dev/null || break
    sleep 1
  done
  if kill -0 "$program" 2>/dev/null; then
    import -window root "$shot" && echo "run: screenshot: $shot"
    wineserver -k
  fi
  wait "$program" || true
  wineserver -w' run "$seconds" "$run/$program.png" "$exe"
