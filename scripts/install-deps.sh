#!/bin/bash
# Installs what the builds and tests need on a fresh Debian 12 machine, when
# it is missing. Needs root (apt-get).
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for pkg in cmake g++ make libgtest-dev libgmock-dev googletest clang-format \
           g++-mingw-w64-i686 binutils-mingw-w64-i686 fp-utils xvfb xauth imagemagick zip; do
  have "$pkg" || need+=("$pkg")
done
wine_needed=0
have wine || wine_needed=1
have wine32:i386 || wine_needed=1

if [ ${#need[@]} -eq 0 ] && [ $wine_needed -eq 0 ]; then
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
if [ $wine_needed -eq 1 ]; then
  dpkg --add-architecture i386
  need+=(wine wine32:i386)
fi
apt-get update -qq
apt-get install -y -qq "${need[@]}" >/dev/null
