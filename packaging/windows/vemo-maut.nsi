; Installer of the Windows build:
;   makensis -DVERSION=1.0 -DSTAGE=dir -DICON=file.ico -DOUTFILE=setup.exe -DPUBLISHER=name
;            [-DLICENSE -DCOPYRIGHT=...] vemo-maut.nsi
; STAGE holds what the zip holds: the two programs, their data files, LICENSE, README.txt. The
; data lie beside vemo-maut.exe, since the program reads its working folder and Explorer, a
; pinned icon and the Start-menu shortcut all start it in its own folder.
;
; Rights: setup.exe and uninstall.exe ask for the highest rights their user has (manifest
; "highest"): an administrator confirms the UAC prompt and may then choose either mode; a user
; without those rights runs without a prompt and installs for himself by default. Choosing "for
; all users" then, or /AllUsers on the command line, starts the installer again with "runas",
; which brings up the UAC prompt for an administrator's password. The same holds for the
; uninstaller of an all-users install started from Settings > Apps.
;
; Command line: /S silent; /AllUsers or /CurrentUser choose the mode (without either, all users
; where the rights allow it, else the current user; an update keeps the mode and folder of the
; installed version); /D=FOLDER the folder. /StandardUser makes an administrator's installer
; behave as a standard user's, so that the restart for all users can be checked where every
; process holds full rights (Wine).

Unicode true
; A 64-bit installer for the 64-bit programs: it runs where they run, and Wine without 32-bit
; support can check it.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define APPNAME "Vemo Maut"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VemoMaut"

; MultiUser.nsh sets RequestExecutionLevel from this; nothing below may set it again.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "${APPNAME}"
!define MULTIUSER_USE_PROGRAMFILES64
; An update finds the installed version's folder and mode in its Apps entry.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTKEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTKEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Pro všechny uživatele lze ${APPNAME} instalovat a odinstalovat jen s oprávněním správce."
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include WinMessages.nsh

Name "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

Var StandardUser  ; 1: behave as for a user without administrator rights
Var Administrator ; 1: the process holds administrator rights
Var Restarted    ; 1: started again with "runas" for all users, licence and mode already chosen
Var ModeAllUsers
Var GivenFolder   ; the folder of /D=, which MultiUser's mode choice would replace
Var ModeCurrentUser

!ifdef LICENSE
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWhenRestarted
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!endif
Page custom InstallModePage InstallModeLeave
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE RefuseWhileRunning
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; The text stands above the two check boxes in 195 x 60 dialog units (TEXT_LARGE), about seven
; lines: it names no folder, whose length no one knows, and leaves the rest to README.txt.
; windows-check.sh measures it on the page.
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_TEXT "${APPNAME} je nainstalován, data leží vedle programu.$\r$\n$\r$\nData převádějte (QZX, vemo-data.exe) ve vlastní složce, kam smíte zapisovat, a mějte v ní i data.sdf, data2.sdf a sazby.sdf. Více v README.txt."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunProgram
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The mode page is our own (below); this unlocks MultiUser's Czech texts for it.
!define MULTIUSER_INSTALLMODEPAGE
!insertmacro MUI_LANGUAGE "Czech"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_CZECH} "ProductName" "${APPNAME}"
VIAddVersionKey /LANG=${LANG_CZECH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_CZECH} "FileDescription" "${APPNAME} ${VERSION} - instalace"
VIAddVersionKey /LANG=${LANG_CZECH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_CZECH} "ProductVersion" "${VERSION}"
!ifdef COPYRIGHT
VIAddVersionKey /LANG=${LANG_CZECH} "LegalCopyright" "${COPYRIGHT}"
!endif

; A running program keeps its .exe open, and Windows then refuses to open it for writing: the
; files could be neither replaced nor removed. Asks to close it; Cancel ends with status 2.
!macro REFUSE_WHILE_RUNNING UN
Function ${UN}RefuseWhileRunning
  ${Do}
    StrCpy $1 ""
    ${ForEach} $2 0 1 + 1
      ${If} $2 = 0
        StrCpy $3 "vemo-maut.exe"
      ${Else}
        StrCpy $3 "vemo-data.exe"
      ${EndIf}
      ${If} ${FileExists} "$INSTDIR\$3"
        ClearErrors
        FileOpen $0 "$INSTDIR\$3" a
        ${If} ${Errors}
          StrCpy $1 $3
        ${Else}
          FileClose $0
        ${EndIf}
      ${EndIf}
    ${Next}
    ${If} $1 == ""
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Program ${APPNAME} ($INSTDIR\$1) právě běží. Zavřete ho a zvolte Opakovat." /SD IDCANCEL IDRETRY +3
      SetErrorLevel 2
      Quit
  ${Loop}
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

