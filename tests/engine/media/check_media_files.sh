#!/bin/bash
# Independent checks of the media library's files on the Linux side: the
# Windows sample writer (under Wine) writes movies and pictures, then
# ffprobe/ffmpeg and ImageMagick read them. A second run records under a
# process file-size limit to check that a full disk is reported and the
# frames written before it stay playable; further runs end the writer's
# process in the middle of a recording, and both ffprobe and the system's
# AVIFile services (avifile_probe under Wine) must read what it wrote.
# Usage: check_media_files.sh <wine-run> <media_sample_writer.exe> <avifile_probe.exe> <work folder>
set -u
wine_run=$1 writer=$2 avifile_probe=$3 work=$4
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() {  # expect <what> <actual> <expected>
  [ "$2" = "$3" ] || fail "$1: got [$2], expected [$3]"
}
winpath() { echo "Z:${1//\//\\}"; }
audio_samples() {  # audio_samples <file>: PCM sample frames of all audio packets
  local block
  block=$(timeout 60 ffprobe -v error -select_streams a:0 -show_entries stream=channels,bits_per_sample -of csv=p=0 "$1" |
    awk -F, '{ print $1 * $2 / 8 }')
  timeout 60 ffprobe -v error -select_streams a:0 -show_entries packet=size -of csv=p=0 "$1" |
    awk -v b="$block" '{ s += $1 } END { print s / b }'
}
avifile() {  # avifile <file>: "video <length> <read> audio <length> <read>" as AVIFile sees it
  TORVANE_WINE_TIMEOUT=60 "$wine_run" "$avifile_probe" "$(winpath "$1")" 2>/dev/null | tr -d '\r' | sed 's/^.* video /video /'
}
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
# Long movies in OpenDML form: every frame and sample of every RIFF part.
expect "odml_audio video" "$(probe "$work/odml_audio.avi" $fields | head -1)" "rawvideo,video,160,120,40"
expect "odml_audio samples" "$(audio_samples "$work/odml_audio.avi")" "58800"
expect "odml_silent" "$(probe "$work/odml_silent.avi" $fields)" "rawvideo,video,160,120,40"
expect "odml_mjpeg video" "$(probe "$work/odml_mjpeg.avi" $fields | head -1)" "mjpeg,video,320,240,60"
expect "odml_mjpeg samples" "$(audio_samples "$work/odml_mjpeg.avi")" "44100"
for f in odml_audio odml_silent odml_mjpeg; do
  parts=$(grep -obUa AVIX "$work/$f.avi" | wc -l)
  [ "$parts" -ge 2 ] || fail "$f: only $parts AVIX parts"
done
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

# A writer that dies: inside the first RIFF part ffprobe and AVIFile read
# the same frames; past it, ffprobe reads every part and AVIFile the first.
for run in "3 1024" "17 1024" "25 256"; do
  set -- $run
  name="$work/die_$1_$2.avi"
  result=$(TORVANE_WINE_TIMEOUT=60 "$wine_run" "$writer" die "$(winpath "$name")" "$1" "$2" 2>&1 | tr -d '\r')
  parts=$(echo "$result" | sed -n 's/^frames [0-9]* parts \([0-9]*\).*/\1/p')
  [ -n "$parts" ] || { fail "die $1: $result"; continue; }
  expect "died after $1 frames: ffprobe" "$(probe "$name" $fields | head -1)" "rawvideo,video,160,120,$1"
  expect "died after $1 frames: samples" "$(audio_samples "$name")" "$(($1 * 735))"
  decodes_cleanly "$name"
  seen=$(avifile "$name")
  if [ "$parts" -eq 1 ]; then
    expect "died after $1 frames: AVIFile" "$seen" "video $1 $1 audio $(($1 * 735)) $(($1 * 735))"
  else
    first=$(echo "$seen" | awk '{ print $2 }')
    expect "died after $1 frames: AVIFile reads the first part" "$seen" "video $first $first audio $((first * 735)) $((first * 735))"
    [ "${first:-0}" -gt 0 ] && [ "$first" -lt "$1" ] || fail "AVIFile first part of $name: $seen"
  fi
done

[ $failures -eq 0 ] && echo "PASS" && rm -rf "$work"
exit $failures
