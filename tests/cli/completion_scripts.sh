#!/usr/bin/env bash
# The completion scripts the program prints, run in their shells: unit names, group names and
# options complete, names with blanks, brackets and kanji among them. A shell that is not
# installed is skipped with a line saying so.
# Usage: completion_scripts.sh PATH_TO_HALDUCNV
set -u
program=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
ln -s "$(realpath "$program")" "$dir/halducnv"
export PATH=$dir:$PATH XDG_CONFIG_HOME=$dir
unset DISPLAY WAYLAND_DISPLAY
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# bash: COMPREPLY for the word being typed after the given words.
halducnv --complete bash > "$dir/bash" || fail "bash script"
bash_complete() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _halducnv; printf "%s\n" "${COMPREPLY[@]}"' \
    _ "$dir/bash" "$@"
}
# rows: expected line, then the words (the last one being typed)
while IFS='|' read -r expected words; do
  # shellcheck disable=SC2086
  IFS=' ' read -r -a argv <<< "$words"
  got=$(bash_complete "${argv[@]//+/ }")
  grep -qxF -- "$expected" <<< "$got" || fail "bash: '$words' offers no '$expected' (got: $(head -3 <<< "$got" | tr '\n' ';'))"
done <<'ROWS'
deg Celsius|halducnv --convert 3 deg\+Ce
米 gallon [液] (gal)|halducnv --convert 3 米+gal
Graphics Units|halducnv --group Gra
--scientific|halducnv --sci
integer|halducnv --figures in
tsubo|halducnv --convert 1 TSU
ROWS

if command -v zsh > /dev/null; then
  halducnv --complete zsh > "$dir/_halducnv" || fail "zsh script"
  got=$(zsh -f -c 'compdef() { :; }; compadd() { while [[ $1 == -* && $1 != -- ]]; do [[ $1 == -M ]] && shift; shift; done; shift; print -l -- "$@"; }
    source "$1"; words=(halducnv --convert 3 "deg Ce"); CURRENT=4; PREFIX="deg\\ Ce"; _halducnv' _ "$dir/_halducnv")
  grep -qxF "deg Celsius" <<< "$got" || fail "zsh offers no 'deg Celsius' (got: $(head -3 <<< "$got" | tr '\n' ';'))"
else
  echo "zsh is not installed: its script is not run"
fi

if command -v fish > /dev/null; then
  halducnv --complete fish > "$dir/halducnv.fish" || fail "fish script"
  got=$(fish --no-config -c "source $dir/halducnv.fish; complete -C 'halducnv --convert 3 deg\\ Ce'")
  grep -q "^deg Celsius" <<< "$got" || fail "fish offers no 'deg Celsius' (got: $(head -3 <<< "$got" | tr '\n' ';'))"
else
  echo "fish is not installed: its script is not run"
fi

[ "$failures" = 0 ] && echo "all completion checks passed"
exit "$failures"
