# Sourced by every script that runs Wine: quiet, no Mono or Gecko installer,
# prefixes and loader of the architecture scripts/lib/arch.sh chose. `wine`
# (and `wine-stable`, which wineboot, winecfg and the like call) starts that
# loader: Debian's wrapper would pick the 32-bit loader whenever wine32 is
# installed, which cannot start where 32-bit programs cannot run.
source "$(dirname "${BASH_SOURCE[0]}")/lib/arch.sh"
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
