#!/bin/sh
# Independent decoding of bmp2jpg's output: BMP pictures made by ImageMagick
# are encoded by the Windows tool under Wine and decoded by djpeg on Linux,
# which must report nothing; the decoded picture must keep a PSNR floor.
# Usage: bmp2jpg_djpeg.sh BMP2JPG.exe WINE-RUN
bmp2jpg=$1
winerun=$2
convert=/usr/bin/convert
compare=/usr/bin/compare
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# check NAME GEOMETRY SOURCE SAMPLING FLOOR [QUALITY]
check() {
  name=$1 size=$2 source=$3 sampling=$4 floor=$5 quality=${6:-90}
  $convert -size "$size" $source -type truecolor "BMP3:$work/$name.bmp" || { fail "$name: no picture"; return; }
  if ! "$winerun" "$bmp2jpg" "$work/$name.bmp" "$work/$name.jpg" --quality "$quality" --sampling "$sampling" \
      >"$work/$name.out" 2>&1; then
    fail "$name: bmp2jpg: $(cat "$work/$name.out")"; return
  fi
  if ! djpeg -pnm -outfile "$work/$name.pnm" "$work/$name.jpg" 2>"$work/$name.err" || [ -s "$work/$name.err" ]; then
    fail "$name: djpeg: $(cat "$work/$name.err")"; return
  fi
  reference="$work/$name.bmp"
  case $sampling in *,0,0,0,0) $convert "$work/$name.bmp" -colorspace Gray "$work/$name.grey.pgm"; reference="$work/$name.grey.pgm";; esac
  psnr=$($compare -metric PSNR "$reference" "$work/$name.pnm" null: 2>&1 | cut -d' ' -f1)
  if ! awk -v p="$psnr" -v f="$floor" 'BEGIN { exit !(p == "inf" || p + 0 >= f) }'; then
    fail "$name: PSNR $psnr below $floor"; return
  fi
  echo "ok $name $size $sampling PSNR $psnr bytes $(wc -c < "$work/$name.jpg")"
}

app=1,1,1,1,1,1
check flat1 1x1 xc:orange $app 40
# Small subsampled pictures have steep colour changes within a chrominance
# sample (and Wine's halftone stretch picks pixels instead of averaging).
check grad20 20x12 gradient:red-blue 2,2,1,1,1,1 24
check grad37 37x23 gradient:yellow-navy $app 34
check plasma33 33x65 plasma:fractal 2,1,1,1,1,1 20
check grey61 61x13 gradient:white-black 1,1,0,0,0,0 34
check grad7 7x9 gradient:green-white 4,4,1,1,1,1 20
check plasma640 640x480 plasma:fractal $app 28
check grad1280 1280x960 gradient:teal-pink $app 36
check plasma1023 1023x767 plasma:fractal 2,2,1,1,1,1 26
check noise1280 1280x960 "xc: +noise Random" $app 20 100

# A file larger than 750,001 bytes is written whole.
big=$(wc -c < "$work/noise1280.jpg")
[ "$big" -gt 750001 ] || fail "noise1280: only $big bytes, expected a file above 750001"

# Bad arguments and unreadable input: non-zero status and one line.
for args in "$work/missing.bmp $work/x.jpg" "$work/flat1.bmp $work/x.jpg --quality ten" \
            "$work/flat1.bmp $work/x.jpg --sampling 1,1,1" "$work/flat1.bmp" \
            "$work/flat1.bmp $work/x.jpg --sampling 5,1,1,1,1,1"; do
  # shellcheck disable=SC2086
  if "$winerun" "$bmp2jpg" $args >"$work/bad.out" 2>&1; then fail "accepted: $args"; fi
  [ "$(wc -l < "$work/bad.out")" -eq 1 ] || fail "not one line for: $args: $(cat "$work/bad.out")"
done

[ "$failures" -eq 0 ] && echo PASS
exit "$failures"
