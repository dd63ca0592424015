#!/bin/bash
# Holds the configuration reader to GetPrivateProfileStringA under Wine: runs
# profile-compare.exe (built in the win32 build) in a private prefix. Prints
# "N passed, M failed" last; exits non-zero on any failure.
#   tests/wine/profile-compare.sh [BUILD-DIR] [-v]
#     (default: the Windows build of scripts/lib/arch.sh)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/checks.sh"
build=${1:-$KV_WIN_BUILD}
shift || true
program=$build/profile-compare.exe
kv_scratch profile-compare

[ -f "$program" ] || kv_fail "missing $program (build the Windows build first)"
kv_prefix "$kv_scratch_dir/prefix" winxp || kv_fail "Wine prefix not prepared"

mkdir -p "$WINEPREFIX/drive_c/profiles/DRVCONFIG"
cp "$program" "$WINEPREFIX/drive_c/profiles/"
# The medium's own configuration files are compared key by key as well.
files=()
for file in "$root"/medium/DRVCONFIG/*.ini "$root"/medium/Uninstall.ini; do
  [ -f "$file" ] || continue
  cp "$file" "$WINEPREFIX/drive_c/profiles/DRVCONFIG/"
  files+=("C:\\profiles\\DRVCONFIG\\$(basename "$file")")
done
cd "$WINEPREFIX/drive_c/profiles"
timeout 300 wine 'C:\profiles\profile-compare.exe' "$@" "${files[@]}" | tr -d '\r' |
  tee "$kv_scratch_dir/output.log"
status=${PIPESTATUS[0]}
wineserver -w
[ -n "$(kv_counts "$kv_scratch_dir/output.log")" ] ||
  kv_fail "profile-compare.exe ended early (status $status)"
exit "$status"
