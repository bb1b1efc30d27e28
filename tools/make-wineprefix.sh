#!/usr/bin/env bash
# Creates (once) the Wine prefix the tests run in, with the settings that
# keep unattended runs from hanging: no crash dialog (a crash prints a
# backtrace and exits), no window manager, no audio driver.
set -euo pipefail
prefix=$1
export WINEPREFIX=$prefix WINEDEBUG=-all
wine=/usr/lib/wine/wine64
stamp=$prefix/.torvane-ready
[ -f "$stamp" ] && exit 0
mkdir -p "$prefix"
WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 "$wine" wineboot -i </dev/null >"$prefix/wineboot.log" 2>&1
reg() { timeout 60 "$wine" reg add "$@" /f </dev/null >>"$prefix/wineboot.log" 2>&1; }
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
reg 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N
reg 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d ''
timeout 60 /usr/lib/wine/wineserver -w 2>/dev/null || true
touch "$stamp"
