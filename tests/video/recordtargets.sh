#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# --record and the file it is to write: one it could never write is refused before the
# first frame, with the reason and the path; a failure after frames were written says
# where they are kept.
# Usage: recordtargets.sh PROGRAM
set -euo pipefail

source "$(dirname "$0")/recordsetup.sh"

temporaries() { find "$work" -name 'Orvex_VideoTemp*'; }

# refused WHY FILE [RUNNER...]: a recording far too long to finish in time ends at once
# with status 1, naming the file and the reason, and leaves no temporary file.
refused() {
  local why=$1 file=$2 status=0
  shift 2
  timeout 10 "$@" "$program" --record "$file" --frames 108000 --size 32x32 2>err.txt || status=$?
  [ "$status" = 1 ] || fail "$file: status $status: $(cat err.txt)"
  grep -qF "There was an error writing the file." err.txt && grep -qF "$file: $why" err.txt ||
    fail "$file: the message does not say why: $(cat err.txt)"
  [ -z "$(temporaries)" ] || fail "$file: temporary files are left: $(temporaries)"
}

mkdir Videos
refused "Is a directory" Videos
mkfifo pipe.avi
refused "Is a FIFO" pipe.avi

# A file its owner made read-only stays as it is (root may write any file: run as nobody).
mkdir shared && chmod 777 shared && chmod 755 "$work"
echo "the earlier video" >shared/kept.avi
chmod 444 shared/kept.avi
as_owner=()
if [ "$(id -u)" = 0 ]; then
  chown nobody shared/kept.avi
  as_owner=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi
refused "Permission denied" shared/kept.avi "${as_owner[@]}"
[ "$(cat shared/kept.avi)" = "the earlier video" ] || fail "the read-only file was replaced"

# A disk that fills up after some frames: the frames written so far stay, and the message
# says where.
status=0
(trap '' XFSZ; ulimit -f 200; exec "$program" --record full.avi --frames 200 --size 64x48 --codec uncompressed) \
  2>err.txt || status=$?
[ "$status" = 1 ] && grep -qF "full.avi: File too large" err.txt || fail "a full disk: status $status, $(cat err.txt)"
kept=$(sed -n 's/.*The frames written so far are kept in //p' err.txt)
[ -n "$kept" ] && [ "$(temporaries)" = "$work/${kept#./}" ] || fail "not where the message says: $(temporaries)"
[ ! -e full.avi ] || fail "an incomplete video took the final name"
echo "PASS"
