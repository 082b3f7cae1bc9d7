; Selvora's Windows installer (NSIS 3, makensis runs on Linux). scripts/package-windows
; passes the version, the folder of files to install (STAGE), the lists of them
; (FILES_INSTALL, FILES_UNINSTALL) and OUTFILE.
;
; Silent: Selvora-<version>-setup.exe /S [/D=C:\path\to\Selvora] (/D last, unquoted).
;
; For the operator who runs it, without administrator rights, into
; %LOCALAPPDATA%\Programs\Selvora (where Windows puts per-user programs): the program
; keeps doppler.ini in the folder it starts in, and the Start-menu shortcut starts it
; in its own folder, which must therefore be the operator's to write. Under Program
; Files, Save Path would fail for everyone but an administrator.
; The program is 64-bit, and so is the installer: a 32-bit stub would see the 32-bit
; Program Files and registry instead.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Selvora"

Name "Selvora ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Selvora"
InstallDirRegKey HKCU "Software\Selvora" "InstallDir"
RequestExecutionLevel user
BrandingText "Selvora ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Selvora"
VIAddVersionKey /LANG=1033 "FileDescription" "Selvora ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "selvora.ico"
!define MUI_UNICON "selvora.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\selvora.exe"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    SetRegView 64
    SetShellVarContext current
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext current
FunctionEnd

Section "Selvora"
    SetOutPath "$INSTDIR"
    !include "${FILES_INSTALL}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Selvora.lnk" "$INSTDIR\selvora.exe"
    WriteRegStr HKCU "Software\Selvora" "InstallDir" "$INSTDIR"
    ; Apps & features (Programs and Features before Windows 10)
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Selvora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Selvora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\selvora.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Only the files this installer put there: the folder may have been chosen with
; /D=, and anything else in it is not ours to remove. doppler.ini and the rig
; settings live in the operator's profile and stay.
Section "Uninstall"
    !include "${FILES_UNINSTALL}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Selvora.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "Software\Selvora"
SectionEnd
