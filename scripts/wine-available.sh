#!/bin/bash
# Exits 0 when Wine's loader for the chosen architecture (scripts/lib/arch.sh)
# starts on this machine; otherwise says why and exits 1.
source "$(dirname "$0")/lib/wine.sh"
if [ ! -x "$KV_WINE_LOADER" ]; then
  echo "Wine's $KV_ARCH loader $KV_WINE_LOADER is not installed (scripts/install-deps.sh)"
  exit 1
fi
if ! output=$("$KV_WINE_LOADER" --version 2>&1); then
  echo "Wine's $KV_ARCH loader does not start here: $output"
  exit 1
fi
