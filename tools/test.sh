#!/usr/bin/env bash
# Builds everything and runs the whole test suite:
#  - the x86_64 Windows build, its tests under Wine in a prefix of its own
#    (build/x64/wineprefix) with a persistent wineserver and, when no
#    DISPLAY is set, a private Xvfb;
#  - the native Linux build of the portable JPEG core (sanitizers, djpeg).
# Arguments are handed to both ctest runs, so that `tools/test.sh -R engine`
# builds everything and runs only the matching tests.
# Everything this script starts is stopped by pid on exit, also on failure.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${TORVANE_BUILD:-$root/build}
x64=$build/x64
native=$build/native
jobs=${TORVANE_JOBS:-$(nproc)}
export WINEPREFIX=$x64/wineprefix
export WINEDEBUG=-all
. "$root/tools/wine-session.sh"

configure() {  # configure <dir> [cmake args...]
  local dir=$1; shift
  [ -f "$dir/build.ninja" ] || cmake -G Ninja -S "$root" -B "$dir" "$@" >/dev/null
}

"$root/tools/install-packages.sh"

echo "== building (x86_64 Windows, native JPEG core)"
configure "$x64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
ninja -C "$x64" -j "$jobs"
configure "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ninja -C "$native" -j "$jobs"

echo "== preparing the Wine prefix $WINEPREFIX"
"$root/tools/make-wineprefix.sh" "$WINEPREFIX"

wine_session_start

echo "== tests (native)"
(cd "$native" && ctest --output-on-failure -j "$jobs" "$@")
echo "== tests (Windows under Wine)"
(cd "$x64" && ctest --output-on-failure "$@")
