#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
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

# The list as xscreensaver-settings writes it, and the same with the saver added.
write_lists() {
  cat >"$work/before" <<'LIST'
# XScreenSaver Preferences File
timeout:	0:10:00
mode:		random

programs:								      \
				maze --root				    \n\
- GL: 				superquadrics --root			    \n\
-				noseguy --root				    \n\


pointerHysteresis:  10
LIST
  cat >"$work/after" <<'LIST'
# XScreenSaver Preferences File
timeout:	0:10:00
mode:		random

programs:								      \
				maze --root				    \n\
- GL: 				superquadrics --root			    \n\
-				noseguy --root				    \n\
  "Orvex Lumora"  orvex-lumora --root  \n\


pointerHysteresis:  10
LIST
}

test_add_to_xscreensaver() {
  local file="$HOME/.xscreensaver"
  # Without the user's own file there is nothing to add to, and nothing is made.
  run --add-to-xscreensaver
  [ "$status" = 1 ] || fail "without $file: status $status"
  [ "$(wc -l <"$work/err")" = 1 ] && grep -q 'xscreensaver-settings' "$work/err" ||
    fail "without $file it said: $(cat "$work/err")"
  [ -z "$(ls -A "$HOME")" ] || fail "without $file it wrote $(ls -A "$HOME")"

  write_lists
  cp "$work/before" "$file"
  chmod 640 "$file"
  run --add-to-xscreensaver
  [ "$status" = 0 ] || fail "status $status: $(cat "$work/err")"
  [ "$(wc -l <"$work/out")" = 1 ] && [ ! -s "$work/err" ] || fail "said: $(cat "$work/out" "$work/err")"
  cmp "$work/after" "$file" || fail "the file is not the list with one line added: $(diff "$work/after" "$file")"
  [ "$(stat -c %a "$file")" = 640 ] || fail "the file's permissions became $(stat -c %a "$file")"
  [ "$(ls -A "$HOME")" = .xscreensaver ] || fail "left beside it: $(ls -A "$HOME")"

  run --add-to-xscreensaver
  [ "$status" = 0 ] && grep -q 'already' "$work/out" || fail "a second run: status $status, $(cat "$work/out" "$work/err")"
  cmp -s "$work/after" "$file" || fail "a second run changed the file"
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
