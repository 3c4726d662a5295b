; The Windows setup of Kartotrix, built by tools/dist.sh with makensis, once
; per program: BITS=64 makes a 64-bit setup that installs the 64-bit program,
; BITS=32 a 32-bit setup (for 32-bit Windows) with the 32-bit program.
;   makensis -INPUTCHARSET UTF8 -DBITS=64 -DVERSION=1.0.2.5 -DEXE=… -DHELP=…
;            -DMARKER=… -DICON=… -DOUTFILE=… [-DSIGN_COMMAND=…] kartotrix.nsi
; Installs for the current user without administrator rights (into the
; user's program folder) or, for an administrator, for all users.
; Silent: "setup.exe /S [/CurrentUser|/AllUsers] [/D=FOLDER]"; the
; uninstaller takes "/S" as well.
Unicode true
!if ${BITS} == 64
Target amd64-unicode
!endif
SetCompressor /SOLID lzma
ManifestDPIAware true

!define NAME "Kartotrix"
!define PUBLISHER "Kartotrix-Entwickler"
!define PROGID "Kartotrix.Block"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kartotrix"

Name "${NAME}"
OutFile "${OUTFILE}"
BrandingText "${NAME} ${VERSION}"

; A signing command, when the build has one, signs the setup and the
; uninstaller ("%1" is the file); the programs inside are signed before.
!ifdef SIGN_COMMAND
!finalize '${SIGN_COMMAND} "%1"'
!uninstfinalize '${SIGN_COMMAND} "%1"'
!endif

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Kartotrix"
!if ${BITS} == 64
!define MULTIUSER_USE_PROGRAMFILES64
!endif
!define MULTIUSER_NOUNINSTALL
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Für eine Installation für alle Benutzer fehlen Ihrem Konto die Administratorrechte."
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\kartotrix.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Kartotrix jetzt starten"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "${NAME}"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Setup von Kartotrix ${VERSION} (${BITS} Bit)"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "© ${PUBLISHER}"

Var dataFolder

; The user's own data folder, also in the all-users mode (whose $APPDATA is
; the shared one): there the program keeps the pads.
!macro USER_DATA_FOLDER UN
Function ${UN}userDataFolder
    SetShellVarContext current
    StrCpy $dataFolder "$APPDATA\Kartotrix"
    ${If} $MultiUser.InstallMode == "AllUsers"
        SetShellVarContext all
    ${EndIf}
FunctionEnd
!macroend
!insertmacro USER_DATA_FOLDER ""
!insertmacro USER_DATA_FOLDER "un."

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Section "Kartotrix"
    SetOutPath "$INSTDIR"
    File "/oname=kartotrix.exe" "${EXE}"
    File "/oname=KartotrixHilfe.html" "${HELP}"
    ; Tells the program that its files go to the user's data folder.
    File "/oname=Kartotrix.installiert" "${MARKER}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateShortCut "$SMPROGRAMS\Kartotrix.lnk" "$INSTDIR\kartotrix.exe" "" "$INSTDIR\kartotrix.exe" 0

    ; Pad files: Kartotrix is offered for ".hsc" always, and becomes its
    ; program only when no other program has claimed the ending. A choice
    ; the user made ("Öffnen mit", UserChoice) is never touched.
    WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Kartotrix-Block"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\kartotrix.exe,0"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\shell" "" "open"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open" "" "Öffnen"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\kartotrix.exe" "%1"'
    WriteRegStr SHCTX "Software\Classes\.hsc\OpenWithProgids" "${PROGID}" ""
    ; Both places are read, since the user's own classes win over the machine's.
    ReadRegStr $0 HKCU "Software\Classes\.hsc" ""
    ReadRegStr $1 HKLM "Software\Classes\.hsc" ""
    ${If} $0 == ""
    ${OrIf} $0 == "${PROGID}"
        ${If} $1 == ""
        ${OrIf} $1 == "${PROGID}"
            WriteRegStr SHCTX "Software\Classes\.hsc" "" "${PROGID}"
        ${EndIf}
    ${EndIf}
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    ; "Apps & Features"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Comments" "Schreibblock für Doppelkopf"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kartotrix.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0

    Call userDataFolder
    DetailPrint "Ihre Blöcke und die automatische Sicherung legt Kartotrix in $dataFolder ab."
SectionEnd

; The uninstaller knows its mode by where the setup registered it: all users
; when the machine-wide entry names this folder.
Function un.onInit
    StrCpy $MultiUser.InstallMode "CurrentUser"
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        UserInfo::GetAccountType
        Pop $1
        ${If} $1 != "Admin"
            MessageBox MB_OK|MB_ICONSTOP "Kartotrix ist für alle Benutzer installiert; zum Entfernen sind Administratorrechte nötig." /SD IDOK
            Quit
        ${EndIf}
        StrCpy $MultiUser.InstallMode "AllUsers"
        SetShellVarContext all
    ${EndIf}
FunctionEnd

Section "Uninstall"
    ; Exactly what the setup installed; never a pad, and the folder only
    ; when nothing else lies in it.
    Delete "$INSTDIR\kartotrix.exe"
    Delete "$INSTDIR\KartotrixHilfe.html"
    Delete "$INSTDIR\Kartotrix.installiert"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Kartotrix.lnk"

    DeleteRegKey SHCTX "Software\Classes\${PROGID}"
    DeleteRegValue SHCTX "Software\Classes\.hsc\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty SHCTX "Software\Classes\.hsc\OpenWithProgids"
    ReadRegStr $0 SHCTX "Software\Classes\.hsc" ""
    ${If} $0 == "${PROGID}"
        DeleteRegValue SHCTX "Software\Classes\.hsc" ""
    ${EndIf}
    DeleteRegKey /ifempty SHCTX "Software\Classes\.hsc"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"

    Call un.userDataFolder
    DetailPrint "Ihre Blöcke und die automatische Sicherung bleiben in $dataFolder erhalten."
    MessageBox MB_OK|MB_ICONINFORMATION "Kartotrix wurde entfernt.$\r$\n$\r$\nIhre Blöcke und die automatische Sicherung bleiben erhalten, im Ordner:$\r$\n$dataFolder" /SD IDOK
SectionEnd
