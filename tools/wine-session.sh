# Sourced by the scripts that run Windows programs under Wine (test.sh,
# soak.sh): a private Xvfb when no DISPLAY is set and one persistent
# wineserver for the prefix, both stopped by pid when the script exits, also
# on failure. Needs WINEPREFIX set; call wine_session_start once the prefix
# exists.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
xvfb_pid=""
server_pid=""
wine_session_stop() {
  local status=$?
  if [ -n "$server_pid" ]; then
    WINEPREFIX=$WINEPREFIX timeout 20 "$wineserver" -k >/dev/null 2>&1 || true
    kill "$server_pid" 2>/dev/null || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  exit $status
}
trap wine_session_stop EXIT INT TERM

wine_session_start() {
  if [ -z "${DISPLAY:-}" ]; then
    local display="" n
    for n in $(seq 90 130); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
    done
    Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=$display
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  fi
  # One wineserver for the whole run: each Windows process then starts in
  # about 0.1 s instead of 3 s.
  "$wineserver" -f -p </dev/null >/dev/null 2>&1 &
  server_pid=$!
  timeout 60 "$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
}
