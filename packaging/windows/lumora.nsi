; The installer of Люмора for Windows: a per-user install (no administrator rights) into
; %LOCALAPPDATA%\Programs\Lumora, a Start-menu entry with the program's icon, an uninstaller listed
; among the user's programs, and silent mode (/S) for both. Made by scripts/windows-package:
;   makensis -DVERSION=1.0.0.1 -DSTAGE=folder -DICON=lumora.ico -DFILES=files.nsh
;            -DOUTFILE=lumora-1.0.0.1-setup.exe lumora.nsi
; FILES lists a Delete line for each file of STAGE and an RMDir line for each of its folders: the
; uninstaller removes what was installed and nothing else. Neither runs while Люмора does (it holds
; the named mutex Local\LumoraRunning while it runs).
Unicode true
!include LogicLib.nsh
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Люмора"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumora"

Name "${PRODUCT}"
Caption "Установка программы ${PRODUCT} ${VERSION}"
UninstallCaption "Удаление программы ${PRODUCT}"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Lumora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Russian.nlf"
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка программы ${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${PRODUCT}"

!macro RefuseWhileRunning what
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Local\LumoraRunning") p .r0'
  ${If} $0 <> 0
    System::Call 'kernel32::CloseHandle(p r0)'
    MessageBox MB_OK|MB_ICONEXCLAMATION "Люмора запущена. Закройте программу и повторите ${what}." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
!macroend

Function .onInit
  !insertmacro RefuseWhileRunning "установку"
FunctionEnd

Function un.onInit
  !insertmacro RefuseWhileRunning "удаление"
FunctionEnd

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The shortcut starts the program in the user's Documents (its working folder), not in its own.
  SetOutPath "$DOCUMENTS"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\lumora.exe" "" "$INSTDIR\lumora.exe" 0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ГОСТ 2708-75"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lumora.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
!include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
