#!/bin/bash
# Counts the cases of a ctest run in which each GoogleTest program is one
# test. A program's cases come from its XML report (<results>/<test>.xml); any
# other test counts once, as ctest ran it. A program that failed without a
# failed case in its report (a crash, a leak found at exit, no report at all)
# adds one failure. Prints "cases: N passed, M failed".
# Usage: count-test-cases.sh <ctest's JUnit file> <results directory>
junit=$1
results=$2

if [ ! -r "$junit" ]; then
  echo "no ctest report in $junit"
  echo "cases: 0 passed, 1 failed"
  exit 1
fi

# A number attribute of the first element that has it.
attribute() {
  local name=$1 file=$2
  grep -o -m1 " $name=\"[0-9]*\"" "$file" | head -1 | tr -dc '0-9'
}

passed=0
failed=0
while IFS=$'\t' read -r name status; do
  report=$results/$name.xml
  if [ -r "$report" ]; then
    cases=$(attribute tests "$report")
    failures=$(( $(attribute failures "$report") + $(attribute errors "$report") ))
    left_out=$(( $(attribute disabled "$report") + $(grep -c 'result="skipped"' "$report") ))
    passed=$((passed + cases - failures - left_out))
    failed=$((failed + failures))
    if [ "$status" != run ] && [ "$failures" -eq 0 ]; then
      echo "$name failed outside its cases"
      failed=$((failed + 1))
    fi
  elif [ "$status" = run ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
  fi
done < <(sed -nE 's/.*<testcase name="([^"]*)".* status="([^"]*)".*/\1\t\2/p' "$junit")

echo "cases: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
