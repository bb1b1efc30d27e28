#!/usr/bin/env bash
# Builds Torvane's installer with NSIS from a finished build:
#   tools/make-installer.sh <bin folder> <x64|x86> <output folder>
# and prints the path of the Torvane-<version>-setup.exe it wrote (the
# version is the one of Torvane.exe's version resource).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "$1" && pwd) arch=$2
mkdir -p "$3"
out=$(cd "$3" && pwd)
case "$arch" in x64|x86) ;; *) echo "architecture must be x64 or x86" >&2; exit 2 ;; esac
for file in Torvane.exe Tovra2.dll LTovra2.dll CameraEngine.exe Torvane.chm ALARM.WAV; do
  [ -f "$bin/$file" ] || { echo "missing $bin/$file" >&2; exit 1; }
done
rm -f "$out"/Torvane-*-setup.exe
makensis -V2 -NOCD -DARCH="$arch" -DBIN="$bin" -DSOURCE="$root" -DOUTDIR="$out" \
  "$root/tools/installer/Torvane.nsi" >"$out/makensis.log" 2>&1 || { cat "$out/makensis.log" >&2; exit 1; }
ls "$out"/Torvane-*-setup.exe
