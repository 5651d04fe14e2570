#!/usr/bin/env bash
# The program's modes that need no display, run as a user runs them.
# Usage: programtests.sh TEST PROGRAM
set -euo pipefail

test_name=$1
program=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Never the user's own files.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME"
unset DISPLAY WAYLAND_DISPLAY

# Runs the program; its status in $status, its output in $work/out and $work/err.
run() {
  status=0
  "$program" "$@" >"$work/out" 2>"$work/err" || status=$?
}

# A mistake costs one line and a pointer to the help, not the whole help text.
test_bad_option_says_one_line() {
  local arguments
  for arguments in -bogus --delay=1000 "/S --root"; do
    # shellcheck disable=SC2086 # "/S --root" is two arguments
    run $arguments
    [ "$status" = 1 ] || fail "$arguments: status $status"
    [ ! -s "$work/out" ] && [ "$(wc -l <"$work/err")" = 2 ] &&
      [ "$(tail -n1 "$work/err")" = "Try 'orvex-lumora --help' for more information." ] ||
      fail "$arguments said: $(cat "$work/out" "$work/err")"
  done
}

"test_$test_name"
echo "PASS: $test_name"
