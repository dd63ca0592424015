#!/bin/bash
# The real setup.exe under Wine on the sample medium, driven from another
# process by the walk driver (tests/walk), each walk in a private prefix under
# Xvfb:
#   - on win98, nt40, win2k, winxp, win2003, vista and win7: the licence
#     toggling Next, the module lists, the OS page's preset and disabled
#     buttons, the walk to the port page and back, Cancel; the spooler's
#     registry and files are compared before and after (nothing changed);
#   - the Server 2003 and Vista refusals on the OS page;
#   - a missing DRVCONFIG\Left.bmp, a missing License.txt, both;
#   - a second start while the wizard runs, and a window captioned "Uninstall".
# A PNG of every page reached is left in build/e2e-setup/screenshots/<walk>/.
# KV_SETUP_WALKS limits the walks by name (e.g. "winxp refuse-vista").
# The last line is "N passed, M failed" (one per walk).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/builds.sh"
build=$KV_WIN_BUILD
work=$root/build/e2e-setup
driver=$KV_TEST_BUILD/walk/walk-driver.exe
passed=0
failed=0

kv_build_windows medium caption-window || kv_fail "the build failed"
kv_build_tests walk-driver || kv_fail "building the walk driver failed"
medium=$(kv_medium_dir)
[ -f "$medium/setup.exe" ] || kv_fail "no setup.exe in the medium '$medium'"
caption_window=$build/setup-wine-check/caption-window.exe

# The OS page's buttons: checked and enabled as expected.
os_page_steps() {
  local checked=$1 enabled=$2 id
  for id in 1026 1027 1028 1029 1075 1076; do
    echo "expect-checked $id $([ "$id" == "$checked" ] && echo 1 || echo 0)"
    echo "expect-enabled $id $([ "$id" == "$enabled" ] && echo 1 || echo 0)"
  done
}

# The walk from the licence to the port page and back, then Cancel.
full_walk() {
  local checked=$1 enabled=$2
  cat <<WALK
start \${MEDIUM}\\setup.exe \${MEDIUM}
wait-window "Printer Driver Setup"
expect-text 1 "Next (&N)>>"
expect-text 1002 "<<Back (&B)"
expect-text 2 "Cancel (&C)"
expect-enabled 1 0
expect-enabled 1002 0
expect-checked 1058 1
expect-checked 1057 0
screenshot \${SHOTS}\\1-licence.png
click 1057
expect-enabled 1 1
click 1058
expect-enabled 1 0
click 1057
expect-enabled 1 1
click 1
expect-enabled 1002 1
expect-items 1030 "QTM-B320|QTM-A410|QTM-C7|QTM-C7S|QTM-R58"
expect-items 1031 "QTT-T360|QTT-T680"
expect-items 1032 "QLP-L240|QLP-L420"
expect-items 1074 "QEP-E112|QEP-E58|QEP-E80"
expect-checked 1019 1
expect-selection 1030 "QTM-B320"
expect-enabled 1030 1
expect-enabled 1031 0
expect-enabled 1074 0
expect-checked 1046 0
screenshot \${SHOTS}\\2-module.png
click 1
expect-checked 1066 1
expect-enabled 1067 1
expect-text 1068 "Install default printer driver"
expect-visible 1069 0
expect-visible 1070 0
click 1067
expect-text 1068 "Support multi-USB printer"
expect-text 1069 "Support driver mode selection"
expect-visible 1069 1
screenshot \${SHOTS}\\3-setup-type.png
click 1
$(os_page_steps "$checked" "$enabled")
screenshot \${SHOTS}\\4-os.png
click 1
expect-text 1 "Install (&I)"
expect-selection 1041 "38400"
expect-selection 1042 "8"
expect-selection 1043 "None"
expect-selection 1044 "1"
expect-selection 1045 "Hardware"
screenshot \${SHOTS}\\5-port.png
click 1002
expect-text 1 "Next (&N)>>"
click 1002
click 1002
click 1002
expect-enabled 1002 0
expect-enabled 1 1
expect-checked 1057 1
click 2
wait-close
wait-exit 0
WALK
}

# Leaving the OS page with a model that does not support the running family.
refusal_walk() {
  local radio=$1 list=$2 model=$3 message=$4
  cat <<WALK
start \${MEDIUM}\\setup.exe \${MEDIUM}
wait-window "Printer Driver Setup"
click 1057
click 1
click $radio
select $list "$model"
click 1
click 1
click 1
wait-messagebox
expect-messagebox "$message" "setup"
screenshot \${SHOTS}\\refused.png
answer OK
expect-text 1 "Next (&N)>>"
expect-enabled 1002 1
click 1
wait-messagebox
answer OK
expect-text 1 "Next (&N)>>"
click 2
wait-close
wait-exit 0
WALK
}

# Start-up messages, in order, each answered; then the program ends.
messages_walk() {
  echo "start \${MEDIUM}\\setup.exe \${MEDIUM}"
  local text
  for text in "$@"; do
    echo "wait-messagebox"
    echo "expect-messagebox \"$text\" \"setup\""
    echo "screenshot \${SHOTS}\\message.png"
    echo "answer OK"
    echo "sleep 500"
  done
  echo "wait-exit 0"
}

