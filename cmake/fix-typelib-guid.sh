#!/bin/sh
# Restores the last byte of a GUID in a widl-made type library.
# Usage: fix-typelib-guid.sh <file.tlb> <GUID without braces>
#
# widl (Wine 8) writes the library identity with a corrupt last byte when
# the library holds a dispinterface; the header and GUID files are right,
# only the type library is wrong. The entry is found by its first fifteen
# bytes and its sixteenth byte is written back; a missing entry is an error.
set -eu
tlb=$1
guid=$2
hex=$(echo "$guid" | tr -d '{}-' | tr 'A-F' 'a-f')
# On-disk order: Data1..Data3 little-endian, Data4 as is.
le() { echo "$1" | sed 's/\(..\)/\1 /g' | awk '{for (i = NF; i > 0; i--) printf "%s", $i}'; }
bytes="$(le "$(echo "$hex" | cut -c1-8)")$(le "$(echo "$hex" | cut -c9-12)")$(le "$(echo "$hex" | cut -c13-16)")$(echo "$hex" | cut -c17-32)"
prefix=$(echo "$bytes" | cut -c1-30 | sed 's/\(..\)/\\x\1/g')
last=$(echo "$bytes" | cut -c31-32)
offsets=$(LC_ALL=C grep -obUaP "$prefix" "$tlb" | cut -d: -f1)
[ -n "$offsets" ] || { echo "fix-typelib-guid: $guid not found in $tlb" >&2; exit 1; }
for offset in $offsets; do
  printf "\\$(printf %o "0x$last")" | dd of="$tlb" bs=1 seek=$((offset + 15)) conv=notrunc status=none
done
