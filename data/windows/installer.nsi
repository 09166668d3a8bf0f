; The Windows installer: the game for the current user alone, a Start-menu entry and an uninstaller.
;
; Built by cmake/WindowsPackage.cmake, which defines STAGE (the folder of files to install),
; PROGRAM (the program's file name in it), OUTFILE, ICON, APP_ID, TITLE, VENDOR, COPYRIGHT and
; VERSION. Per-user: the game goes where Windows keeps a user's own programs, the entries into the
; user's own Start menu and registry, and no administrator is asked for.

; 64-bit: Debian's Wine runs only 64-bit programs, and the game is one.
Target amd64-unicode
SetCompressor /SOLID lzma
; Installed files get the time they are installed; the installer itself then holds no file times.
SetDateSave off
RequestExecutionLevel user
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_ID}"
!define SHORTCUT "$SMPROGRAMS\${TITLE}.lnk"

Name "${TITLE}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${TITLE}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${TITLE}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${TITLE} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${VENDOR}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright ${COPYRIGHT}"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}\${PROGRAM}"
    File "${STAGE}\LICENSE.txt"
    File "${STAGE}\QT-COPYRIGHT.txt"
    File "${STAGE}\LGPL-3.txt"
    File "${STAGE}\GPL-3.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${TITLE}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${VENDOR}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; File by file: the folder may be one the player chose, holding files of theirs, and only what this
; installer put there goes; the folder itself only if that leaves it empty.
Section "Uninstall"
    SetShellVarContext current
    Delete "${SHORTCUT}"
    Delete "$INSTDIR\${PROGRAM}"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\QT-COPYRIGHT.txt"
    Delete "$INSTDIR\LGPL-3.txt"
    Delete "$INSTDIR\GPL-3.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
