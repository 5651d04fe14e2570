#!/usr/bin/env bash
# The program with real windows, each test on a fresh Xvfb display of its own.
# Usage: windowtests.sh TEST PROGRAM XPROBE BUILD-DIR
set -euo pipefail

test_name=$1
program=$2
xprobe=$3
build_dir=$4
readonly title='ZEVI:Orvex Lumora 3.2'
readonly skip_status=77

if ! command -v Xvfb >/dev/null; then
  echo "SKIPPED: Xvfb is not installed (apt-get install xvfb)"
  exit $skip_status
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

start_display() {
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(head -n1 "$work/display")"
}

# Every run gets settings of its own, never the user's.
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/Orvex" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset XSCREENSAVER_WINDOW ORVEX_SEED

store_setting() { # SECTION KEY VALUE
  printf '[SOFTWARE\\Orvex\\Lumora\\%s]\n%s=%s\n' "$1" "$2" "$3" >>"$XDG_CONFIG_HOME/Orvex/Lumora.reg"
}

# Starts the program in the background; its pid in $program_pid, its status later in $work/status.
start_program() {
  rm -f "$work/pid" "$work/status"
  ( set +e
    "$program" "$@" >"$work/out" 2>"$work/err" &
    echo $! >"$work/pid"
    wait $!
    echo $? >"$work/status" ) &
  pids+=($!)
  while [ ! -s "$work/pid" ]; do sleep 0.01; done
  program_pid=$(cat "$work/pid")
  pids+=("$program_pid")
}

# Waits up to $1 seconds for the program to end; its exit status must be 0.
expect_exit() {
  local deadline=$(( $(date +%s%N) + $1 * 1000000000 ))
  while [ ! -s "$work/status" ]; do
    [ "$(date +%s%N)" -lt "$deadline" ] || fail "the program still runs after $1 s"
    sleep 0.05
  done
  [ "$(cat "$work/status")" = 0 ] || fail "exit status $(cat "$work/status"): $(cat "$work/err")"
}

expect_running() {
  [ ! -s "$work/status" ] || fail "the program ended (status $(cat "$work/status")): $(cat "$work/err")"
}

saver_window() {
  timeout 15 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n1
}

# Starts a stand-in host window of the given size; its id in $host_id.
start_host() {
  mkfifo "$work/host.in"
  "$xprobe" host "$1" "$2" <"$work/host.in" >"$work/host.out" &
  pids+=($!)
  exec 4>"$work/host.in"
  for _ in $(seq 50); do
    [ -s "$work/host.out" ] && break
    sleep 0.1
  done
  host_id=$(head -n1 "$work/host.out")
  [ -n "$host_id" ] || fail "the host window was not created"
}

host_command() { # COMMAND -> the host's answer
  local lines; lines=$(wc -l <"$work/host.out")
  echo "$1" >&4
  for _ in $(seq 50); do
    [ "$(wc -l <"$work/host.out")" -gt "$lines" ] && break
    sleep 0.1
  done
  tail -n1 "$work/host.out"
}

# Waits until the window shows a picture (the first frames may still be black).
expect_lit() { # WINDOW-OR-HOST
  local lit=0
  for _ in $(seq 50); do
    if [ "$1" = host ]; then lit=$(host_command lit); else lit=$("$xprobe" lit "$1"); fi
    [ "$lit" -gt 0 ] && return 0
    sleep 0.1
  done
  fail "no picture in the window (lit pixels: $lit)"
}

test_key_ends_saver() {
  start_program /S
  local window; window=$(saver_window)
  [ -n "$window" ] || fail "no saver window"
  local size; size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
  [ "$size" = 800x600 ] || fail "the saver window is $size, not the screen's 800x600"
  expect_lit "$window"
  xdotool key --window "$window" x
  expect_exit 5
}

test_capture_key_keeps_saver() {
  store_setting Advanced Adv_ScreenCapt 1
  start_program /S
  local window; window=$(saver_window)
  [ -n "$window" ] || fail "no saver window"
  xdotool key --window "$window" d
  sleep 1
  expect_running
  xdotool key --window "$window" Escape
  expect_exit 5
}

test_four_large_moves_end_saver() {
  # The first move after the window appears counts from the window's corner.
  xdotool mousemove 0 0
  start_program /S
  local window; window=$(saver_window)
  [ -n "$window" ] || fail "no saver window"
  sleep 0.5
  for point in "200 200" "400 400" "200 400"; do
    xdotool mousemove $point
    sleep 0.2
  done
  sleep 1
  expect_running
  xdotool mousemove 600 100
  expect_exit 5
}

