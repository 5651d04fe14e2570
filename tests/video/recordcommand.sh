#!/usr/bin/env bash
# --record end to end: the same options twice give the same decoded frames, a script gets
# one plain line, and the settings are never written.
# Usage: recordcommand.sh PROGRAM
set -euo pipefail

program=$1
readonly skip_status=77
if ! command -v ffmpeg >/dev/null || ! command -v ffprobe >/dev/null; then
  echo "SKIPPED: ffmpeg is not installed (apt-get install ffmpeg)"
  exit $skip_status
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
unset ORVEX_SEED DISPLAY WAYLAND_DISPLAY
cd "$work"

record() { # FILE: 40 frames of theme 4 with seed 5; stderr in FILE.err
  "$program" --record "$1" --frames 40 --size 96x64 --theme 4 --fps 12 --codec mpeg4 --seed 5 2>"$1.err" ||
    fail "recording $1 ended with status $?: $(cat "$1.err")"
}

decoded() { ffmpeg -v error -i "$1" -f rawvideo -pix_fmt bgr24 -; }

record one.mp4
record two.mp4
shape=$(ffprobe -v error -count_frames -show_entries stream=width,height,r_frame_rate,nb_read_frames -of csv=p=0 one.mp4)
[ "$shape" = 96,64,12/1,40 ] || fail "one.mp4 is $shape"
cmp -s <(decoded one.mp4) <(decoded two.mp4) || fail "the same recording decodes to other frames"
[ "$(wc -l <one.mp4.err)" = 1 ] && grep -q '^orvex-lumora: wrote 40 frames to one.mp4 (' one.mp4.err ||
  fail "not one plain line for a script: $(cat one.mp4.err)"

status=0
echo "a file where the folder should be" >plain
"$program" --record plain/x.avi --frames 5 2>err.txt || status=$?
[ "$status" = 1 ] && grep -q 'There was an error writing the file.' err.txt ||
  fail "a file that cannot be written: status $status, $(cat err.txt)"
[ ! -e "$XDG_CONFIG_HOME" ] && [ ! -e "$HOME" ] || fail "settings were written"
echo "PASS"
