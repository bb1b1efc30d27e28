#!/usr/bin/env bash
# Compiles Torvane.chm from the help topics with chmcmd.
#   tools/make-help.sh <help source folder> <context header> <stage folder> <output .chm>
# chmcmd writes each context map target as the project folder followed by
# the topic's name, which the help viewer cannot find inside the file. Run
# with the project folder as its root directory, the targets are exactly
# the topics' own paths ("/snapshot.htm"), so the compiler runs chrooted in
# a stage folder that holds the project, the compiler and its libraries
# (in a user namespace when not run as root).
set -euo pipefail
source=$1 header=$2 stage=$3 output=$4
chmcmd=$(readlink -f "$(command -v chmcmd)")

rm -rf "$stage"
mkdir -p "$stage"
cp "$source"/*.htm "$source"/*.css "$source"/*.hhc "$source"/*.hhk "$source"/*.hhp "$header" "$stage"/
cp "$chmcmd" "$stage/chmcmd"
# The compiler's libraries, and the threading library its runtime loads.
libs=$(ldd "$chmcmd" | grep -o '/[^ ]*')
libs+=" $(find /lib/x86_64-linux-gnu /usr/lib/x86_64-linux-gnu -maxdepth 1 -name 'libpthread.so.0' 2>/dev/null | head -1)"
for lib in $libs; do
  mkdir -p "$stage$(dirname "$lib")"
  cp -L "$lib" "$stage$lib"
done

run=(chroot "$stage" /chmcmd --no-html-scan /Torvane.hhp)
[ "$(id -u)" -eq 0 ] || run=(unshare -r "${run[@]}")
if ! "${run[@]}" >"$stage/chmcmd.log" 2>&1 || grep -qi '^error' "$stage/chmcmd.log"; then
  cat "$stage/chmcmd.log" >&2
  exit 1
fi
cp "$stage/Torvane.chm" "$output"
