; Tavrik's installer: for the user who runs it, with no administrator, since tavrik.ini lives beside
; the program and must stay writable. It holds both builds and installs the one the machine needs.
; makensis -DVERSION=1.2.3 -DSTAGE=<folder with win64/ and win32/> -DOUTFILE=<setup.exe> tavrik.nsi
; The installer itself is 32-bit, so it runs on every Windows; -DTARGET=amd64-unicode makes a
; 64-bit one of the same script for where no 32-bit program can run (Wine without its 32-bit part).
!ifdef TARGET
  Target ${TARGET}
!endif
Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifndef VERSION | STAGE | OUTFILE
  !error "VERSION, STAGE and OUTFILE must be defined"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include Sections.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrik"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program's own names: its window class, its single-instance mutex, and the message that asks
; it to end as its Exit command does (WM_APP + 3), saving every page first.
!define WINDOW_CLASS "TTavrikForm"
!define INSTANCE_MUTEX "Local\Tavrik.SingleInstance"
!define MSG_EXIT_REQUEST 0x8003
; The exit code of a silent install or uninstall that found a Tavrik it could not end (a page it
; could not save): nothing was changed. winget reports it as "package in use".
!define EXIT_TAVRIK_IN_USE 3
; Quarter seconds to wait for a running Tavrik to end; the release tests make one that waits less.
!ifndef STOP_WAIT_TICKS
  !define STOP_WAIT_TICKS 240
!endif

Name "Tavrik"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tavrik"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "Tavrik ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

Var NotesFolder  ; where the pages are, as the program itself resolves it; empty when it could not say
Var NotesText     ; what the uninstaller says about them
Var RestartTavrik  ; 1 when this install ended a running Tavrik: it is started again at the end

!define MUI_ICON "${__FILEDIR__}/../app/res/tavrik.ico"
!define MUI_UNICON "${__FILEDIR__}/../app/res/tavrik.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE OwnFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\tavrik.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(StartNow)"
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_TEXT_TOP "$NotesText"
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; Without a language dialog the installer speaks the system's language when it has it.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"

LangString StartNow ${LANG_ENGLISH} "Start Tavrik now"
LangString StartNow ${LANG_RUSSIAN} "Запустить Таврик сейчас"
LangString SecAutostart ${LANG_ENGLISH} "Start Tavrik with Windows"
LangString SecAutostart ${LANG_RUSSIAN} "Запускать Таврик вместе с Windows"
LangString Stopping ${LANG_ENGLISH} "Ending the running Tavrik; it saves every page first..."
LangString Stopping ${LANG_RUSSIAN} "Завершается запущенный Таврик; сначала он сохраняет все страницы..."
LangString CannotStop ${LANG_ENGLISH} "Tavrik is running and did not end: a page could not be saved (is its folder away?), or one of its windows is open.$\r$\n$\r$\nSee to it in Tavrik, end it with Exit in its tray icon's menu, and start this again. Nothing was changed."
LangString CannotStop ${LANG_RUSSIAN} "Таврик запущен и не завершился: страницу не удалось сохранить (недоступна её папка?) или открыто одно из его окон.$\r$\n$\r$\nРазберитесь с этим в Таврике, завершите его командой «Выход» в меню значка и запустите это снова. Ничего не изменено."
LangString AutostartInOptions ${LANG_ENGLISH} "Tavrik could not turn on Start with Windows: turn it on in Tavrik's Options."
LangString AutostartInOptions ${LANG_RUSSIAN} "Таврику не удалось включить запуск вместе с Windows: включите его в настройках Таврика."
LangString NotesUnknown ${LANG_ENGLISH} "Tavrik could not tell where your notes are, so they are kept wherever they are; your settings are in tavrik.ini in $INSTDIR."
LangString NotesUnknown ${LANG_RUSSIAN} "Таврик не смог сообщить, где ваши заметки, поэтому они останутся на месте; настройки — в tavrik.ini в $INSTDIR."
LangString NotesAt ${LANG_ENGLISH} "Your notes (*.tvk) are in $NotesFolder, your settings in tavrik.ini in $INSTDIR. They are kept unless you tick the box below."
LangString NotesAt ${LANG_RUSSIAN} "Ваши заметки (*.tvk) находятся в $NotesFolder, настройки — в tavrik.ini в $INSTDIR. Они останутся, если не отметить пункт ниже."
LangString NotesKept ${LANG_ENGLISH} "Your notes and settings are kept in $NotesFolder and $INSTDIR."
LangString NotesKept ${LANG_RUSSIAN} "Ваши заметки и настройки остались в $NotesFolder и $INSTDIR."
LangString RemoveNotes ${LANG_ENGLISH} "Also remove my notes and settings"
LangString RemoveNotes ${LANG_RUSSIAN} "Удалить также мои заметки и настройки"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Tavrik"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Tavrik ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "the Tavrik authors"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright 2026 the Tavrik authors, MIT licence"

