#!/bin/bash
# Prints how long RunInstall takes for a serial installation on Windows XP
# under Wine, against the sum of the waits it is required to make, and the
# overhead between them. A measurement, not a test: run by hand.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/checks.sh"
work=$root/build/install-timing

problem=$("$root/scripts/wine-available.sh") || { echo "$problem"; exit 1; }
kv_build_windows medium run_install_wine_check || exit 1
echo "($KV_ARCH build)"
kv_medium_copy "$work" "$KV_WIN_BUILD/procedure-wine-check/run_install_wine_check.exe" || exit 1
kv_prefix "$work/prefix" winxp || exit 1
cd "$work/medium" && kv_headless 600 wine run_install_wine_check.exe measure | tr -d '\r' | grep -E '^RunInstall|FAIL'
