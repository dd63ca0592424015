# Sourced by every script that runs Wine: quiet, no Mono or Gecko installer,
# 32-bit prefixes.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win32