; A running Tavrik holds tavrik.exe open and its pages unsaved: ask it to end through its own Exit,
; which saves everything, and wait until its process is gone. A Tavrik that cannot save stays up;
; then nothing is touched and the user is told.
!macro STOP_TAVRIK un
Function ${un}StopTavrik
  FindWindow $0 "${WINDOW_CLASS}"
  ${If} $0 = 0
    Return
  ${EndIf}
  DetailPrint "$(Stopping)"
  System::Call 'user32::PostMessageW(p r0, i ${MSG_EXIT_REQUEST}, p 0, p 0)'
  ; A minute: hundreds of pages on a slow stick take a while to save.
  ${For} $1 1 ${STOP_WAIT_TICKS}
    Sleep 250
    FindWindow $0 "${WINDOW_CLASS}"
    ${If} $0 = 0
      ; The window is gone; the mutex goes when the process has let go of its files.
      System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p.r2'
      ${If} $2 = 0
        StrCpy $RestartTavrik 1
        Return
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
  ${Next}
  ; Silent (winget, Scoop, a script): no box, only the exit code, and nothing changed.
  ${IfNot} ${Silent}
    MessageBox MB_OK|MB_ICONSTOP "$(CannotStop)"
  ${EndIf}
  SetErrorLevel ${EXIT_TAVRIK_IN_USE}
  Quit
FunctionEnd
!macroend
!insertmacro STOP_TAVRIK ""
!insertmacro STOP_TAVRIK "un."

; Runs "tavrik.exe <command>" and waits for it, at most 20 s: a tavrik.exe that lacks the command
; starts as the program instead and does not end, and ExecWait would wait for it for ever. Such a
; copy is left running; StopTavrik ends it as any running Tavrik. Push the command line; $0 is the
; exit code, or "" when it did not end in time or could not start.
!if ${NSIS_PTR_SIZE} > 4
  !define STARTUPINFO_SIZE 104
!else
  !define STARTUPINFO_SIZE 68
!endif
!macro RUN_TAVRIK_COMMAND un
Function ${un}RunTavrikCommand
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  System::Alloc 128  ; STARTUPINFOW, zeroed
  Pop $1
  System::Call '*$1(i ${STARTUPINFO_SIZE})'
  System::Alloc 32   ; PROCESS_INFORMATION
  Pop $2
  System::Call 'kernel32::CreateProcessW(p 0, w r0, p 0, p 0, i 0, i 0, p 0, p 0, p r1, p r2) i.r3'
  StrCpy $0 ""
  ${If} $3 <> 0
    System::Call '*$2(p.r3, p.r4)'
    System::Call 'kernel32::CloseHandle(p r4)'
    System::Call 'kernel32::WaitForSingleObject(p r3, i 20000) i.r4'
    ${If} $4 = 0
      System::Call 'kernel32::GetExitCodeProcess(p r3, *i .r0)'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r3)'
  ${EndIf}
  System::Free $1
  System::Free $2
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
!macroend
!insertmacro RUN_TAVRIK_COMMAND ""
!insertmacro RUN_TAVRIK_COMMAND "un."

