; Installer of the Windows build:
;   makensis -DVERSION=1.0 -DSTAGE=dir -DICON=file.ico -DOUTFILE=setup.exe [-DLICENSE
;            -DCOPYRIGHT=...] vemo-maut.nsi
; STAGE holds what the zip holds: the two programs, the data folder's files, LICENSE, README.txt.
; Installs per user (no administrator rights needed) or for all users; the choice is offered on
; the first page, and a silent install (/S) takes /AllUsers or /CurrentUser, else all users when
; it may and the current user otherwise.

Unicode true
; A 64-bit installer for the 64-bit programs: it runs where they run, and Wine without 32-bit
; support can check it.
Target amd64-unicode
SetCompressor /SOLID lzma

!define APPNAME "Vemo Maut"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VemoMaut"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${APPNAME}"
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh

Name "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

!ifdef LICENSE
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!endif
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunProgram
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Czech"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_CZECH} "ProductName" "${APPNAME}"
VIAddVersionKey /LANG=${LANG_CZECH} "FileDescription" "${APPNAME} ${VERSION} - instalace"
VIAddVersionKey /LANG=${LANG_CZECH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_CZECH} "ProductVersion" "${VERSION}"
!ifdef COPYRIGHT
VIAddVersionKey /LANG=${LANG_CZECH} "LegalCopyright" "${COPYRIGHT}"
!endif

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; The programs read their data files from the working folder, so the program starts there.
Function RunProgram
  SetOutPath "$INSTDIR\data"
  Exec '"$INSTDIR\vemo-maut.exe"'
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "${STAGE}\vemo-maut.exe"
  File "${STAGE}\vemo-data.exe"
!ifdef LICENSE
  File "${STAGE}\LICENSE.txt"
!endif
  File "${STAGE}\README.txt"
  SetOutPath "$INSTDIR\data"
  File "${STAGE}\data.sdf"
  File "${STAGE}\data2.sdf"
  File "${STAGE}\maut_55a.csv"
  File "${STAGE}\au_maut.csv"

  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut's working folder is the data folder: that is where the program looks.
  SetOutPath "$INSTDIR\data"
  CreateShortCut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\vemo-maut.exe" "" "$INSTDIR\vemo-maut.exe" 0

  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayName" "${APPNAME}"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\vemo-maut.exe"
  WriteRegStr SHCTX "${UNINSTKEY}" "Publisher" "${APPNAME}"
  WriteRegStr SHCTX "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put there, and the folders if that leaves them empty: data files a
; maintainer made beside the installed ones stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\${APPNAME}.lnk"
  Delete "$INSTDIR\data\data.sdf"
  Delete "$INSTDIR\data\data2.sdf"
  Delete "$INSTDIR\data\maut_55a.csv"
  Delete "$INSTDIR\data\au_maut.csv"
  RMDir "$INSTDIR\data"
  Delete "$INSTDIR\vemo-maut.exe"
  Delete "$INSTDIR\vemo-data.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTKEY}"
SectionEnd
