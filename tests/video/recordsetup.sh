# SPDX-License-Identifier: MIT
# What every --record script shares, sourced with the program as $1: skips without
# FFmpeg's tools, and a work folder of its own with private settings, removed at the end.

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
