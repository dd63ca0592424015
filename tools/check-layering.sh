#!/bin/bash
# The layers include only downwards: the platform interfaces and the leaf
# libraries know nothing of the core, and the two machines beside the core,
# sim/ and win32/, model Windows without the core's help (nor does the core
# know them). Inside the core, common/ serves everything above it; config/ and usb/ stand on common/; install/ on those;
# and the two programs' folders, wizard/ and uninstall/, on what lies below
# them, never on each other (nor does uninstall/ reach into install/: what
# both programs share lives in common/ or usb/). Checks every quoted #include of those
# directories under the given source root (default: this repository's src/).
# Prints each file that breaks the rule and ends with "N passed, M failed".
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}

# directory: the include prefixes its files may use
# The handle owner (handles/UniqueHandle.h) is a leaf everything may use; its
# Windows traits (handles/WindowsHandles.h) need <windows.h>, which the core
# never includes.
owner=handles/UniqueHandle.h
rules=(
  "handles:handles/"
  "profiletext:profiletext/"
  "dialogrules:dialogrules/"
  "common:common/ platform/ $owner"
  "config:config/ common/ platform/ profiletext/ $owner"
  "usb:usb/ common/ platform/ $owner"
  "install:install/ config/ usb/ common/ platform/ $owner"
  "wizard:wizard/ install/ config/ usb/ common/ platform/ $owner"
  "uninstall:uninstall/ config/ usb/ common/ platform/ $owner"
  "sim:sim/ platform/ profiletext/ dialogrules/ $owner"
  "win32:win32/ platform/ profiletext/ dialogrules/ handles/"
)

# The quoted includes of the given files, one "file<TAB>included" a line, read
# in one pass: a process per file made this check slower than the tests.
includes() {
  awk 'match($0, /^[ \t]*#[ \t]*include[ \t]*"[^"]+"/) {
         included = substr($0, RSTART, RLENGTH)
         sub(/^[^"]*"/, "", included)
         sub(/"$/, "", included)
         print FILENAME "\t" included
       }' "$@"
}

passed=0
failed=0
for rule in "${rules[@]}"; do
  dir=${rule%%:*}
  allowed=${rule#*:}
  [ -d "$src/$dir" ] || continue
  mapfile -t files < <(find "$src/$dir" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \) |
                         sort)
  [ ${#files[@]} -eq 0 ] && continue
  declare -A bad=()
  while IFS=$'\t' read -r file included; do
    ok=0
    for prefix in $allowed; do
      [[ $included == "$prefix"* ]] && ok=1
    done
    [ "$ok" -eq 0 ] && bad[$file]+=" $included"
  done < <(includes "${files[@]}")
  for file in "${files[@]}"; do
    if [ -n "${bad[$file]:-}" ]; then
      echo "${file#"$src"/} includes outside its layer:${bad[$file]}"
      failed=$((failed + 1))
    else
      passed=$((passed + 1))
    fi
  done
  unset bad
done
# The test probe of dialogs is for tests: no file of the core includes it.
mapfile -t core < <(find "$src" \( -path "$src/platform" -o -path "$src/sim" -o -path "$src/win32" \) \
                      -prune -o -type f \( -name '*.h' -o -name '*.cpp' \) -print | sort)
if [ ${#core[@]} -gt 0 ]; then
  probing=$(includes "${core[@]}" | awk -F'\t' '$2 == "platform/ControlsProbe.h" { print $1 }' | sort -u)
  for file in $probing; do
    echo "${file#"$src"/} includes the test probe platform/ControlsProbe.h"
    failed=$((failed + 1))
  done
  [ -z "$probing" ] && passed=$((passed + 1))
fi
# The interfaces themselves stand alone, on the leaf rules of dialogs at most.
interfaces=("$src"/platform/*.h)
if [ -e "${interfaces[0]}" ]; then
  declare -A outside=()
  while IFS=$'\t' read -r file included; do
    [[ $included == platform/* || $included == dialogrules/* ]] || outside[$file]=1
  done < <(includes "${interfaces[@]}")
  for file in "${interfaces[@]}"; do
    if [ -n "${outside[$file]:-}" ]; then
      echo "${file#"$src"/} includes outside the platform interfaces"
      failed=$((failed + 1))
    else
      passed=$((passed + 1))
    fi
  done
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
