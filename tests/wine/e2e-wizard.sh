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
# Builds the medium with setup.exe and the walk driver for the architecture
# of this machine (scripts/lib/arch.sh). The last line is "N passed, M failed" over all walks.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/builds.sh"
work=$root/build/e2e-wizard
driver=$KV_TEST_BUILD/walk/walk-driver.exe
printers_key='HKLM\System\CurrentControlSet\Control\Print\Printers'
ports_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Ports'
windows_key='HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows'

kv_build_windows medium || kv_fail "the build failed"
kv_build_tests walk-driver || kv_fail "building the walk driver failed"
medium=$(kv_medium_dir)
[ -f "$medium/setup.exe" ] || kv_fail "no assembled medium with setup.exe in '$medium'"
directive() { sed -n "s/^# $1: *//p" "$2"; }

# The registry of the walk's prefix: `wine reg query` output, CRs removed.
query() {
  WINEPREFIX=$prefix wine reg query "$@" 2>/dev/null | tr -d '\r'
}

passed=0
failed=0
for walk in "$root"/tests/wine/wizard/*.walk; do
  name=$(basename "$walk" .walk)
  version=$(directive windows "$walk")
  runs=$(directive runs "$walk")
  base=$work/$name
  prefix=$base/prefix
  shots=$base/screenshots
  rm -rf "$base"
  mkdir -p "$base" "$shots"
  cp -a "$medium" "$base/medium"
  directive usb "$walk" | tr ' ' '\n' | sed '/^$/d' >"$base/medium/KvUsbInt.txt"
  "$root/scripts/wine-prefix.sh" "$prefix" "${version:-winxp}" ||
    kv_fail "$name: preparing the ${version:-winxp} prefix failed"

  ok=1
  for ((run = 1; run <= ${runs:-1}; run++)); do
    (
      export WINEPREFIX=$prefix WALK_MEDIUM WALK_SHOTS
      WALK_MEDIUM=$(windows_path "$base/medium")
      WALK_SHOTS=$(windows_path "$shots")
      source "$root/scripts/wine-env.sh"
      kv_headless 600 wine "$driver" "$(windows_path "$walk")"
    ) 2>&1 | tr -d '\r' | tee "$base/walk-$run.log"
    grep -qE '^walk: [0-9]+ passed, 0 failed$' "$base/walk-$run.log" || ok=0
  done

  source "$root/scripts/wine-env.sh"
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
    passed=$((passed + 1))
  else
    echo "$name: FAILED (logs and screenshots in $base)"
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
