; The installer of Sintegra ORV, in Portuguese: per user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Sintegra ORV, which the program may write (Sintegra.mdb, Copias and
; sintegra.txt live there). Its uninstaller keeps the user's data unless asked to remove it.
; Built by scripts/package:
;   makensis -DVERSION=1.0.0 -DPROGRAMS=DIR -DICON=FILE.ico -DOUTFILE=SETUP.exe installer.nsi
; Silent: SETUP.exe /S; uninstaller: Desinstalar.exe /S [/REMOVERDADOS].
Unicode true
; The 32-bit stub does nothing under a Wine that runs 64-bit programs only.
Target amd64-unicode
ManifestDPIAware true
ManifestSupportedOS all
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include FileFunc.nsh
!include LogicLib.nsh
!include MUI2.nsh
!include Sections.nsh

!define PRODUCT "Sintegra ORV"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\SintegraORV"
!define UNINSTALLER "Desinstalar.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

; The window of a running copy, and its programs, which Windows does not let anyone overwrite.
!define WINDOW_CLASS "SintegraORV.Form1"
!define RUNNING_TEXT "O ${PRODUCT} está aberto. Feche-o e clique em Repetir."

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\sintegra-orv.exe"
; Modern UI gives every page the subcaption " ", which NSIS appends to the window's title: each page
; sets the title again, without it.
!macro TITLED_PAGE PAGE SHOW
    !define MUI_PAGE_CUSTOMFUNCTION_SHOW ${SHOW}
    !insertmacro ${PAGE}
!macroend
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckRunningCopy
!insertmacro TITLED_PAGE MUI_PAGE_DIRECTORY TitleSetup
!insertmacro TITLED_PAGE MUI_PAGE_INSTFILES TitleSetup
!insertmacro TITLED_PAGE MUI_PAGE_FINISH TitleSetup

!insertmacro TITLED_PAGE MUI_UNPAGE_CONFIRM un.TitleUninstall
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "O programa é sempre removido. Marque a segunda opção para apagar também \
    os seus dados na pasta do programa: as cópias dos arquivos substituídos e o sintegra.txt."
!insertmacro TITLED_PAGE MUI_UNPAGE_COMPONENTS un.TitleUninstallOptions
!insertmacro TITLED_PAGE MUI_UNPAGE_INSTFILES un.TitleUninstall

!insertmacro MUI_LANGUAGE "PortugueseBR"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileDescription" "Instalador do ${PRODUCT}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "LegalCopyright" "${PRODUCT}"

Section "${PRODUCT}"
    Call RemoveEarlierCopy
    SetOutPath "$INSTDIR"
    File "${PROGRAMS}/sintegra-orv.exe"
    File "${PROGRAMS}/sintegra-orv-cli.exe"
    File "${PROGRAMS}/Sintegra.mod"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\sintegra-orv.exe"

    ; "Aplicativos instalados" lists the program under the user's own key.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\sintegra-orv.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; What the installer put there, and the program's scratch files: the staging store, with the journal
; that SQLite keeps beside it, the lock, and the temporary files (".orv-" and 16 hexadecimal digits)
; that a killed run left.
Section "un.Programa ${PRODUCT}" UnProgram
    SectionIn RO
    Delete "$INSTDIR\sintegra-orv.exe"
    Delete "$INSTDIR\sintegra-orv-cli.exe"
    Delete "$INSTDIR\Sintegra.mod"
    Delete "$INSTDIR\Sintegra.mdb"
    Delete "$INSTDIR\Sintegra.mdb-journal"
    Delete "$INSTDIR\Sintegra.mdb-wal"
    Delete "$INSTDIR\Sintegra.mdb-shm"
    Delete "$INSTDIR\Sintegra.mdb-old"
    Delete "$INSTDIR\Sintegra.lck"
    Delete "$INSTDIR\.orv-????????????????"
    Delete "$INSTDIR\${UNINSTALLER}"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    RMDir "$INSTDIR"
SectionEnd

Section /o "un.Seus dados: Copias e sintegra.txt" UnData
    RMDir /r "$INSTDIR\Copias"
    Delete "$INSTDIR\sintegra.txt"
    RMDir "$INSTDIR"
SectionEnd

; Whether a copy of the program runs from FOLDER: its window is open, or one of its programs cannot
; be opened for writing, since Windows runs it. Sets $R5 to 1 or 0.
!macro RUNNING_PROGRAM FILE
    ${If} ${FileExists} "${FILE}"
        ClearErrors
        FileOpen $R6 "${FILE}" a
        ${If} ${Errors}
            StrCpy $R5 1
        ${Else}
            FileClose $R6
        ${EndIf}
    ${EndIf}
!macroend
!macro RUNNING_IN FOLDER
    StrCpy $R5 0
    FindWindow $R6 "${WINDOW_CLASS}"
    ${IfThen} $R6 <> 0 ${|} StrCpy $R5 1 ${|}
    !insertmacro RUNNING_PROGRAM "${FOLDER}\sintegra-orv.exe"
    !insertmacro RUNNING_PROGRAM "${FOLDER}\sintegra-orv-cli.exe"
!macroend

; Asks until no copy runs from FOLDER; a silent run, or a user who gives up, ends the setup.
!macro WAIT_FOR_CLOSE FOLDER
    ${Do}
        !insertmacro RUNNING_IN "${FOLDER}"
        ${IfThen} $R5 = 0 ${|} ${ExitDo} ${|}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${RUNNING_TEXT}" /SD IDCANCEL IDRETRY +2
        Quit
    ${Loop}
!macroend

; Both the folder chosen now and the one of an earlier install.
Function CheckRunningCopy
    !insertmacro WAIT_FOR_CLOSE "$INSTDIR"
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 != ""
    ${AndIf} $R0 != $INSTDIR
        !insertmacro WAIT_FOR_CLOSE "$R0"
    ${EndIf}
FunctionEnd

Function .onInit
    ${If} ${Silent}
        Call CheckRunningCopy
    ${EndIf}
FunctionEnd

; An earlier install in another folder is uninstalled, keeping the user's data there, so that one
; copy and one entry in "Aplicativos instalados" remain.
Function RemoveEarlierCopy
    ReadRegStr $R0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R0 == ""
    ${OrIf} $R0 == $INSTDIR
    ${OrIfNot} ${FileExists} "$R0\${UNINSTALLER}"
        Return
    ${EndIf}
    ExecWait '"$R0\${UNINSTALLER}" /S _?=$R0'
    Delete "$R0\${UNINSTALLER}"
    RMDir "$R0"
FunctionEnd

Function TitleSetup
    SendMessage $HWNDPARENT ${WM_SETTEXT} 0 "STR:Instalação do ${PRODUCT}"
FunctionEnd
Function un.TitleUninstall
    SendMessage $HWNDPARENT ${WM_SETTEXT} 0 "STR:Desinstalação do ${PRODUCT}"
FunctionEnd
; Removing needs no space: the page would say "Espaço necessário: 0.0 KB".
Function un.TitleUninstallOptions
    Call un.TitleUninstall
    FindWindow $R0 "#32770" "" $HWNDPARENT
    GetDlgItem $R0 $R0 1023 ; the space required
    ShowWindow $R0 ${SW_HIDE}
FunctionEnd

; /REMOVERDADOS ticks the box, for an uninstall without questions (/S) that removes the data too.
Function un.onInit
    !insertmacro WAIT_FOR_CLOSE "$INSTDIR"
    ${un.GetParameters} $R0
    ClearErrors
    ${un.GetOptions} $R0 "/REMOVERDADOS" $R1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${UnData}
    ${EndIf}
FunctionEnd
