# Sourced by every script that runs Wine: Wine's environment for the
# architecture scripts/lib/arch.sh chose, and the helpers that prepare
# prefixes, run programs headless and walk dialogs.
#
# Quiet, no Mono or Gecko installer. `wine` (and `wine-stable`, which
# wineboot, winecfg and the like call) starts the chosen architecture's
# loader: Debian's wrapper would pick the 32-bit loader whenever wine32 is
# installed, which cannot start where 32-bit programs cannot run.
source "$(dirname "${BASH_SOURCE[0]}")/arch.sh"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=$KV_WINEARCH
kv_wine_bin=$kv_root/build/wine-bin/$KV_ARCH
if [ ! -x "$kv_wine_bin/wine-stable" ]; then
  mkdir -p "$kv_wine_bin"
  for kv_name in wine wine-stable; do
    printf '#!/bin/sh\nexec %s "$@"\n' "$KV_WINE_LOADER" >"$kv_wine_bin/$kv_name.tmp.$$"
    chmod +x "$kv_wine_bin/$kv_name.tmp.$$"
    mv "$kv_wine_bin/$kv_name.tmp.$$" "$kv_wine_bin/$kv_name"
  done
fi
case ":$PATH:" in
  *":$kv_wine_bin:"*) ;;
  *) export PATH=$kv_wine_bin:$PATH ;;
esac

# A Unix path as Wine's Z: drive shows it.
windows_path() { local path=$1; echo "Z:${path//\//\\}"; }

# kv_prefix DIR [VERSION]: a fresh private prefix in DIR reporting VERSION
# (default winxp; scripts/wine-prefix.sh), made the current WINEPREFIX.
kv_prefix() {
  "$kv_root/scripts/wine-prefix.sh" "$1" "${2:-winxp}" || return 1
  export WINEPREFIX=$1
}

# kv_headless SECONDS COMMAND...: runs COMMAND (with Wine programs in it) under
# its own Xvfb for at most SECONDS, and waits for the prefix's wineserver
# before the display goes. COMMAND may be a shell function of the caller: the
# functions are handed over as text, since the X wrapper's shell drops
# exported ones. Only exported variables reach it.
kv_headless() {
  local seconds=$1
  shift
  KV_FUNCTIONS=$(declare -f) timeout "$seconds" xvfb-run -a -s "-screen 0 1024x768x24" \
    bash -c 'eval "$KV_FUNCTIONS"; "$@"; status=$?; wineserver -w; exit $status' headless \
    "$@" </dev/null
}

# kv_scratch NAME: a temporary folder, $kv_scratch_dir, for a run without a
# display; on exit the wineserver of the prefix then current is ended and the
# folder removed.
kv_scratch() {
  kv_scratch_dir=$(mktemp -d "/tmp/kv-$1.XXXXXX") || exit 1
  unset DISPLAY WAYLAND_DISPLAY
  trap kv_end_scratch EXIT
}
kv_end_scratch() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1; fi
  rm -rf "$kv_scratch_dir"
}

# kv_walk_places MEDIUM SHOTS: the places a walk names, as Windows paths:
# WALK_ROOT (the source tree, whose ids headers the walks read), WALK_MEDIUM
# (the program's folder) and WALK_SHOTS (where screenshots go).
kv_walk_places() {
  export WALK_ROOT WALK_MEDIUM WALK_SHOTS
  WALK_ROOT=$(windows_path "$kv_root")
  WALK_MEDIUM=$(windows_path "$1")
  WALK_SHOTS=$(windows_path "$2")
}

# kv_walk SCRIPT: the walk driver of this architecture's test build
# (tests/walk) runs SCRIPT in the current prefix, inside kv_headless; its
# output without CRs, ending "walk: N passed, M failed".
kv_walk() {
  wine "$KV_TEST_BUILD/walk/walk-driver.exe" "$(windows_path "$1")" | tr -d '\r'
  return "${PIPESTATUS[0]}"
}
