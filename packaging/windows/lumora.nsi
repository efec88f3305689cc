; The installer of Люмора for Windows: a per-user install (no administrator rights) into
; %LOCALAPPDATA%\Programs\Lumora, a Start-menu entry with the program's icon, an uninstaller listed
; among the user's programs with the program's size, a last page that can start the program, and
; silent mode (/S) for both. Made by scripts/windows-package:
;   makensis -DVERSION=1.0.0.1 -DSTAGE=folder -DICON=lumora.ico -DFILES=files.nsh -DSIZE_KB=40000
;            -DOUTFILE=lumora-1.0.0.1-setup.exe lumora.nsi
; FILES lists a Delete line for each file of STAGE and an RMDir line for each of its folders: the
; uninstaller removes what was installed and nothing else; SIZE_KB is what STAGE holds, in KiB.
; Neither replaces nor removes a folder that a running copy of Люмора was started from (the copy
; holds a mutex named after its folder); a copy running from anywhere else does not stop them.
Unicode true
!include LogicLib.nsh
!include MUI2.nsh
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Люмора"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumora"

; NSIS's Russian texts put the name where a genitive belongs («Установка $(^Name) выполнена»,
; «копирование файлов $(^Name)»): the name they get is the genitive phrase, and the few sentences
; that need another case are written out below.
Name "программы «${PRODUCT}»"
Caption "Установка программы ${PRODUCT} ${VERSION}"
UninstallCaption "Удаление программы ${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Lumora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка программы ${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${PRODUCT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"

!define MUI_DIRECTORYPAGE_TEXT_TOP "Программа установит Люмору в указанную папку. Чтобы установить её в другую папку, нажмите кнопку «Обзор» и укажите её. $_CLICK"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckFolderOnLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Запустить Люмору"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "Люмора будет удалена из вашего компьютера. $_CLICK"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Russian"

; $0 = 1 when a copy of Люмора runs from $INSTDIR. Its mark (src/platform/program_windows.cpp) is
; the mutex Local\Lumora.running:FOLDER, FOLDER being the folder's long form in capitals with "/" for
; "\".
!macro RunningFromInstallFolder un
Function ${un}RunningFromInstallFolder
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $0 0
  System::Call 'kernel32::GetLongPathNameW(w "$INSTDIR", w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
  ${If} $2 <> 0  ; a folder that is not there runs nothing
    System::Call 'user32::CharUpperW(w r1r1)'
    StrCpy $3 ""
    ${Do}
      StrCpy $4 $1 1
      ${IfThen} $4 == "" ${|} ${ExitDo} ${|}
      ${IfThen} $4 == "\" ${|} StrCpy $4 "/" ${|}
      StrCpy $3 "$3$4"
      StrCpy $1 $1 "" 1
    ${Loop}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Local\Lumora.running:$3") p .r2'
    ${If} $2 P<> 0
      System::Call 'kernel32::CloseHandle(p r2)'
      StrCpy $0 1
    ${EndIf}
  ${EndIf}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
FunctionEnd
!macroend
!insertmacro RunningFromInstallFolder ""
!insertmacro RunningFromInstallFolder "un."

Function .onInit
  ; A silent install has no folder page: the folder (the default, or /D=) is checked here.
  ${If} ${Silent}
    Call RunningFromInstallFolder
    ${If} $0 = 1
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

; Closing the program and pressing «Установить» again goes on from the same page.
Function CheckFolderOnLeave
  Call RunningFromInstallFolder
  ${If} $0 = 1
    MessageBox MB_OK|MB_ICONEXCLAMATION "Люмора запущена из этой папки. Закройте программу и нажмите «Установить» ещё раз." /SD IDOK
    Abort
  ${EndIf}
FunctionEnd

; As the Start-menu entry starts it: in the user's Documents (Exec starts a program in the folder
; that SetOutPath made current; the install's log is finished by now).
Function StartProgram
  SetOutPath "$DOCUMENTS"
  Exec '"$INSTDIR\lumora.exe"'
FunctionEnd

Function un.onInit
  Call un.RunningFromInstallFolder
  ${If} $0 = 1
    MessageBox MB_OK|MB_ICONEXCLAMATION "Люмора запущена. Закройте программу и повторите удаление." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Section
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The shortcut starts the program in the user's Documents (its working folder, which CreateShortCut
  ; takes from $OUTDIR); set without SetOutPath, which would log Documents as the install folder.
  StrCpy $OUTDIR "$DOCUMENTS"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\lumora.exe" "" "$INSTDIR\lumora.exe" 0
  StrCpy $OUTDIR "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ГОСТ 2708-75"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lumora.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
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
  ; What the program keeps for the user (src/platform/files_windows.cpp): its settings, the
  ; recent files, copies of unsaved tallies, workbooks handed to the spreadsheet program. Removed
  ; only when the user says so; a silent uninstall keeps them, as Windows programs do.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Удалить также настройки Люморы, список последних файлов и копии несохранённых пересчётов?$\r$\n$\r$\nОни хранятся в папке $LOCALAPPDATA\lumora." /SD IDNO IDNO keepUserFiles
  RMDir /r "$LOCALAPPDATA\lumora"
  keepUserFiles:
SectionEnd