; Starts PROGRAM again with "runas" and PARAMETERS, which asks for an administrator in the UAC
; prompt, waits for it and ends. Returns only when it could not start (the prompt refused).
!macro RESTART_AS_ADMINISTRATOR UN
Function ${UN}RestartAsAdministrator
  Exch $1 ; parameters
  Exch
  Exch $0 ; program
  HideWindow
  ClearErrors
  ExecShellWait "runas" "$0" "$1"
  ${IfNot} ${Errors}
    ; Quit alone ends with status 2, "stopped by the script". An installer tells its outcome by
    ; the Apps entry of all users it leaves behind.
    SetErrorLevel 0
    !if "${UN}" == ""
      ReadRegStr $0 HKLM "${UNINSTKEY}" "DisplayVersion"
      ${If} $0 != "${VERSION}"
        SetErrorLevel 2
      ${EndIf}
    !endif
    Quit
  ${EndIf}
  BringToFront
  Pop $0
  Pop $1
FunctionEnd
!macroend
!insertmacro RESTART_AS_ADMINISTRATOR ""
!insertmacro RESTART_AS_ADMINISTRATOR "un."

; Reads /StandardUser and /Restarted, then restarts for /AllUsers without the rights for it.
!macro INIT_RIGHTS UN PROGRAM
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/StandardUser" $R1
  ${IfNot} ${Errors}
    StrCpy $StandardUser 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/Restarted" $R1
  ${IfNot} ${Errors}
    StrCpy $Restarted 1
  ${EndIf}
  ; UserInfo's "Power" means the same as "Admin" since Windows Vista.
  UserInfo::GetAccountType
  Pop $R1
  StrCpy $Administrator 0
  ${If} $R1 == "Admin"
  ${OrIf} $R1 == "Power"
    StrCpy $Administrator 1
  ${EndIf}
  ${If} $StandardUser == 1
    StrCpy $Administrator 0
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
  ${AndIf} $Administrator == 0
    StrCpy $R1 "/AllUsers /Restarted"
    ${If} ${Silent}
      StrCpy $R1 "/S $R1"
    ${EndIf}
    ; The folder given with /D=, which ends every command line.
    !if "${UN}" == ""
      ${If} $INSTDIR != ""
        StrCpy $R1 "$R1 /D=$INSTDIR"
      ${EndIf}
    !endif
    Push "${PROGRAM}"
    Push $R1
    Call ${UN}RestartAsAdministrator
    MessageBox MB_OK|MB_ICONSTOP "${MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE}" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

Function KeepGivenFolder
  ${If} $GivenFolder != ""
    StrCpy $INSTDIR $GivenFolder
  ${EndIf}
FunctionEnd

Function .onInit
  StrCpy $GivenFolder $INSTDIR
  !insertmacro INIT_RIGHTS "" "$EXEPATH"
  !insertmacro MULTIUSER_INIT
  ${If} $StandardUser == 1
    StrCpy $MultiUser.Privileges "User"
    Call MultiUser.InstallMode.CurrentUser
  ${EndIf}
  Call KeepGivenFolder
  ${If} ${Silent}
    Call RefuseWhileRunning
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro INIT_RIGHTS "un." "$INSTDIR\uninstall.exe"
  !insertmacro MULTIUSER_UNINIT
  ${If} $StandardUser == 1
    StrCpy $MultiUser.Privileges "User"
    Call un.MultiUser.InstallMode.CurrentUser
  ${EndIf}
  Call un.RefuseWhileRunning
FunctionEnd

Function SkipWhenRestarted
  ${If} $Restarted == 1
    Abort
  ${EndIf}
FunctionEnd