; Adds the size of one file, in KiB, to $R0.
Function AddFileSize
  Exch $0
  ClearErrors
  FileOpen $1 "$INSTDIR\$0" r
  ${IfNot} ${Errors}
    FileSeek $1 0 END $2
    FileClose $1
    IntOp $2 $2 + 1023
    IntOp $2 $2 / 1024
    IntOp $R0 $R0 + $2
  ${EndIf}
  Pop $0
FunctionEnd
!macro ADD_SIZE file
  Push "${file}"
  Call AddFileSize
!macroend

; The install writes its files only into a folder of its own: one that is empty or already holds
; Tavrik. Any other folder (Documents, say, chosen by hand or with /D=) gets a Tavrik folder inside,
; so the readme.txt or uninstall.exe of the user's is never overwritten, nor later deleted.
Function OwnFolder
  ${If} ${FileExists} "$INSTDIR\tavrik.exe"
  ${OrIf} ${FileExists} "$INSTDIR\tavrik.ini"
    Return
  ${EndIf}
  ClearErrors
  FindFirst $0 $1 "$INSTDIR\*"
  ${DoUntil} ${Errors}
    ${If} $1 != "."
    ${AndIf} $1 != ".."
      FindClose $0
      StrCpy $INSTDIR "$INSTDIR\Tavrik"
      Return
    ${EndIf}
    FindNext $0 $1
  ${Loop}
  FindClose $0
FunctionEnd

Section "-Tavrik" SecProgram
  Call StopTavrik
  Call OwnFolder  ; /D= in a silent install passes no directory page
  SetOutPath "$INSTDIR"
  ; Only the program's own files: tavrik.ini, the pages and their versions are never written here.
!if ${NSIS_PTR_SIZE} > 4
  File "${STAGE}/win64/tavrik.exe"
!else
  ${If} ${RunningX64}
    File "${STAGE}/win64/tavrik.exe"
  ${Else}
    File "${STAGE}/win32/tavrik.exe"
  ${EndIf}
!endif
  File "${STAGE}/win64/help_eng.txt"
  File "${STAGE}/win64/help_rus.txt"
  File "${STAGE}/win64/readme.txt"
  File "${STAGE}/win64/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tavrik.lnk" "$INSTDIR\tavrik.exe"

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Tavrik"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "the Tavrik authors"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\tavrik.exe,0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  StrCpy $R0 0
  !insertmacro ADD_SIZE tavrik.exe
  !insertmacro ADD_SIZE help_eng.txt
  !insertmacro ADD_SIZE help_rus.txt
  !insertmacro ADD_SIZE readme.txt
  !insertmacro ADD_SIZE LICENSE.txt
  !insertmacro ADD_SIZE uninstall.exe
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $R0
SectionEnd

; The program turns the setting on itself, through its own settings code, so tavrik.ini is written
; as the program always writes it, whatever its encoding, and the Run value with it. Without a
; tavrik.ini the command makes the program's first start, which stays running (it picks the language
; and shows where its icon is): it is started then, not waited for.
Section /o "$(SecAutostart)" SecAutostart
  ${If} ${FileExists} "$INSTDIR\tavrik.ini"
    Push '"$INSTDIR\tavrik.exe" /autostart on'
    Call RunTavrikCommand
    Pop $0
    ${If} $0 != 0
      DetailPrint "$(AutostartInOptions)"
    ${EndIf}
  ${Else}
    Exec '"$INSTDIR\tavrik.exe" /autostart on'
  ${EndIf}
SectionEnd

