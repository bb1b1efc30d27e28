#!/bin/sh
# Instruction counts of one encode per kind, which unlike wall time do not
# depend on what else the shared machine is doing. Runs jpeg_bench --once
# under callgrind, collecting only inside the three encode functions, and
# prints each count with the ratios reference / ours (above 1: ours needs
# fewer instructions).
# Usage: count_instructions.sh path/to/jpeg_bench [WIDTH HEIGHT]
set -eu
bench=$1
width=${2:-640}
height=${3:-480}
out=$(mktemp)
trap 'rm -f "$out"' EXIT
valgrind --tool=callgrind --callgrind-out-file="$out" \
  --toggle-collect='*EncodeOurs*' --toggle-collect='*EncodeReferenceA*' \
  --toggle-collect='*EncodeReferenceB*' "$bench" --once "$width" "$height" >/dev/null 2>&1
callgrind_annotate --inclusive=yes "$out" 2>/dev/null | awk -v size="${width}x${height}" '
  /EncodeOurs/ && !ours { gsub(",", "", $1); ours = $1 }
  /EncodeReferenceA/ && !a { gsub(",", "", $1); a = $1 }
  /EncodeReferenceB/ && !b { gsub(",", "", $1); b = $1 }
  END {
    printf "%s instructions: ours %d  (a) %d  (b) %d   (a)/ours %.2fx  (b)/ours %.2fx\n",
           size, ours, a, b, a / ours, b / ours
  }'