; For whom to install: offered to every user. "For all users" carries the UAC shield on the
; Next button where it will ask for an administrator.
Function InstallModePage
  Call SkipWhenRestarted
  !insertmacro MUI_HEADER_TEXT "$(MULTIUSER_TEXT_INSTALLMODE_TITLE)" "$(MULTIUSER_TEXT_INSTALLMODE_SUBTITLE)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 40u "$(MULTIUSER_INNERTEXT_INSTALLMODE_TOP)"
  Pop $0
  ${NSD_CreateRadioButton} 15u 45u -15u 12u "$(MULTIUSER_INNERTEXT_INSTALLMODE_ALLUSERS)"
  Pop $ModeAllUsers
  ${NSD_OnClick} $ModeAllUsers ModeChanged
  ${NSD_CreateRadioButton} 15u 62u -15u 12u "$(MULTIUSER_INNERTEXT_INSTALLMODE_CURRENTUSER)"
  Pop $ModeCurrentUser
  ${NSD_OnClick} $ModeCurrentUser ModeChanged
  ${If} $Administrator == 0
    ${NSD_CreateLabel} 15u 85u -15u 30u "Pro všechny uživatele se instalace zeptá na heslo správce a spustí se znovu s jeho oprávněním."
    Pop $0
  ${EndIf}
  ${If} $MultiUser.InstallMode == "AllUsers"
    ${NSD_Check} $ModeAllUsers
  ${Else}
    ${NSD_Check} $ModeCurrentUser
  ${EndIf}
  Push $ModeAllUsers
  Call ModeChanged
  nsDialogs::Show
FunctionEnd

Function ModeChanged
  Pop $0
  GetDlgItem $1 $HWNDPARENT 1
  ${NSD_GetState} $ModeAllUsers $0
  ${If} $0 = ${BST_CHECKED}
  ${AndIf} $Administrator == 0
    SendMessage $1 ${BCM_SETSHIELD} 0 1
  ${Else}
    SendMessage $1 ${BCM_SETSHIELD} 0 0
  ${EndIf}
FunctionEnd

Function InstallModeLeave
  ${NSD_GetState} $ModeAllUsers $0
  ${If} $0 <> ${BST_CHECKED}
    Call MultiUser.InstallMode.CurrentUser
  ${ElseIf} $Administrator == 1
    Call MultiUser.InstallMode.AllUsers
  ${Else}
    Push "$EXEPATH"
    Push "/AllUsers /Restarted"
    Call RestartAsAdministrator
    MessageBox MB_OK|MB_ICONEXCLAMATION "${MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE}"
    Abort
  ${EndIf}
  Call KeepGivenFolder
FunctionEnd

; The program starts unelevated, as the desktop's Explorer starts it, and in the folder its
; shortcut names, though the installer may run with an administrator's rights.
Function RunProgram
  Exec '"$WINDIR\explorer.exe" "$SMPROGRAMS\${APPNAME}.lnk"'
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  ; Before this layout the data lay in a folder "data" below the program; an update removes
  ; the copies the installer put there, and the folder if that leaves it empty.
  Delete "$INSTDIR\data\data.sdf"
  Delete "$INSTDIR\data\data2.sdf"
  Delete "$INSTDIR\data\maut_55a.csv"
  Delete "$INSTDIR\data\au_maut.csv"
  RMDir "$INSTDIR\data"

  File "${STAGE}\vemo-maut.exe"
  File "${STAGE}\vemo-data.exe"
!ifdef LICENSE
  File "${STAGE}\LICENSE.txt"
!endif
  File "${STAGE}\README.txt"
  File "${STAGE}\data.sdf"
  File "${STAGE}\data2.sdf"
  File "${STAGE}\sazby.sdf"
  File "${STAGE}\maut_55a.csv"
  File "${STAGE}\au_maut.csv"
  File "${STAGE}\sazby.csv"

  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut's working folder is the install folder ($OUTDIR): that is where the program
  ; looks for its data.
  CreateShortCut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\vemo-maut.exe" "" "$INSTDIR\vemo-maut.exe" 0

  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayName" "${APPNAME}"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\vemo-maut.exe,0"
  WriteRegStr SHCTX "${UNINSTKEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoRepair" 1
  ; The size the Apps list shows, in KiB.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTKEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer put there, and the folder if that leaves it empty: data files a
; maintainer made beside the installed ones stay.
Section "Uninstall"
  Delete "$SMPROGRAMS\${APPNAME}.lnk"
  Delete "$INSTDIR\data.sdf"
  Delete "$INSTDIR\data2.sdf"
  Delete "$INSTDIR\sazby.sdf"
  Delete "$INSTDIR\maut_55a.csv"
  Delete "$INSTDIR\au_maut.csv"
  Delete "$INSTDIR\sazby.csv"
  Delete "$INSTDIR\vemo-maut.exe"
  Delete "$INSTDIR\vemo-data.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTKEY}"
SectionEnd
