; Torvane's installer: one Torvane-<version>-setup.exe per architecture.
; Built by tools/make-installer.sh, which defines
;   ARCH    x64 or x86
;   BIN     the build's bin folder (Torvane.exe, Tovra2.dll, LTovra2.dll,
;           CameraEngine.exe, Torvane.chm, ALARM.WAV)
;   SOURCE  the repository (OEM definitions and skin)
;   OUTDIR  where the setup program is written
; Two scopes, chosen on the first page or with /AllUsers or /CurrentUser
; (also with /S for a silent run):
;   all users     Program Files, machine-wide registration, elevation;
;   current user  the user's programs folder, registration under
;                 HKEY_CURRENT_USER\Software\Classes, no administrator rights.
; The uninstaller unregisters the control and the engine and removes the
; files and keys installed here; pictures, movies and TorvaneError.log stay.

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma

; The version is Torvane.exe's own version resource.
!getdllversion "${BIN}/Torvane.exe" TORVANE_VERSION_
!define VERSION "${TORVANE_VERSION_1}.${TORVANE_VERSION_2}.${TORVANE_VERSION_3}"
!define PRODUCT "Torvane"
!define PUBLISHER "Velkor"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Torvane"
!define SCOPE_VALUE "InstallScope"

!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define MULTIUSER_USE_PROGRAMFILES64
!else
  Target x86-unicode
!endif

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTDIR}/Torvane-${VERSION}-setup.exe"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${TORVANE_VERSION_1}.${TORVANE_VERSION_2}.${TORVANE_VERSION_3}.${TORVANE_VERSION_4}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "${SCOPE_VALUE}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!define MUI_ICON "${SOURCE}/resources/Torvane/Torvane.ico"
!define MUI_UNICON "${SOURCE}/resources/Torvane/Torvane.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Torvane.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The product's files, installed and removed one by one: the folder may
; also hold the user's TorvaneError.log, which stays.
!macro TorvaneFiles action
  !insertmacro ${action} "Torvane.exe" "${BIN}"
  !insertmacro ${action} "Tovra2.dll" "${BIN}"
  !insertmacro ${action} "LTovra2.dll" "${BIN}"
  !insertmacro ${action} "CameraEngine.exe" "${BIN}"
  !insertmacro ${action} "Torvane.chm" "${BIN}"
  !insertmacro ${action} "ALARM.WAV" "${BIN}"
  !insertmacro ${action} "OEM.def" "${SOURCE}/resources/Tovra2"
  !insertmacro ${action} "Torvane.skin" "${SOURCE}/resources/Tovra2"
!macroend
!macro InstallFile name folder
  File "${folder}/${name}"
!macroend
!macro RemoveFile name folder
  Delete "$INSTDIR\${name}"
!macroend

!macro UseRegistryView
  !if "${ARCH}" == "x64"
    SetRegView 64
  !endif
!macroend

Function .onInit
  !if "${ARCH}" == "x64"
    ${IfNot} ${RunningX64}
      MessageBox MB_ICONSTOP "This version of ${PRODUCT} needs 64-bit Windows." /SD IDOK
      Abort
    ${EndIf}
  !endif
  !insertmacro UseRegistryView
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro UseRegistryView
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; Registration of the control and the engine for the chosen scope; a
; failure stops the installation with a message rather than leaving a
; program that cannot start its camera. $0 and $1 are the two exit codes;
; a program that could not even start counts as failed.
!macro Register un verb
  Function ${un}RegisterComponents${verb}
    StrCpy $0 "not started"
    StrCpy $1 "not started"
    ${If} $MultiUser.InstallMode == "AllUsers"
      !if "${verb}" == "On"
        ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\Tovra2.dll"' $0
        ExecWait '"$INSTDIR\CameraEngine.exe" /RegServer' $1
      !else
        ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$INSTDIR\Tovra2.dll"' $0
        ExecWait '"$INSTDIR\CameraEngine.exe" /UnregServer' $1
      !endif
    ${Else}
      !if "${verb}" == "On"
        ExecWait '"$SYSDIR\regsvr32.exe" /s /n /i:user "$INSTDIR\Tovra2.dll"' $0
        ExecWait '"$INSTDIR\CameraEngine.exe" /RegServerUser' $1
      !else
        ExecWait '"$SYSDIR\regsvr32.exe" /u /s /n /i:user "$INSTDIR\Tovra2.dll"' $0
        ExecWait '"$INSTDIR\CameraEngine.exe" /UnregServerUser' $1
      !endif
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro Register "" On
!insertmacro Register "" Off
!insertmacro Register "un." Off

Section "Torvane" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  !insertmacro TorvaneFiles InstallFile
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  Call RegisterComponentsOn
  ${If} $0 != 0
  ${OrIf} $1 != 0
    DetailPrint "Registration failed: control $0, engine $1"
    MessageBox MB_ICONSTOP "The video control or the camera engine could not be registered." /SD IDOK
    Call RegisterComponentsOff
    ; Nothing of a failed installation stays behind but the user's own
    ; files (the folder goes only when empty).
    !insertmacro TorvaneFiles RemoveFile
    Delete "$INSTDIR\Uninstall.exe"
    SetOutPath "$TEMP"
    RMDir "$INSTDIR"
    SetErrorLevel 2
    Quit
  ${EndIf}

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Torvane.exe" "" "$INSTDIR\Torvane.exe" 0

  ; Add/Remove Programs, in HKLM or HKCU after the scope.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Torvane.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "${SCOPE_VALUE}" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $2 $3 $4
  IntFmt $2 "0x%08X" $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$2"
SectionEnd

Section "Uninstall"
  Call un.RegisterComponentsOff
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  !insertmacro TorvaneFiles RemoveFile
  Delete "$INSTDIR\Uninstall.exe"
  ; Only an empty folder goes: the user's files keep it.
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