# The printers, drivers, monitors and processors the spooler knows, the
# maker's records and the spooler's files: compared around a walk. Only names
# are compared, so that keys Wine fills in on first use do not count.
machine_state() {
  local key print='HKLM\System\CurrentControlSet\Control\Print'
  for key in "$print\Printers" "$print\Monitors" "$print\Environments\$KV_NT_ENVIRONMENT\Drivers" \
      "$print\Environments\Windows 4.0\Drivers" \
      "$print\Environments\$KV_NT_ENVIRONMENT\Print Processors" 'HKLM\Software\KORVANT'; do
    echo "[$key]"
    wine reg query "$key" 2>/dev/null | tr -d '\r' | grep -i '^HKEY_' | grep -vixF "${key/HKLM/HKEY_LOCAL_MACHINE}" | sort
  done
  (cd "$WINEPREFIX/drive_c/windows" && find system32/spool -type f 2>/dev/null | sort)
}
# Passed as text: the X wrapper's shell drops exported bash functions.
KV_MACHINE_STATE=$(declare -f machine_state)
export KV_MACHINE_STATE

# run_walk NAME VERSION PREPARE SCRIPT-TEXT
#   PREPARE: none, no-bitmap, no-license, no-files, second-start, uninstall
run_walk() {
  local name=$1 version=$2 prepare=$3 text=$4
  local dir=$work/$name shots=$work/screenshots/$name
  rm -rf "$dir" "$shots"
  mkdir -p "$dir" "$shots"
  cp -a "$medium" "$dir/medium"
  cp "$caption_window" "$dir/"
  case $prepare in
    no-bitmap) rm -f "$dir/medium/DRVCONFIG/Left.bmp" ;;
    no-license) rm -f "$dir/medium/License.txt" ;;
    no-files) rm -f "$dir/medium/DRVCONFIG/Left.bmp" "$dir/medium/License.txt" ;;
  esac
  printf '%s\n' "$text" >"$dir/walk.walk"
  echo "== $name ($version)"
  if ! "$root/scripts/wine-prefix.sh" "$dir/prefix" "$version" >/dev/null 2>&1; then
    echo "$name: preparing the Wine prefix failed"
    failed=$((failed + 1))
    return
  fi
  local status=0
  (
    export WINEPREFIX=$dir/prefix MEDIUM SHOTS
    source "$root/scripts/wine-env.sh"
    MEDIUM=$(windows_path "$dir/medium")
    SHOTS=$(windows_path "$shots")
    cd "$dir/medium"
    kv_headless 600 bash -c '
      prepare=$1 driver=$2 script=$3 dir=$4
      eval "$KV_MACHINE_STATE"
      machine_state >"$dir/before.txt"
      case $prepare in
        second-start) wine setup.exe & sleep 5 ;;
        uninstall) wine "$dir/caption-window.exe" Uninstall & sleep 3 ;;
      esac
      wine "$driver" "$script"
      status=$?
      # A first copy or a helper window may still be up: end them.
      if [ "$prepare" == second-start ] || [ "$prepare" == uninstall ]; then wineserver -k; fi
      wineserver -w
      machine_state >"$dir/after.txt"
      exit $status' walk "$prepare" "$(windows_path "$driver")" "$(windows_path "$dir/walk.walk")" "$dir"
  ) 2>&1 | tr -d '\r' | tee "$dir/walk.log" | grep -E '^(walk|FAIL|step)' | tail -5
  status=${PIPESTATUS[0]}
  if ! grep -qE '^walk: [0-9]+ passed, 0 failed' "$dir/walk.log"; then status=1; fi
  if [ "$status" -eq 0 ] && ! diff -q "$dir/before.txt" "$dir/after.txt" >/dev/null; then
    echo "$name: the walk changed the spooler or the records:"
    diff "$dir/before.txt" "$dir/after.txt" | head -20
    status=1
  fi
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
    rm -rf "$dir/prefix"
  else
    echo "$name: FAILED (log: $dir/walk.log)"
    failed=$((failed + 1))
  fi
}

wanted() { [ -z "${KV_SETUP_WALKS:-}" ] || [[ " $KV_SETUP_WALKS " == *" $1 "* ]]; }

license_text="Can't load file License.txt!"
bitmap_text="Can't load file Left.bmp!"
for entry in win98:1026:1026 nt40:1027:1027 win2k:1028:1028 winxp:1029:1029 \
    win2003:1075:1075 vista:1076:1076 win7:none:1026; do
  IFS=: read -r version checked enabled <<<"$entry"
  wanted "$version" && run_walk "$version" "$version" none "$(full_walk "$checked" "$enabled")"
done
wanted refuse-2003 && run_walk refuse-2003 win2003 none \
  "$(refusal_walk 1020 1031 QTT-T680 "This printer not support WINDOWS SEVER 2003")"
wanted refuse-vista && run_walk refuse-vista vista none \
  "$(refusal_walk 1019 1030 QTM-A410 "This printer not support Windows Vista")"
wanted no-bitmap && run_walk no-bitmap winxp no-bitmap "$(messages_walk "$bitmap_text")"
wanted no-license && run_walk no-license winxp no-license "$(messages_walk "$license_text")"
wanted no-files && run_walk no-files winxp no-files \
  "$(messages_walk "$license_text" "$bitmap_text")"
wanted uninstall-window && run_walk uninstall-window winxp uninstall \
  "$(messages_walk "Please close Uninstall program first!")"
# The second copy ends at once, without a message, and leaves the first up.
wanted second-start && run_walk second-start winxp second-start \
  "$(printf '%s\n' 'start ${MEDIUM}\setup.exe ${MEDIUM}' 'wait-exit 0' 'sleep 1000')"

echo "screenshots: $work/screenshots"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
