#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The full-screen saver under a real Wayland compositor: each test on a fresh headless
# sway with two outputs side by side, read back through screenshots.
# Usage: waylandtests.sh TEST PROGRAM PICTUREPROBE
set -euo pipefail

test_name=$1
program=$2
probe=$3
readonly skip_status=77
readonly outputs=(HEADLESS-1 HEADLESS-2)

for tool in sway grim wtype; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (apt-get install sway grim wtype)"
    exit $skip_status
  fi
done

# sway refuses to run as root, which CI runs as: the test runs as nobody instead, who
# only needs to read the build and this script.
if [ "$(id -u)" -eq 0 ]; then
  as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  if ! "${as_nobody[@]}" test -x "$program" -a -x "$probe" -a -r "$0"; then
    echo "FAIL: nobody cannot run $program, $probe or read $0 (make the build readable by all)"
    exit 1
  fi
  exec "${as_nobody[@]}" bash "$0" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }

# Every run gets a home and settings of its own, never the user's, and no X display to
# fall back on.
export HOME="$work/home"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Orvex" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM SWAYSOCK XDG_CURRENT_DESKTOP ORVEX_SEED
export XDG_PICTURES_DIR="$work/pictures"

start_compositor() {
  cat >"$work/sway.conf" <<'EOF'
xwayland disable
output HEADLESS-1 resolution 640x480 position 0 0
output HEADLESS-2 resolution 640x480 position 640 0
EOF
  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=2 WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
  pids+=($!)
  local socket=''
  for _ in $(seq 100); do
    socket=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'wayland-*' ! -name '*.lock' -printf '%f\n' | head -n1)
    SWAYSOCK=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -name 'sway-ipc.*.sock' | head -n1)
    export SWAYSOCK
    [ -n "$socket" ] && [ -n "$SWAYSOCK" ] && swaymsg -t get_outputs >"$work/outputs" 2>/dev/null && break
    sleep 0.1
  done
  [ -n "$socket" ] || fail "sway did not start: $(cat "$work/sway.log")"
  export WAYLAND_DISPLAY=$socket
  for output in "${outputs[@]}"; do
    grep -q "\"$output\"" "$work/outputs" || fail "sway has no output $output: $(cat "$work/outputs")"
  done
}

source "$(dirname "$0")/programrun.sh"

# "WIDTH HEIGHT BLACK LIT" of what the output shows now.
shoot() { # OUTPUT
  grim -o "$1" "$work/shot.png" || fail "grim could not take $1"
  "$probe" "$work/shot.png"
}

# Waits until the output shows stars on an opaque black ground: a tenth of its pixels or
# more pure black (the compositor's background is not) and some lit.
expect_stars() { # OUTPUT
  local counts=''
  for _ in $(seq 100); do
    counts=$(shoot "$1")
    read -r width height black lit <<<"$counts"
    [ "$black" -ge $(( width * height / 10 )) ] && [ "$lit" -gt 0 ] && return 0
    [ -s "$work/status" ] && fail "the program ended (status $(cat "$work/status")): $(cat "$work/err")"
    sleep 0.1
  done
  fail "$1 shows no stars on black (width height black lit: $counts)"
}

start_saver() {
  start_program /S
  expect_stars HEADLESS-1
}

test_stars_on_every_output() {
  local output
  # The desktop itself is not black, or the test could not tell it from the saver.
  for output in "${outputs[@]}"; do
    read -r _ _ black _ <<<"$(shoot "$output")"
    [ "$black" -eq 0 ] || fail "$output is black before the saver starts"
  done
  start_saver
  for output in "${outputs[@]}"; do
    expect_stars "$output"
    read -r width height _ _ <<<"$(shoot "$output")"
    [ "${width}x$height" = 640x480 ] || fail "$output is ${width}x$height"
  done
  # Full-screen surfaces, one an output: no title bar, no tiled layout.
  local fullscreen
  # (A view's "fullscreen_mode" comes a few lines before its "app_id".)
  fullscreen=$(swaymsg -t get_tree |
    awk '/"fullscreen_mode":/ { mode = $2 } /"app_id": "orvex-lumora"/ && mode == "1," { n++ } END { print n + 0 }')
  [ "$fullscreen" -eq 2 ] || fail "$fullscreen full-screen windows, not 2"
  # A second "/S" (an idle tool firing twice) finds this saver running and ends at once.
  local status=0
  timeout 10 "$program" /S >"$work/second" 2>&1 || status=$?
  [ "$status" -eq 0 ] || fail "a second /S ended with status $status: $(cat "$work/second")"
  local started; started=$(date +%s%N)
  kill -TERM "$program_pid"
  expect_exit 1
  echo "ended $(( ($(date +%s%N) - started) / 1000000 )) ms after SIGTERM"
}

# Taken out of full screen (the compositor may do so at any time) the saver's black stays
# black: a compositor shows full-screen surfaces on black anyway, other surfaces over the
# desktop.
test_opaque_out_of_full_screen() {
  start_saver
  swaymsg '[app_id=orvex-lumora] fullscreen disable' >/dev/null
  # sway shows the new layout once the windows have answered it, or after 200 ms.
  sleep 0.5
  for output in "${outputs[@]}"; do
    expect_stars "$output"
  done
  kill -TERM "$program_pid"
  expect_exit 1
}

test_key_ends_saver() {
  start_saver
  # wtype's keyboard is new to the seat: the key waits until the saver has taken it up.
  wtype -s 1000 x
  expect_exit 5
}

# The compositor asks the surface to close, as when the user closes it from a menu.
test_compositor_close_ends_saver() {
  start_saver
  swaymsg kill >/dev/null
  expect_exit 5
}

# The modes that draw into another program's window exist only on X11: one line on
# stderr and a failing status, before anything is drawn.
test_x11_host_modes_refuse() {
  local mode status
  for mode in -root "-window-id 12345"; do
    status=0
    # shellcheck disable=SC2086 # the mode and its argument are two words
    timeout 10 "$program" $mode >"$work/out" 2>"$work/err" || status=$?
    [ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "$mode ended with status $status"
    [ ! -s "$work/out" ] && [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q 'X11' "$work/err" ||
      fail "$mode said: $(cat "$work/out" "$work/err")"
  done
}

start_compositor
"test_$test_name"
echo "PASS: $test_name"
