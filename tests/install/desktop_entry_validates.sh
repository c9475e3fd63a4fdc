#!/bin/sh
# desktop-file-validate exits 0 on warnings; any report at all fails the test.
report=$("$1" "$2" 2>&1)
status=$?
printf '%s' "$report"
[ $status -eq 0 ] && [ -z "$report" ]
