#!/usr/bin/env bash
# Starts Torvane with the synthetic camera in the project's Wine prefix:
# registers the control (regsvr32) and the camera engine (/RegServer), then
#  - with a usable display: runs Torvane in a window until it is closed;
#  - without one: runs it under a private Xvfb, saves a screenshot of the
#    main window with a live picture and says where it is.
# Usage: tools/start-torvane.sh [build folder, default build/x64]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/x64}
bin=$build/bin
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=${WINEDEBUG:--all}
wine=/usr/lib/wine/wine64
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }

for file in Torvane.exe Tovra2.dll CameraEngine.exe; do
  [ -f "$bin/$file" ] || { echo "start-torvane: $bin/$file is missing; build first" >&2; exit 1; }
done
# Registration runs on the display Torvane will use: Wine's desktop process
# keeps the display it was started with for the whole session.
register() {
  "$root/tools/make-wineprefix.sh" "$WINEPREFIX"
  "$root/tools/wine-run" regsvr32 /s "$(winpath "$bin/Tovra2.dll")" </dev/null >/dev/null 2>&1
  "$root/tools/wine-run" "$(winpath "$bin/CameraEngine.exe")" /RegServer </dev/null >/dev/null 2>&1
  echo "Registered Tovra2.dll and CameraEngine.exe in $WINEPREFIX."
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  register
  echo "Starting Torvane on $DISPLAY; close its window to finish."
  exec timeout 86400 "$wine" "$bin/Torvane.exe" </dev/null >/dev/null 2>&1
fi

# No display: a private Xvfb on the first free display number. A Wine
# session still ending (the registration of the set-up) would keep its own
# display: wait for it first (bounded; a persistent server is left alone).
timeout 30 /usr/lib/wine/wineserver -w 2>/dev/null || true
for n in $(seq 90 130); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
torvane_pid=""
cleanup() {
  [ -n "$torvane_pid" ] && kill "$torvane_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM
export DISPLAY=$display
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
register

timeout 300 "$wine" "$bin/Torvane.exe" </dev/null >/dev/null 2>&1 &
torvane_pid=$!
window=""
for _ in $(seq 300); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Torvane Webcam Wizard"/ {print $1; exit}')
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "start-torvane: the main window did not appear" >&2; exit 1; }
sleep 3  # a few frames of live video
shot=$build/torvane-main-window.png
xwd -id "$window" -silent | /usr/bin/convert xwd:- "$shot"
echo "Torvane ran under Xvfb ($display) with the synthetic camera; screenshot of its main window: $shot"
