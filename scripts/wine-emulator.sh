#!/bin/bash
# Runs a cross-built test program under Wine, headless, in a prepared private
# prefix: $KV_WINEPREFIX, or the --default-prefix given by the build.
#   wine-emulator.sh [--default-prefix DIR] PROGRAM [ARGS...]
#   wine-emulator.sh [--default-prefix DIR] --prepare    (fresh default prefix;
#                                                         $KV_WINEPREFIX is only
#                                                         prepared when missing)
#   wine-emulator.sh [--default-prefix DIR] --shutdown   (wait for wineserver)
# The programs it runs open no windows, so no display is used; the prefix is
# never shared with a run under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
default_prefix=$root/build/wine-tests/wineprefix
if [ "${1:-}" == "--default-prefix" ]; then
  default_prefix=$2
  shift 2
fi
export WINEPREFIX=${KV_WINEPREFIX:-$default_prefix}
source "$root/scripts/wine-env.sh"
unset DISPLAY WAYLAND_DISPLAY

prepare() {
  # One preparation at a time; others wait for it.
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ "${1:-}" == "fresh" ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    if [ -d "$WINEPREFIX" ]; then wineserver -w; fi
    "$root/scripts/wine-prefix.sh" "$WINEPREFIX" winxp
  fi
  flock -u 9
}

case "${1:-}" in
  --prepare)
    if [ -n "${KV_WINEPREFIX:-}" ]; then prepare; else prepare fresh; fi
    ;;
  --shutdown)
    if [ -d "$WINEPREFIX" ]; then wineserver -w; fi
    ;;
  *)
    prepare
    # The program's output goes through files: ctest waits until every
    # holder of a test's output pipe has gone, and the wineserver and Wine's
    # service processes that the program starts would hold it for their idle
    # time.
    output=$(mktemp)
    errors=$(mktemp)
    trap 'rm -f "$output" "$errors"' EXIT
    status=0
    wine "$@" </dev/null >"$output" 2>"$errors" || status=$?
    cat "$output"
    cat "$errors" >&2
    exit "$status"
    ;;
esac
