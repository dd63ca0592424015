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
source "$root/scripts/lib/checks.sh"
work=$root/build/e2e-setup

kv_build_windows medium caption-window || kv_fail "the build failed"
kv_build_tests walk-driver || kv_fail "building the walk driver failed"
caption_window=$KV_WIN_BUILD/setup-wine-check/caption-window.exe

# Every walk starts here: the wizard's control names, then setup.exe.
walk_start() {
  echo "ids \${WALK_ROOT}\\src\\wizard\\SetupResourceIds.h"
  echo "start \${WALK_MEDIUM}\\setup.exe \${WALK_MEDIUM}"
}

# The OS page's buttons: checked and enabled as expected.
os_page_steps() {
  local checked=$1 enabled=$2 id
  for id in IDC_OS_WIN98 IDC_OS_NT4 IDC_OS_WIN2000 IDC_OS_WINXP IDC_OS_SERVER2003 IDC_OS_VISTA; do
    echo "expect-checked $id $([ "$id" == "$checked" ] && echo 1 || echo 0)"
    echo "expect-enabled $id $([ "$id" == "$enabled" ] && echo 1 || echo 0)"
  done
}

# The walk from the licence to the port page and back, then Cancel.
full_walk() {
  local checked=$1 enabled=$2
  walk_start
  cat <<WALK
wait-window "Printer Driver Setup"
expect-text IDC_NEXT "Next (&N)>>"
expect-text IDC_BACK "<<Back (&B)"
expect-text IDC_CANCEL "Cancel (&C)"
expect-enabled IDC_NEXT 0
expect-enabled IDC_BACK 0
expect-checked IDC_REJECT 1
expect-checked IDC_ACCEPT 0
screenshot \${WALK_SHOTS}\\1-licence.png
click IDC_ACCEPT
expect-enabled IDC_NEXT 1
click IDC_REJECT
expect-enabled IDC_NEXT 0
click IDC_ACCEPT
expect-enabled IDC_NEXT 1
click IDC_NEXT
expect-enabled IDC_BACK 1
expect-items IDC_RECEIPT_MODELS "QTM-B320|QTM-A410|QTM-C7|QTM-C7S|QTM-R58"
expect-items IDC_TICKET_MODELS "QTT-T360|QTT-T680"
expect-items IDC_LABEL_MODELS "QLP-L240|QLP-L420"
expect-items IDC_EMBEDDED_MODELS "QEP-E112|QEP-E58|QEP-E80"
expect-checked IDC_RECEIPT 1
expect-selection IDC_RECEIPT_MODELS "QTM-B320"
expect-enabled IDC_RECEIPT_MODELS 1
expect-enabled IDC_TICKET_MODELS 0
expect-enabled IDC_EMBEDDED_MODELS 0
expect-checked IDC_SET_DEFAULT 0
screenshot \${WALK_SHOTS}\\2-module.png
click IDC_NEXT
expect-checked IDC_TYPICAL 1
expect-enabled IDC_ADVANCED 1
expect-text IDC_REMARK_1 "Install default printer driver"
expect-visible IDC_REMARK_2 0
expect-visible IDC_REMARK_3 0
click IDC_ADVANCED
expect-text IDC_REMARK_1 "Support multi-USB printer"
expect-text IDC_REMARK_2 "Support driver mode selection"
expect-visible IDC_REMARK_2 1
screenshot \${WALK_SHOTS}\\3-setup-type.png
click IDC_NEXT
$(os_page_steps "$checked" "$enabled")
screenshot \${WALK_SHOTS}\\4-os.png
click IDC_NEXT
expect-text IDC_NEXT "Install (&I)"
expect-selection IDC_BAUD_RATE "38400"
expect-selection IDC_BYTE_SIZE "8"
expect-selection IDC_PARITY "None"
expect-selection IDC_STOP_BITS "1"
expect-selection IDC_PROTOCOL "Hardware"
screenshot \${WALK_SHOTS}\\5-port.png
click IDC_BACK
expect-text IDC_NEXT "Next (&N)>>"
click IDC_BACK
click IDC_BACK
click IDC_BACK
expect-enabled IDC_BACK 0
expect-enabled IDC_NEXT 1
expect-checked IDC_ACCEPT 1
click IDC_CANCEL
wait-close
wait-exit 0
WALK
}

# Leaving the OS page with a model that does not support the running family.
refusal_walk() {
  local radio=$1 list=$2 model=$3 message=$4
  walk_start
  cat <<WALK
wait-window "Printer Driver Setup"
click IDC_ACCEPT
click IDC_NEXT
click $radio
select $list "$model"
click IDC_NEXT
click IDC_NEXT
click IDC_NEXT
wait-messagebox
expect-messagebox "$message" "setup"
screenshot \${WALK_SHOTS}\\refused.png
answer OK
expect-text IDC_NEXT "Next (&N)>>"
expect-enabled IDC_BACK 1
click IDC_NEXT
wait-messagebox
answer OK
expect-text IDC_NEXT "Next (&N)>>"
click IDC_CANCEL
wait-close
wait-exit 0
WALK
}

