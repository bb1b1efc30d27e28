#!/usr/bin/env bash
# The installer under Wine, in a fresh prefix of its own (the suite's prefix
# keeps the build's registration):
#  1. silent all-users installation: every file identical to the build's,
#     the Start-menu shortcut, the Add/Remove Programs entry and the
#     machine-wide registration of the control and the engine;
#  2. the installed Torvane started from its folder takes a snapshot;
#  3. silent uninstallation through the entry's QuietUninstallString:
#     nothing of ours left, the user's picture and TorvaneError.log kept;
#  4. the same for the current user: files, shortcut and keys under
#     HKEY_CURRENT_USER only. Wine's COM ignores HKCU\Software\Classes, so
#     a per-user installation cannot be started here (on Windows the
#     per-user classes merge into HKEY_CLASSES_ROOT);
#  5. an installation whose registration fails: exit code 2, and nothing of
#     ours left, the user's error log kept.
#   test_installer.sh <build folder> <source folder>
set -uo pipefail
build=$1 root=$2
setup=$(ls "$build"/installer/Torvane-*-setup.exe 2>/dev/null | head -1)
[ -n "$setup" ] || { echo "FAIL: no installer in $build/installer"; exit 1; }
version=$(basename "$setup" | sed 's/^Torvane-\(.*\)-setup\.exe$/\1/')
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
template=$build/installer-prefix-template
export WINEPREFIX=$build/installer-prefix WINEDEBUG=-all
log=$build/installer-test.log
user=${USER:-$(id -un)}
: >"$log"

"$root/tools/make-wineprefix.sh" "$template" || { echo "FAIL: no template prefix"; exit 1; }
rm -rf "$WINEPREFIX"
cp -a "$template" "$WINEPREFIX"
"$wineserver" -p </dev/null >/dev/null 2>&1
trap 'timeout 20 "$wineserver" -k >/dev/null 2>&1' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { timeout 120 "$wine" "$@" </dev/null >>"$log" 2>&1; }
# The data of one registry value ("" when it or its key is missing).
value() {
  local flag=(/v "$2"); [ "$2" = "" ] && flag=(/ve)
  timeout 30 "$wine" reg query "$1" "${flag[@]}" </dev/null 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *[^ ].*  *REG_[A-Z_]*  *//p' | head -1
}
has_key() { timeout 30 "$wine" reg query "$1" </dev/null >/dev/null 2>&1; }
unix_path() { timeout 30 "$wine" winepath -u "$1" </dev/null 2>/dev/null | tr -d '\r'; }
# Runs the entry's QuietUninstallString and waits until the uninstaller,
# which continues from a copy of itself, has removed itself.
uninstall() {  # uninstall <uninstall key> <folder>
  local command program arguments
  command=$(value "$1" QuietUninstallString)
  program=$(sed 's/^"\([^"]*\)".*/\1/' <<<"$command")
  arguments=$(sed 's/^"[^"]*" *//' <<<"$command")
  [ -n "$program" ] || { fail "no QuietUninstallString under $1"; return; }
  # shellcheck disable=SC2086
  run "$program" $arguments || fail "uninstaller exit code $?"
  for _ in $(seq 300); do [ -e "$2/Uninstall.exe" ] || break; sleep 0.1; done
  sleep 0.5
}

vp_clsid=$(grep -B3 'coclass VideoPortal' "$root/portal/contract/Tovra2.idl" | sed -n 's/.*uuid(\(.*\)).*/{\1}/p')
engine_clsid=$(sed -n 's/.*CLSID\\\\\({[0-9A-F-]*}\)\\\\LocalServer32.*/\1/p' "$root/engine/interface/EngineLaunch.cpp" | head -1)
[ -n "$vp_clsid" ] && [ -n "$engine_clsid" ] || { echo "FAIL: class identifiers not found"; exit 1; }
files=(Torvane.exe Tovra2.dll LTovra2.dll CameraEngine.exe Torvane.chm ALARM.WAV OEM.def Torvane.skin)
source_of() { case $1 in OEM.def|Torvane.skin) echo "$root/resources/Tovra2/$1" ;; *) echo "$build/bin/$1" ;; esac; }

