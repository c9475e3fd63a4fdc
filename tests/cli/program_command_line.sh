#!/usr/bin/env bash
# The built program answers from the shell with no display at all (a window would abort), reads
# the user units from the files directory, writes nothing there, and exits with the documented
# statuses.
# Usage: program_command_line.sh PATH_TO_HALDUCNV VERSION
set -u
program=$1
version=$2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME=$home
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
failures=0

# expect NAME STATUS STDOUT STDERR_START -- ARGS...   (STDERR_START "*TEXT": TEXT begins some line,
# after whatever the toolkit's libraries print of their own)
expect() {
  local name=$1 status=$2 out=$3 err=$4
  shift 5
  local got_out got_err got_status err_ok=0
  got_out=$("$program" "$@" 2> "$home/err")
  got_status=$?
  got_err=$(cat "$home/err")
  if [ "${err:0:1}" = "*" ]; then
    awk -v t="${err:1}" 'index($0, t) == 1 {found = 1} END {exit !found}' "$home/err" && err_ok=1
  elif [ "${got_err:0:${#err}}" = "$err" ]; then
    err_ok=1
  fi
  if [ "$got_status" != "$status" ] || [ "$got_out" != "$out" ] || [ $err_ok = 0 ]; then
    echo "FAIL $name: status $got_status, stdout '$got_out', stderr '$got_err'"
    failures=$((failures + 1))
  fi
}

expect "miles into meters" 0 "4828.03" "" -- --convert 3 mile m
expect "temperature by names" 0 "212.000" "" -- --convert 100 "deg Celsius" "deg Fahrenheit"
expect "reading of a Japanese unit" 0 "0.303030" "" -- --convert 1 shaku m
expect "version" 0 "Halden Unit Converter $version" "" -- --version
expect "input error" 1 "" "halducnv: Input error" -- --convert abc mile m
expect "temperature letters" 0 "98.6000" "" -- --convert 37 C F
expect "no display for the window" 1 "" "*halducnv: cannot open a display" --
DISPLAY=:77 expect "a display that is gone" 1 "" "*halducnv: cannot open a display" --
WAYLAND_DISPLAY=wayland-77 expect "a Wayland display that is gone" 1 "" "*halducnv: cannot open a display" --
QT_QPA_PLATFORM=nowhere expect "a window system without its plugin" 1 "" "*halducnv: cannot open a display" --
expect "a question in words" 0 "91.4400 cm" "" -- 3 ft in cm
expect "a question without the unit to answer in" 2 "" "halducnv: give a value" -- 3 ft in
expect "a prefix by its case" 0 "0.00100000" "" -- --convert 1 mPa Pa
expect "short version" 0 "Halden Unit Converter $version" "" -- -V
expect "a comma is no decimal separator" 1 "" "halducnv: Input error" -- --convert 1,5 m mm
expect "ambiguous name" 2 "" 'halducnv: "bu" fits several units of Length' -- --convert 1 bu m
expect "bad option" 2 "" 'halducnv: unknown option "--fast"' -- --convert 1 m ft --fast
expect "no user units file is no warning" 0 "1.00000" "" -- --convert 12 inch ft

# A failed write of standard output is exit status 3 with its reason.
for args in "--list" "--convert 3 mile m"; do
  # shellcheck disable=SC2086
  "$program" $args > /dev/full 2> "$home/err"
  got=$?
  if [ "$got" != 3 ] || ! grep -q "^halducnv: cannot write the output: " "$home/err"; then
    echo "FAIL $args into a full device: status $got, stderr '$(cat "$home/err")'"
    failures=$((failures + 1))
  fi
done
# Lines ended as any system ends them (CR LF, CR) read as lines ended by LF.
for ends in '\r\n' '\r'; do
  lines=$(printf "3 mile m${ends}1\tmile\tm${ends}1 ft in cm${ends}" | "$program" --batch 2>&1)
  if [ "$lines" != $'4828.03\n1609.34\n30.4800 cm' ]; then
    echo "FAIL batch lines ended by $ends: '$lines'"
    failures=$((failures + 1))
  fi
done
# Values from standard input answer as single calls do, an input error as an empty line.
batch=$(printf '3\n-40\n1,5\n1e-3\n' | "$program" --convert - deg\ Celsius F 2> "$home/err")
single=$(for v in 3 -40 1,5 1e-3; do "$program" --convert -- "$v" deg\ Celsius F 2> /dev/null || echo; done)
if [ "$batch" != "$single" ] || [ "$(cat "$home/err")" != "halducnv: line 3: Input error" ]; then
  echo "FAIL batch '$batch' against single calls '$single', stderr '$(cat "$home/err")'"
  failures=$((failures + 1))
fi
# Batch lines may be questions beside VALUE FROM INTO.
batch=$(printf '3 ft in cm\n3 mile m\n' | "$program" --batch 2>&1)
if [ "$batch" != $'91.4400 cm\n4828.03' ]; then
  echo "FAIL batch question '$batch'"
  failures=$((failures + 1))
fi
# A damaged user units file: one warning line, the conversion goes on.
mkdir -p "$home/halducnv"
printf '\011\000ab' > "$home/halducnv/HUC_USER.DAT"
expect "damaged user units file" 0 "4828.03" "halducnv: warning: Failed to open file 'HUC_USER.DAT'." -- \
  --convert 3 mile m
if [ "$(ls -A "$home/halducnv")" != "HUC_USER.DAT" ] || [ "$(od -An -tx1 "$home/halducnv/HUC_USER.DAT" | tr -d ' \n')" != "09006162" ]; then
  echo "FAIL the command line changed the files directory"
  failures=$((failures + 1))
fi
help=$("$program" --help)
case $help in
  *"halducnv --convert VALUE FROM INTO"*"Exit status"*) ;;
  *) echo "FAIL help text"; failures=$((failures + 1)) ;;
esac
[ "$failures" = 0 ] && echo "all command-line checks passed"
exit "$failures"
