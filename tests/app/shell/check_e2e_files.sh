#!/bin/sh
# Linux-side check of the pictures the end-to-end run saved: the JPEG files
# (the snapshot, the delayed snapshot, the timed sequence's pictures) decode
# with djpeg to the camera's 320x240, and ImageMagick reads the bitmaps
# (also the one saved under an upper-case .JPG name) at that size.
set -eu
out=$1
fail() { echo "FAIL: $*"; exit 1; }
decodes() {  # decodes <file>: djpeg reads it as a 320x240 colour picture
  [ -f "$1" ] || fail "no $1"
  header=$(djpeg -pnm "$1" | head -c 15 | tr '\n' ' ')
  case "$header" in
    "P6 320 240 255 "*) ;;
    *) fail "$1 decodes as '$header'" ;;
  esac
}
decodes "$out/snapshot.jpg"
decodes "$out/delayed.jpg"
count=0
for jpg in "$out"/sequence/*.jpg; do
  decodes "$jpg"
  count=$((count + 1))
done
[ "$count" -eq 2 ] || fail "the timed sequence left $count JPEG files, not 2"
for bmp in snapshot.bmp snapshot-upper.JPG; do
  [ -f "$out/$bmp" ] || fail "no $bmp"
  size=$(/usr/bin/identify -format '%m %wx%h' "BMP:$out/$bmp")
  case "$size" in
    "BMP 320x240" | "BMP3 320x240") ;;
    *) fail "$bmp reads as '$size'" ;;
  esac
done
# The screenshots of the main window and the schedule dialogs, for the
# documentation.
for shot in main-window delay sequence progress motion movie; do
  [ -f "$out/torvane-$shot.bmp" ] || fail "no screenshot torvane-$shot.bmp"
  /usr/bin/convert "BMP:$out/torvane-$shot.bmp" "$out/torvane-$shot.png"
  echo "screenshot: $out/torvane-$shot.png"
done
echo PASS
