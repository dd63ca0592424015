#!/bin/bash
# Builds the configuration reader's fuzz target with clang's libFuzzer and
# AddressSanitizer/UBSan, and runs it when asked.
#   fuzz/build.sh            build build/fuzz/profile-reader-fuzz
#   fuzz/build.sh run [SECONDS]   build, then fuzz for SECONDS (default 600)
#                                 from fuzz/corpus, new inputs in build/fuzz/corpus
# Needs clang and libclang-rt-14-dev (Debian 12).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
mkdir -p "$out"
clang++ -std=c++20 -g -O1 -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/src" \
  "$root/fuzz/ProfileReaderFuzz.cpp" "$root/src/profiletext/ProfileReader.cpp" \
  "$root/src/profiletext/ProfileReaderText.cpp" \
  -o "$out/profile-reader-fuzz"
if [ "${1:-}" = run ]; then
  seconds=${2:-600}
  mkdir -p "$out/corpus"
  cd "$out"
  ./profile-reader-fuzz -max_total_time="$seconds" -jobs=1 -workers=1 -max_len=65536 \
    -timeout=10 corpus "$root/fuzz/corpus"
fi
