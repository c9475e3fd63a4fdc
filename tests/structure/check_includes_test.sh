#!/usr/bin/env bash
# The include check must fail for each kind of fault it exists to catch, and pass a clean tree.
set -u
check="$(dirname "$0")/check_includes.py"
rules="$(dirname "$0")/../../src/CMakeLists.txt"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

tree() {  # tree NAME: a fresh small tree with a clean direction
    rm -rf "$work/src"
    mkdir -p "$work/src/numbers" "$work/src/catalogue" "$work/src/shared" "$work/src/app"
    cp "$rules" "$work/src/CMakeLists.txt"
    printf '#pragma once\n' >"$work/src/numbers/leading_number.h"
    printf '#include "numbers/leading_number.h"\n' >"$work/src/catalogue/radix.h"
    printf '#include "catalogue/radix.h"\n' >"$work/src/shared/settings.h"
    printf '#include "shared/settings.h"\n' >"$work/src/app/frmMini.h"
    printf '#include "app/frmMini.h"\n' >"$work/src/app/frmConvert.h"
}

expect() {  # expect NAME STATUS PATTERN
    local output status
    output=$(python3 "$check" "$work/src" 2>&1)
    status=$?
    if [ "$status" -ne "$2" ] || ! grep -q -- "$3" <<<"$output"; then
        echo "FAIL $1: status $status, output: $output"
        failures=$((failures + 1))
    fi
}

tree
expect "clean tree passes" 0 "no module cycles"

tree
printf '#include "shared/settings.h"\n' >>"$work/src/catalogue/radix.h"
expect "catalogue may not use the state" 1 "catalogue may not use shared"

tree
mkdir -p "$work/src/cli"
printf '#include <QString>\n' >"$work/src/cli/cli_run.cpp"
expect "the command line links no toolkit" 1 "cli links no toolkit"

tree
printf '#include "app/frmConvert.h"\n' >"$work/src/app/frmMini_menu.cpp"
expect "a part of a module closes a loop" 1 "app/frmConvert <-> app/frmMini"

tree
mkdir -p "$work/src/extra" && printf '\n' >"$work/src/extra/new.h"
expect "an unknown folder is reported" 1 "folder 'extra' has no place"

tree
grep -v "may include:" "$rules" >"$work/src/CMakeLists.txt"
expect "rules missing from src/CMakeLists.txt" 1 "states no include rules"

tree
mkdir -p "$work/tests/gui"
printf '## Layout\n\n- `src/numbers/`, `src/catalogue/`, `src/shared/`, `src/app/`\n' >"$work/README.md"
expect "a folder the README's layout does not name" 1 "does not name .tests/gui/."
rm -rf "$work/tests" "$work/README.md"

exit $((failures > 0))