# Start-up messages, in order, each answered; then the program ends.
messages_walk() {
  walk_start
  local text
  for text in "$@"; do
    echo "wait-messagebox"
    echo "expect-messagebox \"$text\" \"setup\""
    echo "screenshot \${WALK_SHOTS}\\message.png"
    echo "answer OK"
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

# setup_walk PREPARE DIR: under kv_headless, from the medium copy: the walk
# DIR/walk.walk between two looks at the machine, after starting what PREPARE
# wants up first (the walk waits for its window).
setup_walk() {
  local prepare=$1 dir=$2 status
  machine_state >"$dir/before.txt"
  case $prepare in
    second-start) wine setup.exe & ;;
    uninstall) wine "$dir/caption-window.exe" Uninstall & ;;
  esac
  kv_walk "$dir/walk.walk"
  status=$?
  # A first copy or a helper window may still be up: end them.
  if [ "$prepare" == second-start ] || [ "$prepare" == uninstall ]; then wineserver -k; fi
  wineserver -w
  machine_state >"$dir/after.txt"
  return $status
}

# run_walk NAME VERSION PREPARE SCRIPT-TEXT
#   PREPARE: none, no-bitmap, no-license, no-files, second-start, uninstall
run_walk() {
  local name=$1 version=$2 prepare=$3 text=$4
  local dir=$work/$name shots=$work/screenshots/$name status
  kv_medium_copy "$dir" || kv_fail "copying the medium failed"
  cp "$caption_window" "$dir/"
  rm -rf "$shots"
  mkdir -p "$shots"
  case $prepare in
    no-bitmap) rm -f "$dir/medium/DRVCONFIG/Left.bmp" ;;
    no-license) rm -f "$dir/medium/License.txt" ;;
    no-files) rm -f "$dir/medium/DRVCONFIG/Left.bmp" "$dir/medium/License.txt" ;;
  esac
  printf '%s\n' "$text" >"$dir/walk.walk"
  echo "== $name ($version)"
  if ! kv_prefix "$dir/prefix" "$version" >/dev/null 2>&1; then
    echo "$name: preparing the Wine prefix failed"
    kv_add 0 1
    return
  fi
  kv_walk_places "$dir/medium" "$shots"
  (cd "$dir/medium" && kv_headless 600 setup_walk "$prepare" "$dir") 2>&1 | tee "$dir/walk.log" |
    grep -E '^(walk|FAIL|step)' | tail -5
  kv_run_counts "$dir/walk.log" "${PIPESTATUS[0]}" >/dev/null
  status=$?
  if [ "$status" -eq 0 ] && ! diff -q "$dir/before.txt" "$dir/after.txt" >/dev/null; then
    echo "$name: the walk changed the spooler or the records:"
    diff "$dir/before.txt" "$dir/after.txt" | head -20
    status=1
  fi
  if [ "$status" -eq 0 ]; then
    kv_add 1 0
    rm -rf "$dir/prefix"
  else
    echo "$name: FAILED (log: $dir/walk.log)"
    kv_add 0 1
  fi
}

wanted() { [ -z "${KV_SETUP_WALKS:-}" ] || [[ " $KV_SETUP_WALKS " == *" $1 "* ]]; }

license_text="Can't load file License.txt!"
bitmap_text="Can't load file Left.bmp!"
for entry in win98:IDC_OS_WIN98:IDC_OS_WIN98 nt40:IDC_OS_NT4:IDC_OS_NT4 \
    win2k:IDC_OS_WIN2000:IDC_OS_WIN2000 winxp:IDC_OS_WINXP:IDC_OS_WINXP \
    win2003:IDC_OS_SERVER2003:IDC_OS_SERVER2003 vista:IDC_OS_VISTA:IDC_OS_VISTA \
    win7:none:IDC_OS_WIN98; do
  IFS=: read -r version checked enabled <<<"$entry"
  wanted "$version" && run_walk "$version" "$version" none "$(full_walk "$checked" "$enabled")"
done
wanted refuse-2003 && run_walk refuse-2003 win2003 none \
  "$(refusal_walk IDC_TICKET IDC_TICKET_MODELS QTT-T680 "This printer not support WINDOWS SEVER 2003")"
wanted refuse-vista && run_walk refuse-vista vista none \
  "$(refusal_walk IDC_RECEIPT IDC_RECEIPT_MODELS QTM-A410 "This printer not support Windows Vista")"
wanted no-bitmap && run_walk no-bitmap winxp no-bitmap "$(messages_walk "$bitmap_text")"
wanted no-license && run_walk no-license winxp no-license "$(messages_walk "$license_text")"
wanted no-files && run_walk no-files winxp no-files \
  "$(messages_walk "$license_text" "$bitmap_text")"
wanted uninstall-window && run_walk uninstall-window winxp uninstall \
  "$(echo 'wait-desktop "Uninstall" 30' && messages_walk "Please close Uninstall program first!")"
# The second copy ends at once, without a message, and leaves the first up.
wanted second-start && run_walk second-start winxp second-start \
  "$(echo 'wait-desktop "Printer Driver Setup" 30' && walk_start &&
    printf '%s\n' 'wait-exit 0' 'wait-desktop "Printer Driver Setup"')"

echo "screenshots: $work/screenshots"
kv_totals
