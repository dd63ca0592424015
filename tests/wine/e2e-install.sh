#!/bin/bash
# The installation operations on the real API under Wine, against the
# medium's stand-ins, in Windows XP, NT 4.0 and Windows 98 prefixes.
exec "$(dirname "$0")/medium-check.sh" e2e-install install_wine_check install-wine-check \
  "winxp nt40 win98"
