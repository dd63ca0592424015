#!/bin/bash
# Checks the installation medium under Wine: builds the medium and the check
# program in the Windows build of this machine (scripts/lib/arch.sh), copies
# the medium to a scratch folder (the checks change files on it), and runs the
# checks there in a private prefix under Xvfb, once per Windows version in
# KV_WINDOWS (default "winxp win98"). The last line is "N passed, M failed"
# over all versions.
exec "$(dirname "$0")/../wine/medium-check.sh" medium-checks medium_checks tests/medium \
  "winxp win98" build
