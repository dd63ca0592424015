#!/bin/bash
# The install procedure on the real API under Wine, against the medium's
# stand-ins, in Windows XP, 2000 and 98 prefixes.
exec "$(dirname "$0")/medium-check.sh" e2e-procedure run_install_wine_check \
  procedure-wine-check "winxp win2k win98"
