#!/usr/bin/env bash
# The file-local name check must fail on each kind of clash it exists to catch, and pass a clean
# target: a fake build whose compile commands name one batched target and one plain one.
set -u
check="$(dirname "$0")/check_file_local_names.py"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

tree() {  # a clean tree: a.cpp and b.cpp batched into target t, c.cpp alone in target u
    rm -rf "$work/src" "$work/build" && mkdir -p "$work/src" "$work/build"
    printf 'namespace halden {\nnamespace {\nint Width(int x) { return x; }\nint Width() { return 1; }\n}\n}\n' >"$work/src/a.cpp"
    printf 'namespace halden {\nnamespace {\nconstexpr int kGap = 2;\n}\nint Width(double) { return 0; }\n}\n' >"$work/src/b.cpp"
    printf 'namespace {\nint Width() { return 3; }\n}\n' >"$work/src/c.cpp"
    printf '#include "%s"\n#include "%s"\n' "$work/src/a.cpp" "$work/src/b.cpp" >"$work/build/unity_0_cxx.cxx"
    cat >"$work/build/compile_commands.json" <<JSON
[{"directory": "$work/build", "file": "unity_0_cxx.cxx", "output": "CMakeFiles/t.dir/Unity/unity_0_cxx.cxx.o"},
 {"directory": "$work/build", "command": "c++ -o CMakeFiles/u.dir/c.cpp.o -c $work/src/c.cpp", "file": "$work/src/c.cpp"}]
JSON
}

expect() {  # expect NAME STATUS PATTERN
    local output status
    output=$(python3 "$check" "$work/build" "$work/src" 2>&1)
    status=$?
    if [ "$status" -ne "$2" ] || ! grep -q -- "$3" <<<"$output"; then
        echo "FAIL $1: status $status, output: $output"
        failures=$((failures + 1))
    fi
}

tree
expect "overloads in one file, a named-namespace function and another target pass" 0 "unique within their target"

tree
printf 'namespace halden {\nnamespace {\nQFont Width(const char* s, bool b = false);\n}\n}\n' >>"$work/src/b.cpp"
expect "a helper of another signature in a batched file" 1 "t: file-local 'halden::Width' is defined in a.cpp, b.cpp"

tree
printf 'namespace halden {\nstatic const char* kGap = "x";\n}\n' >>"$work/src/a.cpp"
expect "a static name beside an anonymous one" 1 "file-local 'halden::kGap'"

tree
printf 'namespace halden {\nnamespace {\nstruct Width {};\n}\n}\n' >"$work/src/c.cpp"
expect "the same name in two targets" 0 "unique within their target"

exit $((failures > 0))
