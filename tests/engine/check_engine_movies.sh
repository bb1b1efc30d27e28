#!/bin/bash
# Reads the capture files the engine tests wrote with ffprobe/ffmpeg, an
# AVI reader independent of ours: streams, codecs, sizes, frame counts and
# audio formats, and a full decode without errors. A movie with a
# "<movie>.expect" file ("at-least|exactly <frames> one|several" RIFF
# parts) is also read through the system's AVIFile services under Wine
# (avifile_probe): of a one-part file AVIFile must read exactly the frames
# and samples ffprobe finds, of a longer one the first part.
# Usage: check_engine_movies.sh <movie folder> <wine-run> <avifile_probe.exe>
set -u
dir=$1 wine_run=$2 avifile_probe=$3
fail=0
check() {  # check <what> <actual> <expected>
  if [ "$2" != "$3" ]; then echo "FAIL $1: got '$2', expected '$3'"; fail=1; else echo "ok   $1: $2"; fi
}
entry() {  # entry <file> <stream selector> <field>
  ffprobe -v error -count_frames -select_streams "$2" -show_entries "stream=$3" -of default=nw=1:nk=1 "$dir/$1" | head -n1
}
streams() { ffprobe -v error -show_entries stream=index -of csv=p=0 "$dir/$1" | wc -l; }
decodes() { ffmpeg -v error -nostdin -i "$dir/$1" -f null - 2>&1 | head -n3; }

for f in dib-audio.avi mjpeg.avi step.avi; do
  [ -s "$dir/$f" ] || { echo "FAIL missing $dir/$f"; exit 1; }
done

check "dib-audio streams" "$(streams dib-audio.avi)" 2
check "dib-audio video codec" "$(entry dib-audio.avi v:0 codec_name)" rawvideo
check "dib-audio size" "$(entry dib-audio.avi v:0 width)x$(entry dib-audio.avi v:0 height)" 320x240
check "dib-audio audio codec" "$(entry dib-audio.avi a:0 codec_name)" pcm_u8
check "dib-audio audio rate" "$(entry dib-audio.avi a:0 sample_rate)" 11025
check "dib-audio channels" "$(entry dib-audio.avi a:0 channels)" 1
frames=$(entry dib-audio.avi v:0 nb_read_frames)
[ "${frames:-0}" -ge 12 ] && echo "ok   dib-audio frames: $frames" || { echo "FAIL dib-audio frames: $frames"; fail=1; }
# Sound lasts as long as the pictures (within one frame period).
vdur=$(awk -v f="$frames" 'BEGIN { print f * 0.066 }')
adur=$(ffprobe -v error -select_streams a:0 -show_entries packet=size -of csv=p=0 "$dir/dib-audio.avi" |
       awk '{ s += $1 } END { print s / 11025 }')
awk -v v="$vdur" -v a="$adur" 'BEGIN { d = v - a; if (d < 0) d = -d; exit !(d < 0.07) }' \
  && echo "ok   dib-audio durations: $vdur / $adur" || { echo "FAIL dib-audio durations: $vdur / $adur"; fail=1; }

check "mjpeg streams" "$(streams mjpeg.avi)" 1
check "mjpeg codec" "$(entry mjpeg.avi v:0 codec_name)" mjpeg
check "mjpeg size" "$(entry mjpeg.avi v:0 width)x$(entry mjpeg.avi v:0 height)" 640x480
frames=$(entry mjpeg.avi v:0 nb_read_frames)
[ "${frames:-0}" -ge 8 ] && echo "ok   mjpeg frames: $frames" || { echo "FAIL mjpeg frames: $frames"; fail=1; }

check "step streams" "$(streams step.avi)" 2
check "step frames" "$(entry step.avi v:0 nb_read_frames)" 5
check "step audio codec" "$(entry step.avi a:0 codec_name)" pcm_s16le
check "step audio rate" "$(entry step.avi a:0 sample_rate)" 22050
check "step channels" "$(entry step.avi a:0 channels)" 2

for f in dib-audio.avi mjpeg.avi step.avi; do
  check "$f decodes cleanly" "$(decodes $f)" ""
done

# PCM sample frames in all audio packets of a movie.
samples() {
  local block
  block=$(ffprobe -v error -select_streams a:0 -show_entries stream=channels,bits_per_sample -of csv=p=0 "$dir/$1" |
    awk -F, '{ print $1 * $2 / 8 }')
  ffprobe -v error -select_streams a:0 -show_entries packet=size -of csv=p=0 "$dir/$1" |
    awk -v b="$block" '{ s += $1 } END { print (b > 0 ? s / b : 0) }'
}
# The sound the engine records with <frames> frames: every frame's period.
expected_samples() {  # expected_samples <movie> <frames>
  local rate fps
  rate=$(entry "$1" a:0 sample_rate)
  fps=$(entry "$1" v:0 r_frame_rate)
  awk -v n="$2" -v r="$rate" -v f="$fps" 'BEGIN { split(f, q, "/"); printf "%d", n * q[2] * r / q[1] }'
}
winpath() { echo "Z:${1//\//\\}"; }
for expect in "$dir"/*.avi.expect; do
  [ -e "$expect" ] || continue
  f=$(basename "${expect%.expect}")
  read -r relation wanted parts < <(tr -d '\r' <"$expect")
  frames=$(entry "$f" v:0 nb_read_frames)
  case $relation in
    exactly) check "$f frames" "$frames" "$wanted" ;;
    *) [ "${frames:-0}" -ge "$wanted" ] && echo "ok   $f frames: $frames >= $wanted" ||
         { echo "FAIL $f frames: $frames, expected at least $wanted"; fail=1; } ;;
  esac
  check "$f decodes cleanly" "$(decodes "$f")" ""
  audio=$(streams "$f")
  [ "$audio" -eq 2 ] && check "$f sound of every frame" "$(samples "$f")" "$(expected_samples "$f" "$frames")"
  seen=$(TORVANE_WINE_TIMEOUT=60 "$wine_run" "$avifile_probe" "$(winpath "$dir/$f")" 2>/dev/null | tr -d '\r' |
         sed 's/^.* video /video /')
  read -r _ length readable _ alength areadable <<<"$seen"
  if [ "$parts" = one ]; then
    check "$f AVIFile frames" "$length $readable" "$frames $frames"
    [ "$audio" -eq 2 ] && check "$f AVIFile samples" "$alength $areadable" "$(samples "$f") $(samples "$f")"
  else
    riffs=$(grep -obUa AVIX "$dir/$f" | wc -l)
    [ "$riffs" -ge 2 ] && echo "ok   $f AVIX parts: $riffs" || { echo "FAIL $f AVIX parts: $riffs"; fail=1; }
    [ "${length:-0}" -gt 0 ] && [ "$length" -lt "$frames" ] && [ "$readable" = "$length" ] &&
      echo "ok   $f AVIFile reads the first part: $seen" || { echo "FAIL $f AVIFile: $seen"; fail=1; }
  fi
done
[ $fail -eq 0 ] && echo PASS
exit $fail
