#!/bin/bash
# Prints how long RunInstall takes for a serial installation on Windows XP
# under Wine, against the sum of the waits it is required to make, and the
# overhead between them. A measurement, not a test: run by hand.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/builds.sh"
build=$KV_WIN_BUILD
work=$root/build/install-timing

problem=$("$root/scripts/wine-available.sh") || { echo "$problem"; exit 1; }
kv_build_windows medium run_install_wine_check || exit 1
medium=$(kv_medium_dir)
echo "($KV_ARCH build)"
rm -rf "$work"
mkdir -p "$work"
cp -a "$medium" "$work/medium"
cp "$build/procedure-wine-check/run_install_wine_check.exe" "$work/medium/"
"$root/scripts/wine-prefix.sh" "$work/prefix" winxp || exit 1
export WINEPREFIX=$work/prefix
source "$root/scripts/wine-env.sh"
cd "$work/medium" && kv_headless 600 wine run_install_wine_check.exe measure | tr -d '\r' | grep -E '^RunInstall|FAIL'
