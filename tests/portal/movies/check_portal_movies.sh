#!/bin/sh
# Reads every movie the control's movie tests left in the folder with
# ffprobe/ffmpeg (AVI readers independent of ours) against the
# "<movie>.expect" beside it: streams, video codec, frames (exactly or at
# least), RIFF parts (at least), video rate (1000 / period), the main
# header's frame period, sound (codec, rate, channels), AVISaveV's copy (it
# names its streams, strn) or the capture file itself, and a full decode
# without errors.
set -u
fail=0
checked=0
bad() { echo "FAIL $1"; fail=1; }
check() { [ "$2" = "$3" ] && echo "ok   $1: $2" || bad "$1: got '$2', expected '$3'"; }
field() { ffprobe -v error -count_frames -select_streams "$2" -show_entries "stream=$3" -of default=nw=1:nk=1 "$1" | head -n1; }
value() { awk -v k="$1" '$1 == k { $1 = ""; sub(/^ /, ""); print }' "$expect"; }

for expect in "$1"/*.expect; do
  movie=${expect%.expect}
  name=$(basename "$movie")
  checked=$((checked + 1))
  [ -s "$movie" ] || { bad "$name is missing"; continue; }
  check "$name streams" "$(ffprobe -v error -show_entries stream=index -of csv=p=0 "$movie" | wc -l)" "$(value streams)"
  check "$name video codec" "$(field "$movie" v:0 codec_name)" "$(value video)"
  set -- $(value frames)
  frames=$(field "$movie" v:0 nb_read_frames)
  if [ "$1" = exactly ]; then check "$name frames" "$frames" "$2"
  elif [ "${frames:-0}" -ge "$2" ]; then echo "ok   $name frames: $frames (at least $2)"
  else bad "$name frames: $frames, expected at least $2"; fi
  period=$(value period)
  rate=$(field "$movie" v:0 r_frame_rate)
  awk -v r="$rate" -v p="$period" 'BEGIN { split(r, f, "/"); d = f[1] / f[2] - 1000 / p; exit !(d * d < 0.0001) }' \
    && echo "ok   $name rate: $rate" || bad "$name rate: $rate, expected 1000/$period"
  # avih's first value, behind RIFF, LIST hdrl and the avih chunk header.
  check "$name main header frame period" "$(od -An -t u4 -j 32 -N 4 "$movie" | tr -d ' ')" "$((period * 1000))"
  audio=$(value audio)
  [ -z "$audio" ] || check "$name audio" \
    "$(field "$movie" a:0 codec_name) $(field "$movie" a:0 sample_rate) $(field "$movie" a:0 channels)" "$audio"
  parts=$(($(LC_ALL=C grep -a -o AVIX "$movie" | wc -l) + 1))
  [ "$parts" -ge "$(value parts)" ] && echo "ok   $name RIFF parts: $parts" || bad "$name RIFF parts: $parts, expected at least $(value parts)"
  writer=$(value writer)
  head -c 16384 "$movie" | grep -a -q strn && made=saved || made=captured
  [ -z "$writer" ] || check "$name written by" "$made" "$writer"
  check "$name decodes cleanly" "$(ffmpeg -v error -nostdin -i "$movie" -f null - 2>&1 | head -n3)" ""
done
[ $checked -gt 0 ] || bad "no movies in $1"
[ $fail -eq 0 ] && echo "PASS ($checked movies)"
exit $fail
