#!/bin/bash
# The layers include only downwards: the platform interfaces and the leaf
# libraries know nothing of the core, and the simulated and real machines
# model Windows without the core's help. Checks every quoted #include of those
# directories under the given source root (default: this repository's src/).
# Prints each file that breaks the rule and ends with "N passed, M failed".
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}

# directory: the include prefixes its files may use
rules=(
  "profiletext:profiletext/"
  "platform/sim:platform/ profiletext/"
  "platform/win32:platform/ profiletext/"
)

passed=0
failed=0
for rule in "${rules[@]}"; do
  dir=${rule%%:*}
  allowed=${rule#*:}
  [ -d "$src/$dir" ] || continue
  while IFS= read -r file; do
    bad=""
    while IFS= read -r included; do
      ok=0
      for prefix in $allowed; do
        [[ $included == "$prefix"* ]] && ok=1
      done
      [ "$ok" -eq 0 ] && bad+=" $included"
    done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$file")
    if [ -n "$bad" ]; then
      echo "${file#"$src"/} includes outside its layer:$bad"
      failed=$((failed + 1))
    else
      passed=$((passed + 1))
    fi
  done < <(find "$src/$dir" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
done
# The interfaces themselves stand alone.
for file in "$src"/platform/*.h; do
  [ -e "$file" ] || continue
  if sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$file" |
      grep -qv '^platform/'; then
    echo "${file#"$src"/} includes outside the platform interfaces"
    failed=$((failed + 1))
  else
    passed=$((passed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
