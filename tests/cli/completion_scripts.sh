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
# rows: expected line (as bash inserts it, quoted), then the words (the last one being typed)
mkdir -p "$dir/cwd/tsubos"
while IFS='|' read -r expected words; do
  # shellcheck disable=SC2086
  IFS=' ' read -r -a argv <<< "$words"
  got=$(cd "$dir/cwd" && bash_complete "${argv[@]//+/ }")
  grep -qxF -- "$expected" <<< "$got" || fail "bash: '$words' offers no '$expected' (got: $(head -3 <<< "$got" | tr '\n' ';'))"
done <<'ROWS'
deg\ Celsius|halducnv --convert 3 deg\+Ce
米\ gallon\ \[液\]\ \(gal\)|halducnv --convert 3 米+gal
Graphics\ Units|halducnv --group Gra
Graphics\ Units:inch|halducnv --convert 1 Graphics\+Units:in
deg\ K|halducnv --convert 1 deg\+
tsubos|halducnv --convert 1 tsubos
--scientific|halducnv --sci
integer|halducnv --figures in
tsubo|halducnv --convert 1 TSU
ROWS
# A typed blank at the end is kept: "deg " offers no "degK".
got=$(bash_complete halducnv --convert 1 'deg\ ')
grep -qxF 'degK' <<< "$got" && fail "bash: 'deg\ ' dropped its blank"

# zsh and fish load the files as installed: zsh autoloads its function from a folder on fpath at
# the first Tab; fish reads its file from a completion folder.
if command -v zsh > /dev/null; then
  mkdir -p "$dir/zsh"
  halducnv --complete zsh > "$dir/zsh/_halducnv" || fail "zsh script"
  zsh_complete() {
    zsh -f -c 'fpath=($1 $fpath); autoload -Uz _halducnv
      compadd() { while [[ $1 == -* && $1 != -- ]]; do [[ $1 == -M ]] && shift; shift; done; shift; print -l -- "$@"; }
      words=(halducnv "${@:3}"); CURRENT=$#words; PREFIX=$2; _halducnv' _ "$dir/zsh" "$@"
  }
  while IFS='|' read -r expected prefix words; do
    # shellcheck disable=SC2086
    got=$(zsh_complete "$prefix" $words "$prefix")
    grep -qxF -- "$expected" <<< "$got" || fail "zsh: '$prefix' offers no '$expected' (got: $(head -3 <<< "$got" | tr '\n' ';'))"
  done <<'ROWS'
deg Celsius|deg\ Ce|--convert 3
°C|°|--convert 3
Length|Len|--list
ROWS
else
  echo "zsh is not installed: its script is not run"
fi

if command -v fish > /dev/null; then
  mkdir -p "$dir/fish"
  halducnv --complete fish > "$dir/fish/halducnv.fish" || fail "fish script"
  while IFS='|' read -r expected line; do
    got=$(fish --no-config -c "set fish_complete_path $dir/fish \$fish_complete_path; complete -C '$line'")
    grep -q "^$expected" <<< "$got" || fail "fish: '$line' offers no '$expected' (got: $(head -3 <<< "$got" | tr '\n' ';'))"
  done <<'ROWS'
deg Celsius|halducnv --convert 3 deg\ Ce
°C|halducnv --convert 3 °
Length|halducnv --list Len
ROWS
  got=$(fish --no-config -c "set fish_complete_path $dir/fish \$fish_complete_path; complete -C 'halducnv --list gra'")
  grep -q "^grain" <<< "$got" && fail "fish offers unit names after --list"
else
  echo "fish is not installed: its script is not run"
fi

[ "$failures" = 0 ] && echo "all completion checks passed"
exit "$failures"
