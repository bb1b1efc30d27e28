#!/bin/bash
# Independent checks of the media library's files on the Linux side: the
# Windows sample writer (under Wine) writes movies and pictures, then
# ffprobe/ffmpeg and ImageMagick read them. A second run records under a
# process file-size limit to check that a full disk is reported and the
# frames written before it stay playable.
# Usage: check_media_files.sh <wine-run> <media_sample_writer.exe> <work folder>
set -u
wine_run=$1 writer=$2 work=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() {  # expect <what> <actual> <expected>
  [ "$2" = "$3" ] || fail "$1: got [$2], expected [$3]"
}
winpath() { echo "Z:${1//\//\\}"; }
probe() {  # probe <file> <entries>: one csv line per stream
  timeout 60 ffprobe -v error -count_frames -show_entries "stream=$2" -of csv=p=0 "$1" 2>&1
}
decodes_cleanly() {
  local errors
  errors=$(timeout 60 ffmpeg -nostdin -v error -i "$1" -f null - 2>&1) || fail "$1: ffmpeg exit status"
  [ -z "$errors" ] || fail "$1: decoding errors: $errors"
}

rm -rf "$work" && mkdir -p "$work" || exit 1
TORVANE_WINE_TIMEOUT=120 "$wine_run" "$writer" "$(winpath "$work")" >"$work/writer.log" 2>&1 ||
  { cat "$work/writer.log"; echo "FAIL: sample writer"; exit 1; }

fields=codec_type,codec_name,width,height,nb_read_frames
audio=codec_name,sample_rate,channels,bits_per_sample,nb_frames  # nb_frames: samples
expect "dib_audio video" "$(probe "$work/dib_audio.avi" $fields | head -1)" "rawvideo,video,320,240,30"
expect "dib_audio audio" "$(probe "$work/dib_audio.avi" $audio | sed -n 2p)" "pcm_u8,11025,1,8,22050"
expect "dib_one" "$(probe "$work/dib_one.avi" $fields)" "rawvideo,video,160,120,1"
expect "dib_odd video" "$(probe "$work/dib_odd.avi" $fields | head -1)" "rawvideo,video,161,121,7"
expect "dib_odd audio" "$(probe "$work/dib_odd.avi" $audio | sed -n 2p)" "pcm_u8,22050,2,8,10290"
expect "mjpeg_audio video" "$(probe "$work/mjpeg_audio.avi" $fields | head -1)" "mjpeg,video,640,480,30"
expect "mjpeg_audio audio" "$(probe "$work/mjpeg_audio.avi" $audio | sed -n 2p)" "pcm_s16le,44100,2,16,88200"
expect "mjpeg_one" "$(probe "$work/mjpeg_one.avi" $fields)" "mjpeg,video,352,288,1"
for f in "$work"/*.avi; do decodes_cleanly "$f"; done

# Decoded frame 3 equals the picture of the same scene frame: rows,
# orientation and colour order survive exactly (DIB) or closely (MJPEG).
frame3() { timeout 60 ffmpeg -nostdin -v error -i "$1" -vf 'select=eq(n\,3)' -frames:v 1 -f rawvideo -pix_fmt rgb24 - | md5sum; }
expect "dib frame 3 vs bitmap" "$(frame3 "$work/dib_audio.avi")" "$(convert "$work/scene_320.bmp" rgb:- | md5sum)"
psnr=$(timeout 60 ffmpeg -nostdin -i "$work/mjpeg_audio.avi" -i "$work/scene_640.bmp" \
  -lavfi '[0:v]select=eq(n\,3),format=rgb24[a];[1:v]format=rgb24[b];[a][b]psnr' -f null - 2>&1 |
  sed -n 's/.*PSNR.* average:\([0-9.]*\).*/\1/p')
awk -v p="${psnr:-0}" 'BEGIN { exit !(p > 30) }' || fail "mjpeg frame 3 PSNR [$psnr] not above 30 dB"

# The tone is quiet but present: peak near 0.12 of full scale (-18.4 dBFS).
peak=$(timeout 60 ffmpeg -nostdin -i "$work/mjpeg_audio.avi" -af volumedetect -vn -f null - 2>&1 |
  sed -n 's/.*max_volume: \(-[0-9.]*\) dB.*/\1/p')
awk -v p="${peak:-0}" 'BEGIN { exit !(p < -16 && p > -21) }' || fail "tone peak [$peak] dB"

expect "bitmap 320" "$(identify -format '%m %w %h %z %B' "$work/scene_320.bmp")" "BMP3 320 240 8 230454"
expect "bitmap 161" "$(identify -format '%m %w %h %z %B' "$work/scene_161.bmp")" "BMP3 161 121 8 $((484 * 121 + 54))"

# Recording into a full disk: the write failure is reported (Win32 error
# 112, disk full) and the file keeps every frame written before it.
result=$( (trap '' XFSZ; ulimit -f 3000; TORVANE_WINE_TIMEOUT=120 "$wine_run" "$writer" fill "$(winpath "$work/fill.avi")") 2>&1)
case $result in
  *"add 0x80070070 close 0x00000000"*) ;;
  *) fail "full disk run: $result" ;;
esac
frames=$(echo "$result" | sed -n 's/^frames \([0-9]*\) .*/\1/p')
[ "${frames:-0}" -gt 0 ] || fail "no frames before the disk was full"
expect "full disk video" "$(probe "$work/fill.avi" $fields | head -1)" "rawvideo,video,320,240,${frames:-0}"
decodes_cleanly "$work/fill.avi"

[ $failures -eq 0 ] && echo "PASS" && rm -rf "$work"
exit $failures
