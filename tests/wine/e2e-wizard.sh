#!/bin/bash
# Whole installations through setup.exe's wizard under Wine, walked by the
# dialog layer's walk driver: each tests/wine/wizard/*.walk runs against a
# fresh copy of the assembled medium in a fresh prefix of the Windows version
# it names, then the printers it expects are looked up in that prefix's
# registry. Directives in a walk's comments:
#   # windows: VERSION        the prefix's version (scripts/wine-prefix.sh)
#   # usb: ID ...             the printers of the stand-in USB library
#                             (KvUsbInt.txt); none when empty
#   # runs: N                 the walk runs N times in the same prefix
#   # printer: NAME PORT      a printer that must exist afterwards, on PORT
#   # default: NAME           the default printer afterwards
#   # port-setting: PORT TEXT the serial defaults stored for PORT
#   # no-printers             no printer may exist afterwards
#   # held-processor          the raster print processor is installed in an
#                             older version first, and another process holds
#                             its DLL open during the walk; afterwards its
#                             replacement at the next start and the new
#                             version must be recorded (setup-machine.exe)
# Builds the medium with setup.exe and the walk driver for the architecture
# of this machine (scripts/lib/arch.sh). The last line is "N passed, M failed" over all walks.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/checks.sh"
work=$root/build/e2e-wizard
printers_key='HKLM\System\CurrentControlSet\Control\Print\Printers'
ports_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Ports'
windows_key='HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows'

kv_build_windows medium setup-machine || kv_fail "the build failed"
kv_build_tests walk-driver || kv_fail "building the walk driver failed"
directive() { sed -n "s/^# $1: *//p" "$2"; }
machine=$KV_WIN_BUILD/wizard-wine-check/setup-machine.exe

# A walk beside setup-machine.exe: the processor arranged, its DLL held while
# the walk runs, the machine examined afterwards (from the medium folder).
held_processor_walk() {
  local machine=$1 walk=$2 holder status
  wine "$machine" arrange || return 1
  wine "$machine" hold &
  holder=$!
  kv_walk "$walk"
  status=$?
  wait "$holder" || status=1
  wine "$machine" check || status=1
  return "$status"
}

# The registry of the walk's prefix: `wine reg query` output, CRs removed.
query() {
  WINEPREFIX=$prefix wine reg query "$@" 2>/dev/null | tr -d '\r'
}

for walk in "$root"/tests/wine/wizard/*.walk; do
  name=$(basename "$walk" .walk)
  version=$(directive windows "$walk")
  runs=$(directive runs "$walk")
  base=$work/$name
  prefix=$base/prefix
  kv_medium_copy "$base" || kv_fail "copying the medium failed"
  mkdir -p "$base/screenshots"
  directive usb "$walk" | tr ' ' '\n' | sed '/^$/d' >"$base/medium/KvUsbInt.txt"
  kv_prefix "$prefix" "${version:-winxp}" ||
    kv_fail "$name: preparing the ${version:-winxp} prefix failed"
  kv_walk_places "$base/medium" "$base/screenshots"

  ok=1
  walker=(kv_walk)
  grep -q '^# held-processor' "$walk" && walker=(held_processor_walk "$machine")
  for ((run = 1; run <= ${runs:-1}; run++)); do
    (cd "$base/medium" && kv_headless 600 "${walker[@]}" "$walk") 2>&1 | tee "$base/walk-$run.log"
    kv_run_counts "$base/walk-$run.log" "${PIPESTATUS[0]}" >/dev/null || ok=0
  done

  while read -r printer_line; do
    [ -n "$printer_line" ] || continue
    port=${printer_line##* }
    printer=${printer_line% *}
    found=$(query "$printers_key\\$printer" /v Port | awk '/Port/ {print $NF}')
    if [ "$found" != "$port" ]; then
      echo "$name: printer '$printer' on '${found:-nothing}', expected '$port'"
      ok=0
    fi
  done < <(directive printer "$walk")
  default=$(directive default "$walk")
  if [ -n "$default" ]; then
    device=$(query "$windows_key" /v Device | sed -n 's/.*REG_SZ *//p')
    if [ "${device%%,*}" != "$default" ]; then
      echo "$name: default printer '${device%%,*}', expected '$default'"
      ok=0
    fi
  fi
  setting=$(directive port-setting "$walk")
  if [ -n "$setting" ]; then
    port=${setting%% *}
    found=$(query "$ports_key" /v "$port" | sed -n 's/.*REG_SZ *//p')
    if [ "$found" != "${setting#* }" ]; then
      echo "$name: $port holds '$found', expected '${setting#* }'"
      ok=0
    fi
  fi
  if grep -q '^# no-printers' "$walk"; then
    if query "$printers_key" | grep -q "$printers_key\\\\"; then
      echo "$name: a printer was installed"
      ok=0
    fi
  fi

  if [ "$ok" -eq 1 ]; then
    echo "$name: passed"
    kv_add 1 0
  else
    echo "$name: FAILED (logs and screenshots in $base)"
    kv_add 0 1
  fi
done
kv_totals
