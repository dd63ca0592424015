#!/bin/bash
# Every tracked C and C++ file is formatted as .clang-format says.
cd "$(dirname "$0")/.."
passed=0
failed=0
while IFS= read -r file; do
  if clang-format --dry-run -Werror "$file" >/dev/null 2>&1; then
    passed=$((passed + 1))
  else
    echo "not formatted: $file (clang-format -i $file)"
    failed=$((failed + 1))
  fi
done < <(git ls-files '*.cpp' '*.h' '*.c')
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
