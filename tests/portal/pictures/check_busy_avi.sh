#!/bin/sh
# The busy animation read by ffprobe: one uncompressed palettised video
# stream of 40 x 40 with 12 frames, and no sound.
set -e
avi="$1"
streams=$(ffprobe -v error -count_frames -show_entries stream=codec_type,codec_name,pix_fmt,width,height,nb_read_frames \
          -of compact=p=0:nk=1 "$avi")
echo "$streams"
[ "$(echo "$streams" | wc -l)" -eq 1 ] || { echo "FAIL: expected one stream"; exit 1; }
[ "$streams" = "rawvideo|video|40|40|pal8|12" ] || { echo "FAIL: unexpected stream"; exit 1; }
echo PASS
