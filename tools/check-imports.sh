#!/bin/bash
# Checks that every program and library of a build imports only what Windows 98
# and NT 4.0 both provide.
#   tools/check-imports.sh [--except DIR]... ALLOWLIST[:ALLOWLIST]... FILE-OR-DIRECTORY...
# A directory stands for every .exe and .dll below it (CMake's own scratch
# directories and each --except directory left out). Several lists joined by
# ':' count as one: the test programs' list adds what only tests call. Every imported DLL must be a Windows system DLL and
# every imported function must be listed in ALLOWLIST as "dll function"
# (DLL names ignore case). A function new to the list is added only after
# someone has checked that both systems export it; anything newer is reached
# through GetProcAddress.
set -euo pipefail
except=()
while [ "${1:-}" = --except ]; do
  except+=(-o -path "$2")
  shift 2
done
IFS=: read -r -a allowlists <<<"$1"
shift
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}

# Runtime DLLs of the toolchain: a static build must not need them.
runtime_pattern='^(libstdc\+\+|libgcc|libwinpthread|libssp|libgomp|libatomic)'

mapfile -t binaries < <(
  for item in "$@"; do
    if [ -d "$item" ]; then
      find "$item" \( -path '*/CMakeFiles' "${except[@]}" \) -prune -o -type f \( -iname '*.exe' -o -iname '*.dll' \) -print
    else
      echo "$item"
    fi
  done | sort)

allowed=$({ cat "${allowlists[@]}" | grep -v '^[[:space:]]*\(#\|$\)' || true; } |
  awk '{print tolower($1) " " $2}' | sort -u)
allowed_dlls=$(echo "$allowed" | awk '{print $1}' | sort -u)

failures=0
checked=0
for binary in "${binaries[@]}"; do
  checked=$((checked + 1))
  # "dll function" per import; ordinal imports as "dll #ordinal". Each one is
  # judged in one pass against the list.
  refusals=$("$objdump" -p "$binary" | awk -v binary="$binary" -v runtime="$runtime_pattern" \
      -v allowed="$allowed" '
    BEGIN {
      n = split(allowed, lines, "\n")
      for (i = 1; i <= n; i++) {
        if (lines[i] == "") continue
        ok[lines[i]] = 1
        split(lines[i], parts, " ")
        dlls[parts[1]] = 1
      }
    }
    /^[[:space:]]*DLL Name:/ { dll = tolower($3); inlist = 0; next }
    /Hint\/Ord Member-Name/ { inlist = 1; next }
    inlist && NF == 0 { inlist = 0; next }
    inlist && NF >= 2 {
      import = dll " " (NF >= 3 ? $3 : "#" $2)
      if (seen[import]++) next
      if (dll ~ runtime) {
        print "FAIL " binary ": imports the toolchain runtime " dll " (link statically)"
      } else if (!(dll in dlls)) {
        print "FAIL " binary ": imports " dll ", which is not a Windows 98 / NT 4.0 system DLL on the list"
      } else if (!(import in ok)) {
        print "FAIL " binary ": imports " import ", not on the list of checked functions"
      }
    }')
  if [ -n "$refusals" ]; then
    echo "$refusals"
    failures=$((failures + $(wc -l <<<"$refusals")))
  fi
done

if [ "$checked" -eq 0 ]; then
  echo "FAIL no .exe or .dll found in: $*"
  exit 1
fi
echo "$checked files checked, $failures imports refused"
[ "$failures" -eq 0 ]
