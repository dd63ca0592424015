#!/bin/bash
# Deployment without windows under Wine, end to end, for each walk in
# tests/wine/unattended/ (serial on XP, parallel on 2000, USB on XP with one
# printer attached, Windows 98), each in a fresh prefix of the version it names
# with a fresh copy of the assembled medium:
#   1. the wizard is walked with /RECORD=answers.ini and the machine's state
#      is dumped: the family's registry keys, the spooler's printers, drivers,
#      monitors and processors, the default printer, the serial settings, and
#      the files they name (with their checksums);
#   2. "Uninstall.exe /S /ALL" empties the machine: no printer of the family,
#      no monitor or processor of the family is left, the exit code is 0 or
#      3010 (a DLL the spooler holds is deleted at the next start);
#   3. "setup.exe /S /ANSWER=answers.ini" replays the recorded file: the exit
#      code is the walk's "silent-exit", and the dump equals the first one line
#      by line (the remnants the uninstaller leaves by design are written again
#      with the same values);
#   4. a second silent run changes nothing and ends with 0.
# Both programs are started from a batch file with `start "" /wait` in the
# system folder, as a deployment engine or a startup script would, and each
# writes a log whose lines are checked: every line's form, the command line
# first, the result and the exit code last.
# Directives in a walk's comments: "# windows: VERSION", "# usb: ID ...",
# "# silent-exit: CODE". KV_UNATTENDED_WALKS="serial-xp win98" runs only the
# named walks. Ends with "N passed, M failed" over every check.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/checks.sh"
work=$root/build/e2e-unattended

kv_build_windows medium || kv_fail "the build failed"
kv_build_tests walk-driver || kv_fail "building the walk driver failed"
directive() { sed -n "s/^# $1: *//p" "$2"; }

check() {
  local what=$1
  shift
  if "$@"; then
    echo "$name: $what: passed"
    kv_add 1 0
  else
    echo "$name: $what: FAILED"
    kv_add 0 1
  fi
}

# The family's part of the prefix's registry, read from Wine's own files
# (the wineserver has written them when the programs ended): every key under
# the listed paths with its values, the keys' time stamps dropped; keys and
# values in Wine's order, which is sorted.
dump_registry() {
  local file=$1
  shift
  KV_DUMP_PATHS=$(printf '%s\n' "$@") awk '
    BEGIN { n = split(tolower(ENVIRON["KV_DUMP_PATHS"]), wanted, "\n") }
    /^\[/ {
      key = $0
      sub(/\] [0-9]+$/, "]", key)
      keep = 0
      for (i = 1; i <= n; i++) {
        if (wanted[i] != "" && index(tolower(key), "[" wanted[i]) == 1) keep = 1
      }
      if (keep) print key
      next
    }
    /^#time=/ { next }
    keep && NF { print }
  ' "$file"
}

# The machine state: registry, then the spooler's files and the monitor DLLs
# named in the registry, each with its checksum.
dump_state() {
  local prefix=$1 c=$1/drive_c/windows/system32 dll
  dump_registry "$prefix/system.reg" \
    'System\\CurrentControlSet\\Control\\Print\\Printers' \
    'System\\CurrentControlSet\\Control\\Print\\Monitors' \
    'System\\CurrentControlSet\\Control\\Print\\Environments' \
    'Software\\KORVANT' \
    'Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports' \
    'Software\\Microsoft\\Windows NT\\CurrentVersion\\Print'
  dump_registry "$prefix/user.reg" \
    'Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows' \
    'Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices' \
    'Software\\Microsoft\\Windows NT\\CurrentVersion\\PrinterPorts' \
    'Software\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags'
  (cd "$c/spool" && find . -type f | LC_ALL=C sort | xargs -r -d '\n' md5sum)
  for dll in $(dump_registry "$prefix/system.reg" \
                 'System\\CurrentControlSet\\Control\\Print\\Monitors' |
               sed -n 's/^"Driver"="\(.*\)"$/\1/p' | tr 'A-Z' 'a-z' | sort -u); do
    [ -f "$c/$dll" ] && (cd "$c" && md5sum "$dll")
  done
}

# The remnants the silent uninstaller leaves by design (serial settings under
# Ports, PRINTERPORT, the staged legacy files, the compatibility marks) are in
# every dump after the first install; the silent install writes them again
# with the same values, so the dumps are compared whole, line by line.

# Runs a Windows command line from a batch file in the system folder, as a
# startup script would, under the display; the program's exit code as the
# batch file saw it goes to FILE.
run_batch() {
  local file=$1 command=$2 bat=$base/run.bat
  printf '@echo off\r\ncd /d %%windir%%\\system32\r\nstart "" /wait %s\r\necho %%errorlevel%%> %s\r\n' \
    "$command" "$(windows_path "$file")" >"$bat"
  rm -f "$file"
  kv_headless 900 wine cmd /c "$(windows_path "$bat")" >>"$base/wine.log" 2>&1
}
exit_code() { tr -d '\r\n ' <"$1" 2>/dev/null; }