test_template_path_loads_then_saves() {
  printf '[DirectX]\nDX_VertOffset=3\n' >"$work/My Theme.lmr"
  start_program "$work/My Theme.lmr"
  local window; window=$(saver_window)
  [ -n "$window" ] || fail "no saver window"
  xdotool key --window "$window" x
  expect_exit 5
  grep -qx 'DX_VertOffset=3' "$XDG_CONFIG_HOME/Orvex/Lumora.reg" || fail "the template's settings were not stored"
}

test_missing_template_keeps_settings() {
  store_setting Lumora Stars 1234
  start_program "$work/nope.lmr"
  local window; window=$(saver_window)
  [ -n "$window" ] || fail "no saver window"
  xdotool key --window "$window" x
  expect_exit 5
  grep -qx 'Stars=1234' "$XDG_CONFIG_HOME/Orvex/Lumora.reg" || fail "the stored settings were replaced"
  grep -q 'cannot read the template' "$work/err" || fail "no word on the missing template: $(cat "$work/err")"
}

test_second_saver_does_nothing() {
  start_program /S
  local window; window=$(saver_window)
  [ -n "$window" ] || fail "no saver window"
  local started; started=$(date +%s)
  timeout 10 "$program" /S || fail "the second start failed"
  [ $(( $(date +%s) - started )) -lt 5 ] || fail "the second start took too long"
  [ "$(xdotool search --name "^${title}\$" | wc -l)" = 1 ] || fail "a second saver window appeared"
  expect_running
  xdotool key --window "$window" x
  expect_exit 5
}

test_preview_in_host_window() {
  start_host 152 112
  start_program -window-id "$host_id"
  expect_lit host
  expect_running
  [ "$(host_command destroy)" = destroyed ] || fail "the host window was not destroyed"
  expect_exit 1
}

test_preview_without_window_ends() {
  start_program -window-id 0
  expect_exit 5
  [ ! -s "$work/err" ] || fail "unexpected message: $(cat "$work/err")"
}

test_root_into_screensaver_window() {
  start_host 320 240
  export XSCREENSAVER_WINDOW=$host_id
  start_program -root
  expect_lit host
  # A host may pause the saver for any time; it must carry on and still stop promptly.
  kill -STOP "$program_pid"
  sleep 1.5
  kill -CONT "$program_pid"
  sleep 0.5
  expect_running
  kill -TERM "$program_pid"
  expect_exit 1
}

# A frame that does not fit in memory ends the run with one line instead of an abort.
test_root_frame_beyond_memory() {
  # AddressSanitizer reserves more address space than the limit allows before main runs.
  if ldd "$program" | grep -q libasan; then echo "SKIPPED: no address-space limit under AddressSanitizer"; exit $skip_status; fi
  start_host 5000 5000
  store_setting DirectX DX_WinWidth 5000
  store_setting DirectX DX_WinHeight 5000
  local status=0
  XSCREENSAVER_WINDOW=$host_id bash -c 'ulimit -v 400000; exec timeout 20 "$0" -root' "$program" \
    >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] || fail "ended with status $status: $(cat "$work/err")"
  [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q 'not enough memory for a 5000x5000 frame' "$work/err" ||
    fail "said: $(cat "$work/err")"
}

test_installed_hack_draws() {
  local prefix="$work/prefix"
  cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" || fail "install failed: $(cat "$work/install.log")"
  local file
  for file in bin/orvex-lumora libexec/xscreensaver/orvex-lumora libexec/orvex-lumora/xsecurelock-saver \
              share/xscreensaver/config/orvex-lumora.xml share/applications/screensavers/orvex-lumora.desktop; do
    [ -e "$prefix/$file" ] || fail "the install tree lacks $file"
  done
  [ -n "$(find "$prefix" -name libOrvexM6.so)" ] || fail "the install tree lacks libOrvexM6.so"
  grep -qx 'Categories=Screensaver;' "$prefix/share/applications/screensavers/orvex-lumora.desktop" ||
    fail "the desktop entry is not a screen saver"
  # Started the way xsecurelock starts a saver: no arguments, the window in the environment.
  # Drawn pixels prove the engine was found from the install tree, not beside the built program.
  program="$prefix/libexec/orvex-lumora/xsecurelock-saver"
  start_host 160 120
  export XSCREENSAVER_WINDOW=$host_id
  start_program
  expect_lit host
  kill -TERM "$program_pid"
  expect_exit 1
}

# Without any display the program explains itself instead of aborting inside Qt.
test_no_display_says_so() {
  local mode status
  for mode in /S -root; do
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$program" "$mode" >"$work/out" 2>"$work/err" ||
      status=$?
    [ "$status" -eq 1 ] || fail "$mode without a display ended with status $status"
    grep -q 'no X display' "$work/err" || fail "$mode without a display said: $(cat "$work/err")"
  done
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$program" /C >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 0 ] || fail "/C without a display ended with status $status"
}

start_display
"test_$test_name"
echo "PASS: $test_name"
