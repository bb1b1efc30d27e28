#!/bin/sh
# Decodes the JPEG snapshot the engine flow test saved with djpeg, a
# decoder independent of ours, and compares its size with the camera's.
set -u
dir=$1
[ -s "$dir/snapshot.jpg" ] || { echo "FAIL missing $dir/snapshot.jpg"; exit 1; }
expected=$(cat "$dir/snapshot.size")
header=$(djpeg -pnm "$dir/snapshot.jpg" 2>"$dir/djpeg.err" | head -c 20 | tr '\n' ' ')
[ -s "$dir/djpeg.err" ] && { echo "FAIL djpeg: $(cat "$dir/djpeg.err")"; exit 1; }
case "$header" in
  "P6 $expected 255 "*) echo "ok   snapshot.jpg decodes as $expected" ;;
  *) echo "FAIL snapshot.jpg: got '$header', expected 'P6 $expected 255'"; exit 1 ;;
esac
