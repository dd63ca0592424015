#!/bin/bash
# The USB printer ID and driver installer operations on the real API under
# Wine, against the medium's stand-ins: usb_wine_check.exe runs beside
# KvUsbInt.dll in a scratch copy of the medium (as its current directory) in
# a private Windows XP prefix under Xvfb. The last line is "N passed, M
# failed".
exec "$(dirname "$0")/medium-check.sh" e2e-usb usb_wine_check usb-wine-check winxp