check_installed() {  # check_installed <folder> <uninstall key> <classes root> <start menu folder> <scope>
  local folder=$1 key=$2 classes=$3 menu=$4 scope=$5 windows
  for file in "${files[@]}"; do
    cmp -s "$(source_of "$file")" "$folder/$file" || fail "$scope: $file missing or not the built one"
  done
  [ -f "$folder/Uninstall.exe" ] || fail "$scope: no uninstaller"
  [ -f "$menu/Torvane.lnk" ] || fail "$scope: no Start-menu shortcut in $menu"
  windows=$(value "$key" InstallLocation)
  [ "$(value "$key" DisplayName)" = "Torvane" ] || fail "$scope: DisplayName"
  [ "$(value "$key" DisplayVersion)" = "$version" ] || fail "$scope: DisplayVersion is not $version"
  [ "$(value "$key" Publisher)" = "Velkor" ] || fail "$scope: Publisher"
  [ "$(value "$key" DisplayIcon)" = "$windows\\Torvane.exe,0" ] || fail "$scope: DisplayIcon"
  [ "$(value "$key" UninstallString)" = "\"$windows\\Uninstall.exe\" /$scope" ] || fail "$scope: UninstallString"
  local size kib
  size=$(value "$key" EstimatedSize)
  kib=$(du -sk "$folder" | cut -f1)
  [ -n "$size" ] && [ $((size)) -ge $((kib * 8 / 10)) ] && [ $((size)) -le $((kib * 12 / 10)) ] ||
    fail "$scope: EstimatedSize $size for $kib KiB"
  [ "$(value "$classes\\CLSID\\$vp_clsid\\InprocServer32" "")" = "$windows\\Tovra2.dll" ] ||
    fail "$scope: control not registered from $windows"
  [ "$(value "$classes\\CLSID\\$engine_clsid\\LocalServer32" "")" = "\"$windows\\CameraEngine.exe\"" ] ||
    fail "$scope: engine not registered from $windows"
}

check_removed() {  # check_removed <folder> <uninstall key> <classes root> <start menu folder> <scope>
  for file in "${files[@]}" Uninstall.exe; do [ -e "$1/$file" ] && fail "$5: $file left behind"; done
  [ -e "$4/Torvane.lnk" ] && fail "$5: shortcut left behind"
  has_key "$2" && fail "$5: uninstall entry left behind"
  has_key "$3\\CLSID\\$vp_clsid" && fail "$5: control registration left behind"
  has_key "$3\\CLSID\\$engine_clsid" && fail "$5: engine registration left behind"
}

echo "== all users"
machine_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvane'
run "$setup" /S /AllUsers || fail "installer exit code $?"
folder=$(unix_path "$(value "$machine_key" InstallLocation)")
[ "$(value "$machine_key" InstallLocation)" = 'C:\Program Files\Torvane' ] || fail "not installed into Program Files"
menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
check_installed "$folder" "$machine_key" 'HKLM\Software\Classes' "$menu" AllUsers

documents=$WINEPREFIX/drive_c/users/$user/Documents
mkdir -p "$documents"
picture=$documents/installed-snapshot.bmp
TORVANE_INSTALLED_PROGRAM='C:\Program Files\Torvane\Torvane.exe' \
  TORVANE_SNAPSHOT_TARGET="$(timeout 30 "$wine" winepath -w "$picture" </dev/null 2>/dev/null | tr -d '\r')" \
  timeout 120 "$wine" "$build/bin/installed_torvane_test.exe" --gtest_brief=1 </dev/null >>"$log" 2>&1 ||
  fail "the installed Torvane did not take its snapshot (see $log)"
[ -f "$picture" ] || fail "no snapshot saved by the installed Torvane"
# The user's error log lives in the program folder and must survive.
printf '1,53,"File not found","frmMainTakeSnapShot","",-2147221504\r\n' >>"$folder/TorvaneError.log"
uninstall "$machine_key" "$folder"
check_removed "$folder" "$machine_key" 'HKLM\Software\Classes' "$menu" AllUsers
[ -f "$picture" ] || fail "the user's picture was removed"
[ -f "$folder/TorvaneError.log" ] || fail "TorvaneError.log was removed"
[ "$(ls -A "$folder" 2>/dev/null)" = "TorvaneError.log" ] || fail "more than the error log left in $folder"

echo "== current user"
user_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvane'
run "$setup" /S /CurrentUser || fail "installer exit code $?"
windows=$(value "$user_key" InstallLocation)
case "$windows" in *'\AppData\Local\Programs\Torvane') ;; *) fail "per-user folder is '$windows'" ;; esac
folder=$(unix_path "$windows")
menu=$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
check_installed "$folder" "$user_key" 'HKCU\Software\Classes' "$menu" CurrentUser
has_key "$machine_key" && fail "a per-user installation wrote the machine-wide entry"
has_key "HKLM\\Software\\Classes\\CLSID\\$vp_clsid" && fail "a per-user installation registered machine-wide"
uninstall "$user_key" "$folder"
check_removed "$folder" "$user_key" 'HKCU\Software\Classes' "$menu" CurrentUser
[ -e "$folder" ] && fail "the per-user folder is left behind"

echo "== a registration that fails"
# regsvr32 cannot start: the installer must say so, and leave nothing of
# ours behind but the user's files.
folder=$WINEPREFIX/drive_c/Program\ Files/Torvane
mkdir -p "$folder" && printf 'kept\r\n' >"$folder/TorvaneError.log"
WINEDLLOVERRIDES=regsvr32.exe=d run "$setup" /S /AllUsers
status=$?
[ "$status" -eq 2 ] || fail "a failed registration ended the installer with $status, not 2"
check_removed "$folder" "$machine_key" 'HKLM\Software\Classes' "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs" Failed
[ "$(ls -A "$folder" 2>/dev/null)" = "TorvaneError.log" ] || fail "a failed installation left more than the error log in $folder"

[ "$failures" -eq 0 ] && echo "PASS" || echo "$failures failures"
[ "$failures" -eq 0 ]
