#!/bin/sh
# Linux-side check of everything the acceptance suite made: the JPEG files
# decode with djpeg, the bitmaps read with ImageMagick, both at the camera's
# 320x240 unless the bar changed the size or the camera; the movies pass
# ffprobe and ffmpeg against their expectations; every screenshot converts
# to PNG (for the documentation).
set -eu
out=$1
movies=$2  # tests/portal/movies/check_portal_movies.sh
fail() { echo "FAIL: $*"; exit 1; }
picture() {  # picture <file> [size]: 320x240 by default, djpeg for JPEG, ImageMagick for a bitmap
  [ -f "$1" ] || fail "no $1"
  size=${2:-320x240}
  case "$1" in
    *.jpg) got=$(djpeg -pnm "$1" | head -c 15 | tr '\n' ' '); want="P6 ${size%x*} ${size#*x} 255 " ;;
    *) got=$(/usr/bin/identify -format '%m %wx%h' "BMP:$1" | sed 's/^BMP3/BMP/'); want="BMP $size" ;;
  esac
  [ "$got" = "$want" ] || fail "$1 reads as '$got'"
  echo "ok   $1"
}
pictures() {  # pictures <count> <files...>
  want=$1; shift
  [ "$#" -eq "$want" ] || fail "$# files, expected $want: $*"
  for file in "$@"; do picture "$file"; done
}
pictures 1 "$out/snapshot.bmp"
pictures 1 "$out/snapshot.jpg"
pictures 1 "$out/delayed.jpg"
pictures 2 "$out"/sequence/*.jpg
pictures 2 "$out"/motion-pictures/*.jpg
picture "$out/snapshot-640.jpg" 640x480
picture "$out/snapshot-door.jpg" 160x120
for folder in movies time-lapse motion-movie; do
  sh "$movies" "$out/$folder" || fail "movies in $folder"
done
shots=0
for shot in "$out"/shots/*.bmp; do
  /usr/bin/convert "BMP:$shot" "${shot%.bmp}.png" || fail "screenshot $shot"
  shots=$((shots + 1))
done
[ "$shots" -ge 25 ] || fail "only $shots screenshots"
echo "PASS ($shots screenshots in $out/shots)"
