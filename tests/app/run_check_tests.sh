#!/usr/bin/env bash
# The definition checker over the bundled games (no error, no warning) and
# over each folder under tests/app/check/<case>/, whose expected.out holds
# the exact report and whose status holds the expected exit status.
set -u
sim="$1"
root="$2"
failed=0
out=$("$sim" --check "$root/games")
status=$?
if [ $status -ne 0 ] || [ "$out" != "36 games checked: 0 errors, 0 warnings" ]; then
  echo "FAIL games/: status $status"
  echo "$out"
  failed=1
fi
for dir in "$root"/tests/app/check/*/; do
  name=$(basename "$dir")
  actual=$("$sim" --check "$dir")
  status=$?
  if ! diff -u "$dir/expected.out" <(printf '%s\n' "$actual"); then
    echo "FAIL $name: report differs"
    failed=1
  fi
  if [ "$status" != "$(cat "$dir/status")" ]; then
    echo "FAIL $name: exit status $status"
    failed=1
  fi
done
[ $failed -eq 0 ] && echo "check: all passed"
exit $failed
