#!/bin/bash
# Runs a cross-built test program under Wine, headless, in a prepared private
# prefix: $KV_WINEPREFIX, or the --default-prefix given by the build.
#   wine-emulator.sh [--default-prefix DIR] PROGRAM [ARGS...]
#   wine-emulator.sh [--default-prefix DIR] --prepare    (fresh default prefix;
#                                                         $KV_WINEPREFIX is only
#                                                         prepared when missing)
#   wine-emulator.sh [--default-prefix DIR] --shutdown   (wait for wineserver)
#   wine-emulator.sh --display [--default-prefix DIR] PROGRAM [ARGS...]
# A prefix made here reports Windows XP, or $KV_WINE_VERSION when set.
# Programs run without a display, unless --display: then each run gets its
# own Xvfb and a prefix of its own ($KV_WINEPREFIX-x11 when set), whose
# wineserver is gone before the display goes. A prefix is never shared
# between runs with and without a display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
display=0
if [ "${1:-}" == "--display" ]; then
  display=1
  shift
fi
default_prefix=$root/build/wine-tests/wineprefix
if [ "${1:-}" == "--default-prefix" ]; then
  default_prefix=$2
  shift 2
fi
if [ "$display" -eq 1 ]; then
  export WINEPREFIX=${KV_WINEPREFIX:+$KV_WINEPREFIX-x11}
  export WINEPREFIX=${WINEPREFIX:-$default_prefix}
else
  export WINEPREFIX=${KV_WINEPREFIX:-$default_prefix}
fi
source "$root/scripts/lib/wine.sh"
unset DISPLAY WAYLAND_DISPLAY

prepare() {
  # One preparation at a time; others wait for it.
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ "${1:-}" == "fresh" ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    if [ -d "$WINEPREFIX" ]; then wineserver -w; fi
    "$root/scripts/wine-prefix.sh" "$WINEPREFIX" "${KV_WINE_VERSION:-winxp}"
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
    if [ "$display" -eq 1 ]; then
      kv_headless 600 wine "$@" >"$output" 2>"$errors" || status=$?
    else
      wine "$@" </dev/null >"$output" 2>"$errors" || status=$?
    fi
    cat "$output"
    cat "$errors" >&2
    exit "$status"
    ;;
esac
