#!/bin/sh
# Linux-side check of the pictures the end-to-end run saved: the JPEG file
# decodes with djpeg to the camera's 320x240, and ImageMagick reads the
# bitmaps (also the one saved under an upper-case .JPG name) at that size.
set -eu
out=$1
fail() { echo "FAIL: $*"; exit 1; }
[ -f "$out/snapshot.jpg" ] || fail "no snapshot.jpg in $out"
header=$(djpeg -pnm "$out/snapshot.jpg" | head -c 15 | tr '\n' ' ')
case "$header" in
  "P6 320 240 255 "*) ;;
  *) fail "snapshot.jpg decodes as '$header'" ;;
esac
for bmp in snapshot.bmp snapshot-upper.JPG; do
  [ -f "$out/$bmp" ] || fail "no $bmp"
  size=$(/usr/bin/identify -format '%m %wx%h' "BMP:$out/$bmp")
  case "$size" in
    "BMP 320x240" | "BMP3 320x240") ;;
    *) fail "$bmp reads as '$size'" ;;
  esac
done
# The screenshot of the main window, for the documentation.
[ -f "$out/torvane-main-window.bmp" ] || fail "no screenshot of the main window"
/usr/bin/convert "BMP:$out/torvane-main-window.bmp" "$out/torvane-main-window.png"
echo "screenshot: $out/torvane-main-window.png"
echo PASS
