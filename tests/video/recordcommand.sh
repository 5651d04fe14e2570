#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# --record end to end: the same options twice give the same decoded frames, a script gets
# one plain line, the name's extension chooses the container (and an MP4's codec), and
# the settings are never written.
# Usage: recordcommand.sh PROGRAM
set -euo pipefail

source "$(dirname "$0")/recordsetup.sh"

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

# The container follows the name; an MP4 gets H.264 where the height allows it, else MPEG-4.
codec_of() { ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$1"; }
have_h264=$("$program" --record probe.mp4 --frames 1 --size 32x32 --codec h264 2>/dev/null && echo yes || true)
"$program" --record even.mp4 --frames 3 --size 64x48 2>/dev/null || fail "even.mp4 was not recorded"
"$program" --record odd.mp4 --frames 3 --size 64x47 2>/dev/null || fail "odd.mp4 was not recorded"
[ "$(codec_of odd.mp4)" = mpeg4 ] || fail "odd.mp4 is $(codec_of odd.mp4)"
if [ "$have_h264" = yes ]; then
  [ "$(codec_of even.mp4)" = h264 ] || fail "even.mp4 is $(codec_of even.mp4)"
  status=0
  "$program" --record asked.mp4 --frames 3 --size 64x47 --codec h264 2>err.txt || status=$?
  [ "$status" = 1 ] && grep -q "even frame height" err.txt || fail "H.264 at an odd height: status $status, $(cat err.txt)"
fi
for name in clip.webm clip.mov clip.gif clip; do
  status=0
  "$program" --record "$name" --frames 3 --size 32x32 2>err.txt || status=$?
  [ "$status" = 1 ] && grep -qF "$name: " err.txt && grep -qF ".avi" err.txt && grep -qF ".mkv" err.txt &&
    grep -qF ".mp4" err.txt || fail "$name: status $status, $(cat err.txt)"
  [ ! -e "$name" ] || fail "$name was written"
done

status=0
echo "a file where the folder should be" >plain
"$program" --record plain/x.avi --frames 5 2>err.txt || status=$?
[ "$status" = 1 ] && grep -q 'There was an error writing the file.' err.txt ||
  fail "a file that cannot be written: status $status, $(cat err.txt)"
[ ! -e "$XDG_CONFIG_HOME" ] && [ ! -e "$HOME" ] || fail "settings were written"
echo "PASS"
