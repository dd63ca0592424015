#!/bin/bash
# Installs what the builds and tests need on a fresh Debian 12 machine, when
# it is missing, all from Debian 12 itself. Needs root (apt-get).
# Wine: the 64-bit loader always; the 32-bit one (wine32, an i386 package)
# only where this machine executes 32-bit programs (scripts/lib/arch.sh),
# since elsewhere it cannot start.
set -euo pipefail
source "$(dirname "$0")/lib/arch.sh"

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for pkg in cmake g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev clang-format \
           g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 \
           binutils-mingw-w64-x86-64 fp-utils xvfb xauth imagemagick zip wine wine64; do
  have "$pkg" || need+=("$pkg")
done
if [ "$KV_ARCH" = i686 ] && ! have wine32:i386; then
  dpkg --add-architecture i386
  need+=(wine32:i386)
fi

[ ${#need[@]} -eq 0 ] && exit 0
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${need[@]}" >/dev/null
