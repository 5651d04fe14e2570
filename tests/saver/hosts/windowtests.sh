#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
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
# The program follows a Wayland session: it must draw on the test's X display instead.
unset XSCREENSAVER_WINDOW ORVEX_SEED WAYLAND_DISPLAY
# No desktop's wallpaper tool is ever run (the X root of the test's own display is the
# last resort), and no capture can reach the user's pictures.
unset XDG_CURRENT_DESKTOP
export XDG_PICTURES_DIR="$work/pictures"

store_setting() { # SECTION KEY VALUE
  printf '[SOFTWARE\\Orvex\\Lumora\\%s]\n%s=%s\n' "$1" "$2" "$3" >>"$XDG_CONFIG_HOME/Orvex/Lumora.reg"
}

source "$(dirname "$0")/programrun.sh"

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

# Waits until the window, or the part of it given, shows a picture (the first frames may
# still be black).
expect_lit() { # WINDOW-OR-HOST [X Y WIDTH HEIGHT]
  local window=$1 lit=0
  shift
  for _ in $(seq 50); do
    if [ "$window" = host ]; then lit=$(host_command "lit $*"); else lit=$("$xprobe" lit "$window" "$@"); fi
    [ "$lit" -gt 0 ] && return 0
    sleep 0.1
  done
  fail "no picture in the window${*:+ at $*} (lit pixels: $lit)"
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

# Waits up to $2 seconds for the file $1 to be in place.
expect_file() {
  for _ in $(seq $(( $2 * 10 ))); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  fail "no file $1 after $2 s"
}

# Captures go beside the program: a copy of it in a folder of the test's own, with the
# engine beside it, keeps them out of the build. The folder in $bin.
start_capturing_saver() {
  bin="$work/bin"
  mkdir -p "$bin"
  cp "$program" "$(dirname "$program")/libOrvexM6.so" "$bin/"
  program="$bin/$(basename "$program")"
  store_setting Advanced Adv_ScreenCapt 1
  store_setting DirectX DX_WinWidth 640
  store_setting DirectX DX_WinHeight 480
  start_program /S
  window=$(saver_window)
  [ -n "$window" ] || fail "no saver window"
  expect_lit "$window"
}

test_capture_key_keeps_saver() {
  start_capturing_saver
  xdotool key --window "$window" space
  xdotool key --window "$window" f
  local file="$bin/Orvex_Lumora_ScreenCapture_1.bmp"
  expect_file "$file" 5
  # A 24-bit file of the rendering size (not the 800x600 screen) holding a lit frame.
  local size; size=$(od -An -t d4 -j 18 -N 8 "$file" | xargs)
  [ "$size" = "640 480" ] || fail "the capture is $size, not the rendering size 640 480"
  [ "$(od -An -t u2 -j 28 -N 2 "$file" | xargs)" = 24 ] || fail "the capture is not a 24-bit bitmap"
  [ "$(stat -c %s "$file")" = $(( 54 + 640 * 480 * 3 )) ] || fail "the capture has $(stat -c %s "$file") bytes"
  od -An -v -t u1 -j 54 "$file" | awk '{ for (i = 1; i <= NF; i++) if ($i) lit = 1 } END { exit !lit }' ||
    fail "the capture is black"
  sleep 0.5
  [ ! -e "$bin/Orvex_Lumora_ScreenCapture_2.bmp" ] || fail "one key press saved two files"
  expect_running
  xdotool key --window "$window" Escape
  expect_exit 5
}

test_wallpaper_key_sets_root() {
  start_capturing_saver
  # No desktop is named: the picture becomes the root window's background.
  xdotool key --window "$window" d
  expect_file "$bin/Orvex_Lumora_ScreenCapture_1.bmp" 5
  local root=''
  for _ in $(seq 50); do
    root=$(xprop -root _XROOTPMAP_ID)
    [[ $root == *'pixmap id'* ]] && break
    sleep 0.1
  done
  [[ $root == *'pixmap id'* ]] || fail "D set no root background: $root"
  # The picture lives on in the server after the program's connection to it closed.
  local pixmap=${root##* }
  [ "$("$xprobe" lit "$pixmap")" -gt 0 ] || fail "the root background $pixmap holds no picture"
  sleep 0.5
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

# Hosts resize their windows (a locker when the monitors change, a settings page its
# preview): the picture follows, so stars reach the part a grown window added, and a
# shrunk one goes on being drawn. Most themes' comets wander about one part of the
# window for seconds; theme 5 fills all of it from the start, so an unlit far corner
# means the picture did not grow.
test_host_window_resized() {
  local mode
  export ORVEX_SEED=7
  for mode in -window-id -root; do
    start_host 160 120
    if [ "$mode" = -root ]; then XSCREENSAVER_WINDOW=$host_id start_program -root -theme 5; else start_program -window-id "$host_id" -theme 5; fi
    expect_lit host
    [ "$(host_command 'resize 320 240')" = resized ] || fail "the host window was not resized"
    expect_lit host 170 130 150 110
    [ "$(host_command 'resize 100 80')" = resized ] || fail "the host window was not resized"
    sleep 0.5
    expect_lit host
    expect_running
    kill -TERM "$program_pid"
    expect_exit 5
    exec 4>&-
    rm -f "$work/host.in"
  done
}

# The overlay is drawn over the shown picture only: a filter that blacks out every frame
# leaves nothing lit but the overlay's figures.
test_fps_overlay_over_a_black_frame() {
  store_setting DirectX DX_FilterIndex 1
  start_host 320 240
  start_program -window-id "$host_id"
  sleep 2
  [ "$(host_command lit)" = 0 ] || fail "the blacked-out frame shows something without -fps"
  kill -TERM "$program_pid"
  expect_exit 5
  start_program -window-id "$host_id" -fps
  expect_lit host
  kill -TERM "$program_pid"
  expect_exit 5
}

# Runs the program in the host window for 2 s with the given options; the lit pixels it
# left in $lit.
lit_after_run() {
  start_program -window-id "$host_id" "$@"
  sleep 2
  lit=$(host_command lit)
  kill -TERM "$program_pid"
  expect_exit 5
}

# -theme, -stars and -delay change one run's picture and are never stored: the settings
# file is the same byte for byte afterwards.
test_overrides_change_picture_not_settings() {
  store_setting Advanced Adv_ZeviCycle 0
  store_setting Lumora Stars 10
  store_setting DirectX DX_WinWidth 800
  store_setting DirectX DX_WinHeight 600
  local settings="$XDG_CONFIG_HOME/Orvex/Lumora.reg"
  cp "$settings" "$work/before.reg"
  start_host 320 240
  lit_after_run
  local stored=$lit
  lit_after_run -stars 20000 -delay 5
  [ "$lit" -gt $(( stored * 4 )) ] || fail "-stars 20000 lit $lit pixels, the stored 10 stars $stored"
  lit_after_run -theme 5
  [ "$lit" -gt $(( stored * 4 )) ] || fail "-theme 5 lit $lit pixels, the stored 10 stars $stored"
  cmp -s "$work/before.reg" "$settings" || fail "the settings file changed: $(diff "$work/before.reg" "$settings")"
}

# Frames shown straight from memory shared with the X server arrive pixel for pixel, and
# a frame shown into a window destroyed meanwhile does not leave the program waiting.
shm_probe() { # MODE
  local status=0
  timeout 20 "$build_dir/bin/gui_shmprobe" "$1" >"$work/out" || status=$?
  [ "$status" -ne "$skip_status" ] || { echo "SKIPPED: $(cat "$work/out")"; exit $skip_status; }
  [ "$status" -eq 0 ] || fail "$(cat "$work/out")"
}

test_shared_memory_frames_arrive_exactly() { shm_probe exact; }
test_shared_memory_frames_scaled_by_the_server() { shm_probe scaled; }
test_shared_memory_frames_at_most_one_a_refresh() { shm_probe paced; }

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

# -fps-log into a pipe nobody reads: the saver goes on drawing and still ends on SIGTERM.
test_fps_log_into_a_pipe_nobody_reads() {
  start_host 320 240
  mkfifo "$work/log"
  exec 5<>"$work/log"
  timeout 5 head -c 65536 /dev/zero >&5 || fail "could not fill the pipe"
  export XSCREENSAVER_WINDOW=$host_id
  program_err=$work/log start_program -root -fps-log
  expect_lit host
  sleep 2.5 # past the first lines of figures, which find the pipe full
  kill -TERM "$program_pid"
  expect_exit 2
}

# A frame that does not fit in memory ends the run with one line instead of an abort.
test_root_frame_beyond_memory() {
  # AddressSanitizer reserves more address space than the limit allows before main runs.
  # (grep reads all of ldd's output: quitting at the first match could end ldd by SIGPIPE,
  # which pipefail would take for no match.)
  if ldd "$program" | grep libasan >/dev/null; then echo "SKIPPED: no address-space limit under AddressSanitizer"; exit $skip_status; fi
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
              share/xscreensaver/config/orvex-lumora.xml share/applications/screensavers/orvex-lumora.desktop \
              share/applications/org.orvexlumora.OrvexLumora.desktop share/man/man6/orvex-lumora.6 \
              share/icons/hicolor/scalable/apps/orvex-lumora.svg share/metainfo/org.orvexlumora.OrvexLumora.metainfo.xml; do
    [ -e "$prefix/$file" ] || fail "the install tree lacks $file"
  done
  [ -n "$(find "$prefix" -path '*/orvex-lumora/libOrvexM6.so')" ] || fail "the engine is not in a folder of its own"
  [ -z "$(find "$prefix/bin" "$prefix/lib" -maxdepth 1 -name 'libOrvexM6.so*' 2>/dev/null)" ] ||
    fail "the engine lies on the public library path"
  # The manifest lists every installed file and link, so an uninstall leaves nothing behind.
  local installed listed
  installed=$(cd "$prefix" && find . -type f -o -type l | sed 's#^\.#'"$prefix"'#' | sort)
  listed=$(sort "$build_dir/install_manifest.txt")
  [ "$installed" = "$listed" ] || fail "install_manifest.txt differs: $(diff <(echo "$listed") <(echo "$installed"))"
  grep -qx 'Categories=Screensaver;' "$prefix/share/applications/screensavers/orvex-lumora.desktop" ||
    fail "the desktop entry is not a screen saver"
  grep -q '^Exec=.*/bin/orvex-lumora /C$' "$prefix/share/applications/org.orvexlumora.OrvexLumora.desktop" ||
    fail "the settings entry does not open the dialog"
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

# Without any display the program explains itself in one line instead of aborting inside
# Qt; for the settings it says where they are kept.
test_no_display_says_so() {
  local mode status
  for mode in /S -root /C; do
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 10 "$program" "$mode" >"$work/out" 2>"$work/err" ||
      status=$?
    [ "$status" -eq 1 ] || fail "$mode without a display ended with status $status"
    [ ! -s "$work/out" ] && [ "$(wc -l <"$work/err")" -eq 1 ] && grep -q 'no X display' "$work/err" ||
      fail "$mode without a display said: $(cat "$work/out" "$work/err")"
  done
  grep -qF "$XDG_CONFIG_HOME/Orvex/Lumora.reg" "$work/err" || fail "/C without a display said: $(cat "$work/err")"
}

# Of two windows, the one higher in the stacking order (xwininfo lists the top first).
upper_window() { # WINDOW WINDOW
  xwininfo -root -children |
    awk -v a="$(printf '0x%x' "$1")" -v b="$(printf '0x%x' "$2")" '$1 == a || $1 == b { print $1; exit }'
}

test_second_properties_comes_forward() {
  # Opened before: no welcome window in front of the dialog.
  store_setting General ResetSettings 1
  store_setting General AnimationType 0
  start_program /C
  local dialog
  dialog=$(timeout 15 xdotool search --sync --onlyvisible --name '^Orvex Lumora Properties$' | head -n1)
  [ -n "$dialog" ] || fail "no properties window"
  start_host 200 150
  [ "$(upper_window "$dialog" "$host_id")" = "$host_id" ] || fail "the other window did not open above the dialog"
  local started; started=$(date +%s)
  timeout 10 "$program" /c:1234 || fail "the second /C failed"
  [ $(( $(date +%s) - started )) -lt 5 ] || fail "the second /C took too long"
  [ "$(xdotool search --name '^Orvex Lumora Properties$' | wc -l)" = 1 ] || fail "a second properties window appeared"
  [ "$(upper_window "$dialog" "$host_id")" = "$(printf '0x%x' "$dialog")" ] || fail "the dialog was not brought forward"
  expect_running
  # No window manager gives the dialog the focus its Escape key needs.
  xdotool windowfocus --sync "$dialog" key Escape
  expect_exit 5
}

start_display
"test_$test_name"
echo "PASS: $test_name"
