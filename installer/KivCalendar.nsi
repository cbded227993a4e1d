; The per-user installer of Kiv Calendar (makensis, NSIS 3).
; scripts/package.sh passes:
;   VERSION      the program's version, as the build has it (2.42)
;   VERSION4     the same with four numbers (2.42.0.0)
;   STAGE        a folder holding KivCalendar.exe, Help.html, LICENSE.txt and kiv.ico
;   OUTFILE      the setup program to write
; Silent with /S. A silent install adds the start-up entry when given
; /STARTWITHWINDOWS, and keeps the one already there in any case.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define APP_NAME "Kiv Calendar"
!define APP_EXE "KivCalendar.exe"
!define PUBLISHER "Kiv Soft"
!define WEB_SITE "https://kivsoft.example"
; The names the program itself uses: its main window's class, its settings
; and its value in the start-up list.
!define MAIN_WINDOW_CLASS "TfMain_calendar"
!define SETTINGS_KEY "Software\Kiv Soft\Calendar"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Kiv Calendar"
!define QUIET_SWITCH "-quiet"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KivCalendar"

; Asked to close so that its files can be replaced, as the restart manager asks.
!define ENDSESSION_CLOSEAPP 0x00000001
!define SYNCHRONIZE 0x00100000

Name "${APP_NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP_NAME}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP_NAME} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey "ProductName" "${APP_NAME}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${APP_NAME} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright (c) ${PUBLISHER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${STAGE}\kiv.ico"
!define MUI_UNICON "${STAGE}\kiv.ico"
!define MUI_WELCOMEPAGE_TEXT "Setup installs ${APP_NAME} ${VERSION} for you alone; it needs no administrator rights.$\r$\n$\r$\nIf ${APP_NAME} is running, Setup closes it and starts the new version afterwards.$\r$\n$\r$\nClick Next to continue."
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${APP_EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${APP_NAME} now"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var EndedRunningCopy

; Ends a running copy the way Windows does at log-off: WM_QUERYENDSESSION,
; then WM_ENDSESSION to its main window, then waits (bounded) for the process
; to go, so that its executable can be replaced or removed. Sets $0 to 1 when
; a copy was ended. One copy runs per user, so one window is all there is.
!macro END_RUNNING_COPY prefix
Function ${prefix}EndRunningCopy
  StrCpy $0 0
  FindWindow $1 "${MAIN_WINDOW_CLASS}"
  ${If} $1 = 0
    Return
  ${EndIf}
  System::Call "user32::GetWindowThreadProcessId(p r1, *i .r2) i"
  System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r2) p .r3"
  DetailPrint "Closing the running ${APP_NAME}"
  SendMessage $1 ${WM_QUERYENDSESSION} 0 ${ENDSESSION_CLOSEAPP} $4 /TIMEOUT=5000
  ${If} $4 = 0
    ; It refused, or did not answer: tell it the session goes on.
    SendMessage $1 ${WM_ENDSESSION} 0 ${ENDSESSION_CLOSEAPP} $4 /TIMEOUT=5000
    System::Call "kernel32::CloseHandle(p r3)"
    MessageBox MB_OK|MB_ICONSTOP "${APP_NAME} is running and did not close. Exit it from its tray icon, then try again." /SD IDOK
    Abort
  ${EndIf}
  SendMessage $1 ${WM_ENDSESSION} 1 ${ENDSESSION_CLOSEAPP} $4 /TIMEOUT=5000
  ${If} $3 P<> 0
    System::Call "kernel32::WaitForSingleObject(p r3, i 10000) i"
    System::Call "kernel32::CloseHandle(p r3)"
  ${Else}
    Sleep 2000
  ${EndIf}
  StrCpy $0 1
FunctionEnd
!macroend
!insertmacro END_RUNNING_COPY ""
!insertmacro END_RUNNING_COPY "un."

Section "${APP_NAME}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  Call EndRunningCopy
  StrCpy $EndedRunningCopy $0
  File "${STAGE}\${APP_EXE}"
  File "${STAGE}\Help.html"
  File "${STAGE}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\${APP_EXE}" "" "$INSTDIR\${APP_EXE}" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${APP_EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${WEB_SITE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $1 $2 $3
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $1
SectionEnd

Section /o "Start with Windows" SecStartup
  ; The entry the program writes itself, and its own setting turned on, so
  ; that its options dialog shows it and keeps it.
  WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${APP_EXE}" ${QUIET_SWITCH}'
  WriteRegDWORD HKCU "${SETTINGS_KEY}" "Start with Windows" 1
SectionEnd

Section "-Start again"
  ; A copy ended for the update comes back as it would at the next log-on: in the tray.
  ${If} $EndedRunningCopy = 1
    Exec '"$INSTDIR\${APP_EXE}" ${QUIET_SWITCH}'
  ${EndIf}
SectionEnd

Function .onInit
  ; Installed before with the start-up entry: keep it ticked.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == '"$1\${APP_EXE}" ${QUIET_SWITCH}'
    SectionSetFlags ${SecStartup} ${SF_SELECTED}
  ${EndIf}
  ${GetParameters} $2
  ClearErrors
  ${GetOptions} $2 "/STARTWITHWINDOWS" $3
  ${IfNot} ${Errors}
    SectionSetFlags ${SecStartup} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.EndRunningCopy
  Delete "$INSTDIR\${APP_EXE}"
  Delete "$INSTDIR\Help.html"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP_NAME}.lnk"
  ; The start-up entry goes when it starts this copy; one naming another copy stays.
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == '"$INSTDIR\${APP_EXE}" ${QUIET_SWITCH}'
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DetailPrint "Your settings are kept in HKEY_CURRENT_USER\${SETTINGS_KEY}."
  DetailPrint "Delete that key too if you do not want them any more."
SectionEnd
