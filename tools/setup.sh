#!/usr/bin/env bash
# One command for a newcomer: installs what is needed, builds everything,
# registers the control in the project's Wine prefix and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
x64=$root/build/x64
export WINEPREFIX=$x64/wineprefix WINEDEBUG=-all

"$root/tools/install-packages.sh"
[ -f "$x64/build.ninja" ] || cmake -G Ninja -S "$root" -B "$x64" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$x64"
"$root/tools/make-wineprefix.sh" "$WINEPREFIX"
dll="Z:$(echo "$x64/bin/Tovra2.dll" | tr / '\\')"
"$root/tools/wine-run" regsvr32 /s "$dll"
echo "Built into $x64/bin; the VideoPortal control is registered in $WINEPREFIX."
# Registers the control and the engine and starts Torvane with the synthetic
# camera (under Xvfb with a screenshot when there is no display).
"$root/tools/start-torvane.sh" "$x64"
