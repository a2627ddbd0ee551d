; The per-user Windows installer: no administrator prompt, the program in
; %LOCALAPPDATA%\Programs\Orvinale, a Start-menu shortcut, an Apps & features
; entry and "Open with" entries that leave every default association alone.
; Run over an older install it upgrades that folder in place; /S runs it
; silently. The uninstaller removes what the installer put there and leaves
; the user's configuration folder (preferences and profile) alone.
;
; Neither touches anything while a file of the folder is held (a running
; orvinale.exe holds its own exe): interactively they ask to close it and
; retry, silently they end with exit code 2 and nothing changed. The
; uninstaller removes the files first and the Apps & features and "Open
; with" entries only once every file is gone, so an uninstall that fails
; leaves a program that can still be uninstalled. Run in place (the quiet
; uninstall string's "_?="), its exit code is the outcome; run without it,
; the uninstaller goes on from a copy in %TEMP% and ends at once with 0.
;
; scripts/make-dist compiles it and defines VERSION, VERSION_QUAD (the
; version resource's four numbers), PROGRAM (the staged program folder),
; CONTENTS (a generated header: the macros OrvInstallFiles, OrvEachFile,
; OrvRemoveFolders and OrvEachExtension), ICON and OUTFILE.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODUCT "Orvinale"
!define PUBLISHER "The Orvinale developers"
!define EXE "orvinale.exe"
!define PROGID "Orvinale.File"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvinale"
!define CLASSES "Software\Classes"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "${CONTENTS}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
; An earlier install's folder wins, so a newer version replaces it in place.
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${PROGRAM}/license.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; "Open with" for one extension: the ProgID listed beside whatever default the
; extension has, and the program among the extension's supported applications.
!macro OpenWithAdd EXT
  WriteRegStr HKCU "${CLASSES}\${EXT}\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKCU "${CLASSES}\Applications\${EXE}\SupportedTypes" "${EXT}" ""
!macroend
; Removes only our entries; keys that are left empty go too.
!macro OpenWithRemove EXT
  DeleteRegValue HKCU "${CLASSES}\${EXT}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\${EXT}\OpenWithProgids"
  DeleteRegKey /ifempty HKCU "${CLASSES}\${EXT}"
!macroend

; One file of the folder (a name relative to $INSTDIR) handed to a function
; that notes the first failure: its name in $R1 (empty: none yet) and the
; Windows error in $R2.
!macro OrvCheckFile NAME
  Push "${NAME}"
  Call ${ORV_UN}OrvCheckFile
!macroend
!macro OrvDeleteFile NAME
  Push "${NAME}"
  Call un.OrvDeleteFile
!macroend

; The functions both the installer and the uninstaller call (prefix "un.").
!macro OrvHeldFunctions UN
!define /redef ORV_UN "${UN}"
; A file that exists must open for writing and deleting, as replacing or
; removing it will: a running exe's image, or another program's open handle,
; refuses that (ERROR_SHARING_VIOLATION) while reading it still works.
Function ${UN}OrvCheckFile
  Exch $0
  Push $1
  Push $2
  StrCmp $R1 "" 0 done
  ; GENERIC_WRITE | DELETE, sharing everything, OPEN_EXISTING: nothing is created.
  System::Call 'kernel32::CreateFileW(w "$INSTDIR\$0", i 0x40010000, i 7, p 0, i 3, i 0, p 0) p.r1 ?e'
  Pop $2
  StrCmp $1 -1 failed
  System::Call 'kernel32::CloseHandle(p r1)'
  Goto done
  failed:
  StrCmp $2 2 done  ; not there (a first install): nothing to replace
  StrCmp $2 3 done
  StrCpy $R1 $0
  StrCpy $R2 $2
  done:
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; $R3: the text of the Windows error $R2.
Function ${UN}OrvErrorText
  System::Call 'kernel32::FormatMessageW(i 0x1200, p 0, i R2, i 0, w .R3, i ${NSIS_MAX_STRLEN}, p 0) i .R4'
  StrCmp $R4 0 0 +2
  StrCpy $R3 "Windows error $R2.$\r$\n"
FunctionEnd

; Before anything changes: every file of the folder free, or the user told
; which is held (Retry checks again), or, silently, exit code 2.
Function ${UN}OrvRefuseWhileHeld
  check:
  StrCpy $R1 ""
  !insertmacro OrvEachFile OrvCheckFile
  !if "${UN}" == ""
    !insertmacro OrvCheckFile "uninstall.exe"  ; held by an uninstaller running in place
  !endif
  StrCmp $R1 "" free
  StrCmp "$R1 $R2" "${EXE} 32" 0 other
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Orvinale is running. Close it, then press Retry." /SD IDCANCEL IDRETRY check
  Goto refuse
  other:
  Call ${UN}OrvErrorText
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$INSTDIR\$R1 cannot be replaced or removed: $R3Close the program that holds it, then press Retry." /SD IDCANCEL IDRETRY check
  refuse:
  SetErrorLevel 2
  Quit
  free:
FunctionEnd
!macroend
!insertmacro OrvHeldFunctions ""
!insertmacro OrvHeldFunctions "un."

; Deletes a file of the folder; one that will not go is noted like a held one.
Function un.OrvDeleteFile
  Exch $0
  Push $1
  Push $2
  System::Call 'kernel32::DeleteFileW(w "$INSTDIR\$0") i .r1 ?e'
  Pop $2
  StrCmp $1 0 0 done
  StrCmp $2 2 done  ; already gone
  StrCmp $2 3 done
  StrCmp $R1 "" 0 done
  StrCpy $R1 $0
  StrCpy $R2 $2
  done:
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; "/finish": started by an uninstaller that ran in place and could not delete
; itself. This copy (in %TEMP%, see the Uninstall section) waits for it to end,
; then removes it and the folder.
Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/finish" $1
  IfErrors proceed
  StrCpy $1 0
  retry:
  Delete "$INSTDIR\uninstall.exe"
  IfFileExists "$INSTDIR\uninstall.exe" 0 gone
  IntOp $1 $1 + 1
  IntCmp $1 600 gone  ; a minute
  Sleep 100
  Goto retry
  gone:
  RMDir "$INSTDIR"
  Quit
  proceed:
FunctionEnd

Section "Install"
  SetShellVarContext current
  Call OrvRefuseWhileHeld
  ClearErrors
  !insertmacro OrvInstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; Only a file taken between the check and the write gets here; the old
  ; entries stay as they were.
  IfErrors 0 written
  MessageBox MB_OK|MB_ICONSTOP "Setup could not write every file into $INSTDIR. Close what holds them and run setup again." /SD IDOK
  SetErrorLevel 2
  Quit
  written:
  ; The shortcut starts the program in its own folder (CreateShortcut takes
  ; the output folder), and so does the finish page.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}"

  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "${PRODUCT} text file"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" '"$INSTDIR\${EXE}",0'
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\${EXE}" "%1"'
  WriteRegStr HKCU "${CLASSES}\Applications\${EXE}" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr HKCU "${CLASSES}\Applications\${EXE}\shell\open\command" "" '"$INSTDIR\${EXE}" "%1"'
  !insertmacro OrvEachExtension OpenWithAdd

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\${EXE}",0'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  ; In place, so whoever runs it silently gets its real exit code.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; SHCNE_ASSOCCHANGED: Explorer rereads the associations.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.OrvRefuseWhileHeld
  StrCpy $R1 ""
  !insertmacro OrvEachFile OrvDeleteFile
  StrCmp $R1 "" deleted
  Call un.OrvErrorText
  MessageBox MB_OK|MB_ICONSTOP "$INSTDIR\$R1 could not be removed: $R3Orvinale stays listed in Apps & features; uninstall it again once nothing holds the file." /SD IDOK
  SetErrorLevel 2
  Quit
  deleted:
  ; Not recursive: a file the user put there keeps its folder, and the file.
  !insertmacro OrvRemoveFolders

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  !insertmacro OrvEachExtension OpenWithRemove
  DeleteRegKey HKCU "${CLASSES}\Applications\${EXE}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\Applications"
  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ; Run from a copy in %TEMP% it deletes itself here; run in place it cannot,
  ; and a copy of it ("/finish", copied by the uninstaller's own start-up)
  ; removes it and the folder once this process has ended.
  Delete "$INSTDIR\uninstall.exe"
  IfFileExists "$INSTDIR\uninstall.exe" 0 +2
  Exec '"$INSTDIR\uninstall.exe" /S /finish'
  RMDir "$INSTDIR"
SectionEnd
