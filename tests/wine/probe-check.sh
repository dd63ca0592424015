#!/bin/bash
# Runs platform-probe.exe under Wine for each Windows version Wine can report
# and checks the common services' results on the real API.
#   tests/wine/probe-check.sh [BUILD-DIR]   (default: the Windows build of
#                                            scripts/lib/arch.sh)
# Each version gets a private prefix; the run is headless (no display: the
# probe opens no window). Prints "N passed, M failed" last; exits non-zero on
# any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/checks.sh"
build=${1:-$KV_WIN_BUILD}
probe=$build/apps/probe/platform-probe.exe
fixture=$build/version-fixture.dll
kv_scratch probe-check

check() {  # description, actual, expected
  if [ "$2" == "$3" ]; then
    kv_add 1 0
  else
    kv_add 0 1
    echo "FAIL $1: got '$2', expected '$3'"
  fi
}

for file in "$probe" "$fixture"; do
  [ -f "$file" ] || kv_fail "missing $file (build the Windows build first)"
done

# winecfg version name and the family GetOsFamily must give for it.
versions=(win98:0 nt40:1 win2k:2 winxp:3 win2003:4 vista:5 win7:0)
for entry in "${versions[@]}"; do
  version=${entry%%:*}
  family=${entry##*:}
  if ! kv_prefix "$kv_scratch_dir/$version" "$version"; then
    check "$version: prefix" "not prepared" "prepared"
    continue
  fi
  mkdir -p "$WINEPREFIX/drive_c/probe"
  cp "$probe" "$fixture" "$WINEPREFIX/drive_c/probe/"
  output=$(timeout 120 wine 'C:\probe\platform-probe.exe' 'C:\probe\version-fixture.dll' |
           tr -d '\r')
  wineserver -w
  value() { sed -n "s/^$1=//p" <<<"$output" | head -n 1; }
  echo "== $version: $(value os.version)"
  check "$version: probe ran to the end" "$(tail -n 1 <<<"$output")" "done"
  check "$version: GetOsFamily" "$(value os.family)" "$family"
  check "$version: IsAdministrator (Wine's user is always one)" "$(value admin)" "1"
  check "$version: registry write through RegKey" "$(value registry.written)" "1"
  check "$version: registry read-back, names in other case" "$(value registry.readback)" "1"
  check "$version: FileVersion of the fixture" "$(value version.file)" "3.1.4.15"
  check "$version: FileVersion of a missing file" "$(value version.missing)" "0.0.0.0"
  check "$version: Spooler started and awaited" "$(value spooler.started)" "1"
  check "$version: starting a running Spooler leaves no message" \
    "$(value spooler.startAgainMessage)" ""
  check "$version: Spooler stopped" "$(value spooler.stopped)" "1"
  check "$version: Spooler started again and awaited" "$(value spooler.restarted)" "1"
  check "$version: no spooler message" "$(value spooler.message)" ""
  rm -rf "$WINEPREFIX"
done

kv_totals
