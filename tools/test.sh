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
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

xvfb_pid=""
server_pid=""
cleanup() {
  local status=$?
  if [ -n "$server_pid" ]; then
    WINEPREFIX=$WINEPREFIX timeout 20 "$wineserver" -k >/dev/null 2>&1 || true
    kill "$server_pid" 2>/dev/null || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  exit $status
}
trap cleanup EXIT INT TERM

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

if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
fi

# One wineserver for the whole run: each test process then starts in about
# 0.1 s instead of 3 s.
"$wineserver" -f -p </dev/null >/dev/null 2>&1 &
server_pid=$!
timeout 60 "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true

echo "== tests (native)"
(cd "$native" && ctest --output-on-failure -j "$jobs" "$@")
echo "== tests (Windows under Wine)"
(cd "$x64" && ctest --output-on-failure "$@")
