#!/bin/sh
# Instruction counts of one encode per kind, which unlike wall time do not
# depend on what else the shared machine is doing. Runs jpeg_bench under
# callgrind, collecting only inside the encode functions, and prints each
# count with the ratios reference / ours (above 1: ours needs fewer
# instructions), then the count of each stage of ours (sampling's stages
# as growing prefixes of the per-block steps, as the benchmark times them).
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
toggles=""
for stage in Convert Transform Quantize Symbols Sampling Tables Coding; do
  toggles="$toggles --toggle-collect=*Stage$stage(*"
done
# shellcheck disable=SC2086
valgrind --tool=callgrind --callgrind-out-file="$out" $toggles \
  "$bench" --stages-once "$width" "$height" >/dev/null 2>&1
callgrind_annotate --inclusive=yes "$out" 2>/dev/null | awk '
  /Stage(Convert|Transform|Quantize|Symbols|Sampling|Tables|Coding)\(/ {
    match($0, /Stage[A-Za-z]+\(/); s = substr($0, RSTART + 5, RLENGTH - 6)
    if (!(s in n)) { v = $1; gsub(",", "", v); n[s] = v }
  }
  END {
    printf "  stages: conversion %d  DCT %d  quantization %d  symbols %d  (fused sampling %d)\n",
           n["Convert"], n["Transform"] - n["Convert"], n["Quantize"] - n["Transform"],
           n["Symbols"] - n["Quantize"], n["Sampling"]
    printf "          DC statistics and tables %d  Huffman coding %d\n", n["Tables"], n["Coding"]
  }'
