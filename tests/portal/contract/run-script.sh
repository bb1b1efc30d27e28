#!/bin/sh
# Registers the control with regsvr32 and runs one script client through
# Wine's cscript. Wine's cscript ends with 0 even after a runtime error, so
# the script's own PASS line decides.
# Usage: run-script.sh <wine-run> <Tovra2.dll> <script.vbs>
set -u
winerun=$1
control=$2
script=$3
to_windows() { printf 'Z:%s' "$1" | tr / '\\'; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT

if ! "$winerun" regsvr32 /s "$(to_windows "$control")" >"$log" 2>&1; then
  echo "regsvr32 failed:"; cat "$log"; exit 1
fi
TORVANE_WINE_TIMEOUT=120 "$winerun" cscript //nologo "$(to_windows "$script")" >"$log" 2>&1
status=$?
cat "$log"
if [ "$status" -ne 0 ]; then
  echo "cscript ended with $status"; exit 1
fi
grep -qx 'PASS' "$log" || grep -qx "$(printf 'PASS\r')" "$log" || { echo "no PASS line"; exit 1; }
