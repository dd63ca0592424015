#!/bin/bash
# The main job: builds the programs, assembles the installation medium and
# starts setup.exe from a copy of the medium folder, as its current
# directory, in a private Wine prefix. The build is the shipped i686 one
# where this machine runs 32-bit programs, its x86_64 twin where it cannot
# (scripts/lib/arch.sh; KV_ARCH=i686|x86_64 forces one).
#   scripts/run.sh [setup|uninstall]   which program to start (default setup)
#   KV_WINDOWS      the Windows version Wine reports: win98, nt40, win2k,
#                   winxp (default), win2003, vista or win7
#   KV_RUN_SECONDS  uninstall without a DISPLAY: how long it runs under Xvfb
#                   before a screenshot is taken and it is ended (default 60)
# With a DISPLAY the wizard opens there and the command returns when it
# closes. Without one the walk driver (tests/walk) walks it under Xvfb from
# the licence to the port page, saves a PNG of every page in
# build/run/screenshots/ and cancels it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
windows=${KV_WINDOWS:-winxp}
seconds=${KV_RUN_SECONDS:-60}
program=${1:-setup}
run=$root/build/run

case $program in
  setup) exe=setup.exe ;;
  uninstall) exe=Uninstall.exe ;;
  *) echo "run: the program is setup or uninstall, not $program" >&2; exit 2 ;;
esac

case $windows in
  win98 | nt40 | win2k | winxp | win2003 | vista | win7) ;;
  *) echo "run: KV_WINDOWS=$windows is not one of win98 nt40 win2k winxp win2003 vista win7" >&2; exit 2 ;;
esac

scripts/install-deps.sh
source scripts/lib/checks.sh
[ -z "$KV_ARCH_NOTE" ] || echo "run: note: $KV_ARCH_NOTE"
echo "run: building the $KV_ARCH programs and medium in $KV_WIN_BUILD"
kv_build_windows medium
medium=$(kv_medium_dir)
echo "run: medium assembled in $medium (zip: $KV_WIN_BUILD/medium.zip)"

if ! problem=$(scripts/wine-available.sh); then
  echo "run: $problem" >&2
  echo "run: the medium is assembled in $medium; start $exe from it on Windows." >&2
  exit 1
fi

# A copy, so that what the run changes (the USB printer ID that the wizard
# may rewrite in KvUsbInt.txt) does not change the built medium.
rm -rf "$run/medium"
mkdir -p "$run"
cp -a "$medium" "$run/medium"
kv_prefix "$run/prefix" "$windows"
cd "$run/medium"

if [ -n "${DISPLAY:-}" ]; then
  echo "run: starting $exe ($windows) on $DISPLAY from $run/medium"
  status=0
  wine "$exe" || status=$?
  wineserver -w
  exit "$status"
fi

if [ "$program" = uninstall ]; then
  # The uninstaller: it runs under Xvfb for KV_RUN_SECONDS (default 60), then a
  # screenshot is taken and it is ended.
  echo "run: no DISPLAY; starting $exe ($windows) under Xvfb for $seconds s"
  show_for() {
    local seconds=$1 shot=$2 exe=$3 program i
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
  }
  kv_headless $((seconds + 60)) show_for "$seconds" "$run/$program.png" "$exe"
  exit 0
fi

# No display: the wizard is walked under Xvfb by the walk driver from the
# licence to the port page, a screenshot of every page is saved, and the run
# ends (nobody could answer a window that no one sees).
kv_build_tests walk-driver
shots=$run/screenshots
rm -rf "$shots"
mkdir -p "$shots"
cat >"$run/wizard.walk" <<'WALK'
ids ${WALK_ROOT}\src\wizard\SetupResourceIds.h
start ${WALK_MEDIUM}\setup.exe ${WALK_MEDIUM}
wait-window "Printer Driver Setup"
expect-checked IDC_REJECT 1
expect-enabled IDC_NEXT 0
screenshot ${WALK_SHOTS}\1-licence.png
click IDC_ACCEPT
click IDC_NEXT
expect-visible IDC_RECEIPT_MODELS 1
screenshot ${WALK_SHOTS}\2-module.png
click IDC_NEXT
expect-visible IDC_TYPICAL 1
screenshot ${WALK_SHOTS}\3-setup-type.png
click IDC_NEXT
expect-visible IDC_OS_WINXP 1
screenshot ${WALK_SHOTS}\4-os.png
click IDC_NEXT
expect-text IDC_NEXT "Install (&I)"
screenshot ${WALK_SHOTS}\5-port.png
click IDC_CANCEL
wait-exit 0
WALK
echo "run: no DISPLAY; walking setup.exe ($windows) under Xvfb from the licence to the port page"
kv_walk_places "$run/medium" "$shots"
status=0
kv_headless 600 kv_walk "$run/wizard.walk" || status=$?
echo "run: screenshots of the pages reached: $shots"
ls "$shots"
exit "$status"
