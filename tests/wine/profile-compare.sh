#!/bin/bash
# Holds the configuration reader to GetPrivateProfileStringA under Wine: runs
# profile-compare.exe (built in the win32 build) in a private prefix. Prints
# "N passed, M failed" last; exits non-zero on any failure.
#   tests/wine/profile-compare.sh [BUILD-DIR] [-v]
#     (default: the Windows build of scripts/lib/arch.sh)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/builds.sh"
build=${1:-$KV_WIN_BUILD}
shift || true
program=$build/profile-compare.exe
work=$(mktemp -d /tmp/kv-profile-compare.XXXXXX)

source "$root/scripts/wine-env.sh"
unset DISPLAY WAYLAND_DISPLAY
export WINEPREFIX=$work/prefix

cleanup() {
  [ -d "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

if [ ! -f "$program" ]; then
  echo "missing $program (build the win32 build first)"
  echo "0 passed, 1 failed"
  exit 1
fi
if ! "$root/scripts/wine-prefix.sh" "$WINEPREFIX" winxp; then
  echo "Wine prefix not prepared"
  echo "0 passed, 1 failed"
  exit 1
fi

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
output=$(timeout 300 wine 'C:\profiles\profile-compare.exe' "$@" "${files[@]}" | tr -d '\r')
status=$?
wineserver -w
echo "$output"
summary=$(tail -n 1 <<<"$output")
if ! grep -qE '^[0-9]+ passed, [0-9]+ failed$' <<<"$summary"; then
  echo "profile-compare.exe ended early (status $status)"
  echo "0 passed, 1 failed"
  exit 1
fi
[ "$status" -eq 0 ]
