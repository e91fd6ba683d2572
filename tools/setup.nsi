; The setup program for Windows users: installs for the current user only,
; without administrator rights, puts the program and its guide in the Start
; menu, makes .mv2 files open in the program with a double-click, and
; registers an uninstaller. Built by CMake with Debian's makensis:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.3.0 -DFILES=<folder> -DOUTFILE=<setup.exe> setup.nsi
; FILES holds marvek2.exe, mv2tool.exe and guide-ja.html.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define PRODUCT "MARVEK Ⅱ"
!define SETTINGS_KEY "Software\MARVEK2"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\MARVEK2"
!define CLASSES "Software\Classes"
!define FILE_TYPE "MARVEK2.Recording"
!define SHORTCUT "$SMPROGRAMS\MARVEK Ⅱ.lnk"
!define GUIDE_SHORTCUT "$SMPROGRAMS\MARVEK Ⅱ 利用ガイド.lnk"
; The main window's class: the program is running while it exists.
!define WINDOW_CLASS "marvek02"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; An earlier installation is replaced where it is.
InstallDir "$LOCALAPPDATA\Programs\MARVEK2"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!pragma warning disable 9100 ; no copyright line to give
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\marvek2.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; Files are replaced or removed only while the program is closed. Silent,
; the setup ends with a non-zero code instead of asking, and changes nothing.
!macro CLOSE_RUNNING_COPY
  retry:
  FindWindow $0 "${WINDOW_CLASS}"
  ${If} $0 <> 0
    ${If} ${Silent}
      SetErrorLevel 2
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "MARVEK Ⅱ が起動しています。終了してから［再試行］を押してください。" IDRETRY retry
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

Section "MARVEK Ⅱ"
  !insertmacro CLOSE_RUNNING_COPY
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${FILES}/marvek2.exe"
  File "${FILES}/mv2tool.exe"
  File "${FILES}/guide-ja.html"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "${SHORTCUT}" "$INSTDIR\marvek2.exe"
  CreateShortcut "${GUIDE_SHORTCUT}" "$INSTDIR\guide-ja.html"

  WriteRegStr HKCU "${CLASSES}\.mv2" "" "${FILE_TYPE}"
  WriteRegStr HKCU "${CLASSES}\${FILE_TYPE}" "" "MARVEK Ⅱ 記録ファイル"
  WriteRegStr HKCU "${CLASSES}\${FILE_TYPE}\DefaultIcon" "" '"$INSTDIR\marvek2.exe",-2'
  WriteRegStr HKCU "${CLASSES}\${FILE_TYPE}\shell\open\command" "" '"$INSTDIR\marvek2.exe" "%1"'

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\marvek2.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

; Removes what the setup put in place and the program's settings; never the
; archive of downloads or any recording.
Section "Uninstall"
  !insertmacro CLOSE_RUNNING_COPY
  SetShellVarContext current
  Delete "$INSTDIR\marvek2.exe"
  Delete "$INSTDIR\mv2tool.exe"
  Delete "$INSTDIR\guide-ja.html"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  Delete "${GUIDE_SHORTCUT}"

  DeleteRegKey HKCU "${CLASSES}\${FILE_TYPE}"
  ; .mv2 may have been given to another program since.
  ReadRegStr $0 HKCU "${CLASSES}\.mv2" ""
  ${If} $0 == "${FILE_TYPE}"
    DeleteRegValue HKCU "${CLASSES}\.mv2" ""
    DeleteRegKey /ifempty HKCU "${CLASSES}\.mv2"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${SETTINGS_KEY}"

  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