Function .onInit
  SetShellVarContext current
  StrCpy $RestartTavrik 0
  ; An upgrade offers start with Windows as the installed Tavrik has it.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Tavrik"
  ${If} $0 == "$INSTDIR\tavrik.exe"
    SectionSetFlags ${SecAutostart} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

; A silent upgrade (winget, Scoop) that ended a running Tavrik starts it again, as the user had it.
Function .onInstSuccess
  ${If} $RestartTavrik = 1
  ${AndIf} ${Silent}
    Exec '"$INSTDIR\tavrik.exe"'
  ${EndIf}
FunctionEnd

Section "-un.Program"
  Call un.StopTavrik
  Delete "$INSTDIR\tavrik.exe"
  Delete "$INSTDIR\help_eng.txt"
  Delete "$INSTDIR\help_rus.txt"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$SMPROGRAMS\Tavrik.lnk"
  ; Only our own Run value: a portable copy elsewhere may own it.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Tavrik"
  ${If} $0 == "$INSTDIR\tavrik.exe"
    DeleteRegValue HKCU "${RUN_KEY}" "Tavrik"
  ${EndIf}
  DeleteRegKey HKCU "${UNINST_KEY}"
  Delete "$INSTDIR\uninstall.exe"
SectionEnd

Section /o "un.$(RemoveNotes)" SecRemoveNotes
  ${If} $NotesFolder == ""
    Return
  ${EndIf}
  Delete "$NotesFolder\*.tvk"
  Delete "$NotesFolder\*.tvk.~tvk*.tmp"
  RMDir /r "$NotesFolder\~versions"
  Delete "$INSTDIR\tavrik.ini"
  Delete "$INSTDIR\tavrik.ini.bak"  ; the copy Tavrik keeps of a hard-linked tavrik.ini
  RMDir "$NotesFolder"
SectionEnd

Section "-un.Folder"
  ; Removed only when empty: whatever the user keeps here stays.
  RMDir "$INSTDIR"
  ${If} $NotesFolder == ""
    DetailPrint "$(NotesUnknown)"
  ${ElseIf} ${FileExists} "$INSTDIR\tavrik.ini"
  ${OrIf} ${FileExists} "$NotesFolder\*.tvk"
    DetailPrint "$(NotesKept)"
  ${EndIf}
SectionEnd

; The page folder as the program resolves it (SaveTo read with every encoding tavrik.ini may have,
; a relative or empty one taken as the program does): the program writes it to a file for us.
Function un.onInit
  SetShellVarContext current
  StrCpy $NotesFolder ""
  InitPluginsDir
  ${If} ${FileExists} "$INSTDIR\tavrik.exe"
    Push '"$INSTDIR\tavrik.exe" /pagefolder "$PLUGINSDIR\pagefolder.txt"'
    Call un.RunTavrikCommand
    Pop $0
    ClearErrors
    ${If} $0 == 0
      FileOpen $1 "$PLUGINSDIR\pagefolder.txt" r
      ${IfNot} ${Errors}
        FileReadWord $1 $2  ; the byte order mark, skipped here whatever the NSIS version does with it
        ${If} $2 <> 0xFEFF
          FileSeek $1 0 SET
        ${EndIf}
        FileReadUTF16LE $1 $NotesFolder 4096
        FileClose $1
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ; "C:\Notes\" and "C:\Notes" alike: the deletes below add the backslash themselves.
  StrCpy $2 $NotesFolder 1 -1
  ${If} $2 == "\"
    StrCpy $NotesFolder $NotesFolder -1
  ${EndIf}
  StrCpy $NotesText "$(NotesAt)"
  ${If} $NotesFolder == ""
    StrCpy $NotesText "$(NotesUnknown)"
    ; Never guess where to delete notes: the choice to remove them is not offered.
    SectionSetFlags ${SecRemoveNotes} 0
    SectionSetText ${SecRemoveNotes} ""
  ${EndIf}
FunctionEnd