# A log's lines have the form and frame of a run: time stamp, program and
# version, text; the command line first; the exit code last.
log_framed() {
  local log=$1 program=$2 code=$3
  [ -s "$log" ] || { echo "no log $log"; return 1; }
  tr -d '\r' <"$log" | awk -F'\t' -v program="$program" -v code="$code" '
    !/^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]\.[0-9][0-9][0-9]\t/ {
      print "malformed: " $0; bad = 1 }
    NF != 3 || $2 !~ ("^" program " [0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$") {
      print "fields: " $0; bad = 1 }
    NR == 1 && $3 !~ /^Command line: / { print "first: " $3; bad = 1 }
    { last = $3 }
    END {
      if (last !~ ("^Exit code " code ": ")) { print "last: " last; bad = 1 }
      exit bad
    }'
}

family_gone() {
  ! grep -qi -e 'QTM-' -e 'Korvant' <(dump_registry "$prefix/system.reg" \
      'System\\CurrentControlSet\\Control\\Print\\Printers' \
      'System\\CurrentControlSet\\Control\\Print\\Monitors')
}

for walk in "$root"/tests/wine/unattended/*.walk; do
  name=$(basename "$walk" .walk)
  if [ -n "${KV_UNATTENDED_WALKS:-}" ] && [[ " $KV_UNATTENDED_WALKS " != *" $name "* ]]; then
    continue
  fi
  version=$(directive windows "$walk")
  silent_exit=$(directive silent-exit "$walk")
  base=$work/$name
  prefix=$base/prefix
  medium=$base/medium
  kv_medium_copy "$base" || kv_fail "copying the medium failed"
  mkdir -p "$base/screenshots"
  directive usb "$walk" | tr ' ' '\n' | sed '/^$/d' >"$medium/KvUsbInt.txt"
  kv_prefix "$prefix" "${version:-winxp}" ||
    kv_fail "$name: preparing the ${version:-winxp} prefix failed"
  kv_walk_places "$medium" "$base/screenshots"
  win_medium=$(windows_path "$medium")

  # 1. The wizard, recording.
  kv_headless 600 kv_walk "$walk" 2>&1 | tee "$base/walk.log"
  check "the wizard's walk with /RECORD" kv_run_counts "$base/walk.log" "${PIPESTATUS[0]}"
  check "the answer file was written" test -s "$medium/answers.ini"
  dump_state "$prefix" >"$base/dump-wizard.txt"

  # 2. Emptied by the silent uninstaller.
  run_batch "$base/uninstall.code" \
    "\"$win_medium\\Uninstall.exe\" /S /ALL /LOG=\"$win_medium\\uninstall.log\""
  code=$(exit_code "$base/uninstall.code")
  check "Uninstall.exe /S /ALL ends with 0 or 3010 (got ${code:-none})" \
    test "$code" = 0 -o "$code" = 3010
  check "the uninstaller's log" log_framed "$medium/uninstall.log" uninstall "$code"
  check "the uninstaller's log names the removals" \
    grep -q ' has been deleted\.' "$medium/uninstall.log"
  check "the family is gone" family_gone
  dump_state "$prefix" >"$base/dump-empty.txt"

  # 3. The silent install of the recorded answers.
  run_batch "$base/setup.code" \
    "\"$win_medium\\setup.exe\" /S /ANSWER=\"$win_medium\\answers.ini\" /LOG=\"$win_medium\\setup.log\""
  code=$(exit_code "$base/setup.code")
  check "setup.exe /S ends with $silent_exit (got ${code:-none})" test "$code" = "$silent_exit"
  check "the silent install's log" log_framed "$medium/setup.log" setup "$silent_exit"
  dump_state "$prefix" >"$base/dump-silent.txt"
  check "the silent install's state equals the wizard's" \
    diff "$base/dump-wizard.txt" "$base/dump-silent.txt"

  # 4. Once more: nothing changes, 0.
  cp "$medium/setup.log" "$base/setup-first.log"
  run_batch "$base/again.code" \
    "\"$win_medium\\setup.exe\" /S /ANSWER=\"$win_medium\\answers.ini\" /LOG=\"$win_medium\\setup.log\""
  code=$(exit_code "$base/again.code")
  check "a second silent run ends with 0 (got ${code:-none})" test "$code" = 0
  check "the log was appended to" log_framed "$medium/setup.log" setup 0
  check "the second run's log says it found the printer" \
    grep -q "Already installed: " <(tail -n 3 "$medium/setup.log")
  dump_state "$prefix" >"$base/dump-again.txt"
  check "a second silent run changes nothing" \
    diff "$base/dump-silent.txt" "$base/dump-again.txt"
done
kv_totals
