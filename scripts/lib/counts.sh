# Sourced: the count line every check and step ends with, "N passed, M
# failed" (a name may come first: "walk: 3 passed, 0 failed"), and ctest's
# summary, read from logs and added up. Sourcing it again keeps the totals.
kv_passed=${kv_passed:-0}
kv_failed=${kv_failed:-0}

# kv_counts FILE: "PASSED FAILED" for every count line of FILE, in order.
kv_counts() {
  tr -d '\r' <"$1" | awk '
    /^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+/ { print $9 - $4, $4; next }
    /^([A-Za-z0-9-]+: )?[0-9]+ passed, [0-9]+ failed/ {
      sub(/^[A-Za-z0-9-]+: /, "")
      print $1 + 0, $3 + 0
    }'
}

# kv_add PASSED FAILED: adds to the totals.
kv_add() {
  kv_passed=$((kv_passed + $1))
  kv_failed=$((kv_failed + $2))
}

# kv_run_counts FILE STATUS: "PASSED FAILED" of the run that wrote FILE and
# ended with STATUS, from its last count line. A run that printed none counts
# as one failure (the reason follows the counts), and so does a failed STATUS
# with nothing counted as failed. True when nothing failed.
kv_run_counts() {
  local status=$2 p f
  read -r p f < <(kv_counts "$1" | tail -n 1)
  if [ -z "${p:-}" ]; then
    echo "0 1 no count line, exit status $status"
    return 1
  fi
  [ "$status" -ne 0 ] && [ "$f" -eq 0 ] && f=1
  echo "$p $f"
  [ "$f" -eq 0 ]
}

# kv_add_log FILE STATUS [NAME]: adds the counts of that run (kv_run_counts);
# with NAME, says what it added. True when nothing failed.
kv_add_log() {
  local p f why
  read -r p f why < <(kv_run_counts "$1" "$2")
  kv_add "$p" "$f"
  [ -z "${3:-}" ] || echo "$3: $p passed, $f failed${why:+ ($why)}"
  [ "$f" -eq 0 ]
}

# kv_totals: the last line, "N passed, M failed"; true when nothing failed.
kv_totals() {
  echo "$kv_passed passed, $kv_failed failed"
  [ "$kv_failed" -eq 0 ]
}

# kv_fail MESSAGE: a check that cannot run fails with its reason.
kv_fail() {
  echo "$1"
  echo "0 passed, 1 failed"
  exit 1
}
