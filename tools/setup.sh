#!/usr/bin/env bash
# One command for a newcomer: installs what is needed, builds everything,
# registers the control and the engine in the project's Wine prefix and
# starts Torvane with the synthetic camera (under Xvfb with a screenshot
# when there is no display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
x64=$root/build/x64
export WINEPREFIX=$x64/wineprefix WINEDEBUG=-all

"$root/tools/install-packages.sh"
[ -f "$x64/build.ninja" ] || cmake -G Ninja -S "$root" -B "$x64" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$x64"
echo "Built into $x64/bin."
"$root/tools/start-torvane.sh" "$x64"
