; The Windows setup: the zip's files installed for the current user, without
; administrator rights, or for all users when the setup runs elevated; the
; .qdf file type with an "Open with" entry, the Start menu entries, the entry
; under Apps & features and, when ticked, the folder on PATH. The uninstaller
; takes away what the setup added and nothing else.
;
; packaging/windows/CMakeLists.txt runs makensis with the build's facts:
; NAME, VENDOR, APP_ID, DESCRIPTION, VERSION, VERSION4 (a.b.c.0), TYPE_NAME,
; MANIFEST (the viewer's), ICON, FILES (the zip's files),
; FILE_LIST (their list, setup-files.cmake), OUTFILE.
;
; Switches (docs/windows.md): /S silent, /D=FOLDER (the last one),
; /AllUsers, /CurrentUser, /AddToPath.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${NAME}"
BrandingText "${NAME} ${VERSION}"
; A file that cannot be written: Retry or Abort, never skipped.
AllowSkipFiles off

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh
!include Sections.nsh
!include "${FILE_LIST}"

!define VIEWER "zuninfo-viewer.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_ID}"
!define CLASSES "Software\Classes"
!define PROGID "${APP_ID}.qdf"
!define CAPABILITIES "Software\${APP_ID}\Capabilities"
!define OPEN_COMMAND '"$INSTDIR\${VIEWER}" -- "%1"'
!define VIEWER_ICON '"$INSTDIR\${VIEWER}",0'
!define VIEWER_LINK "$SMPROGRAMS\${NAME}.lnk"
!define MANUAL_LINK "$SMPROGRAMS\${NAME} manual.lnk"
; What the setup and the uninstaller say, besides their retry and cancel
; (docs/windows.md quotes them).
!define CANNOT_WRITE "The folder $INSTDIR cannot be written."
!define IN_USE "$R9 is in use."
!define PATH_TOO_LONG "PATH is too long to change safely; it is left as it is."
!define USER_FILES_STAY "$INSTDIR holds files the setup did not put there: they stay."
; The longest PATH the setup reads whole (makensis's string length, less
; the terminating zero).
!define /math PATH_LIMIT ${NSIS_MAX_STRLEN} - 1

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

; The viewer's manifest (common controls 6, the screen's density, Windows 10
; and 11, no administrator rights), in place of the one makensis makes, which
; it makes only when asked for one of these (MUI2 asks for XPStyle).
RequestExecutionLevel none
XPStyle off
ManifestSupportedOS none
PEAddResource /OVERWRITE "${MANIFEST}" "#24" "#1"

; The viewer's version resource, but for the description (no copyright line,
; as the viewer has none).
!pragma warning disable 9100
VIProductVersion ${VERSION4}
VIFileVersion ${VERSION4}
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductName "${NAME}"
VIAddVersionKey /LANG=${LANG_ENGLISH} CompanyName "${VENDOR}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileDescription "${NAME} setup: ${DESCRIPTION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} FileVersion "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} ProductVersion "${VERSION}"

Var EnvRoot     ; the environment that holds PATH: HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE, as 64-bit handles
Var EnvKey
Var CreatedTop  ; the outermost folder the setup makes for INSTDIR, "" when INSTDIR was there

!macro UseAllUsers
  SetShellVarContext all
  StrCpy $EnvRoot -2147483646
  StrCpy $EnvKey "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
!macroend

!macro UseCurrentUser
  SetShellVarContext current
  StrCpy $EnvRoot -2147483647
  StrCpy $EnvKey "Environment"
!macroend

; A file of the folder that cannot be opened for writing (a running viewer)
; goes into $R9.
!macro CheckFile place file
  ${If} ${FileExists} "$INSTDIR\${file}"
    ClearErrors
    FileOpen $0 "$INSTDIR\${file}" a
    ${If} ${Errors}
      StrCpy $R9 "$INSTDIR\${file}"
    ${Else}
      FileClose $0
    ${EndIf}
  ${EndIf}
!macroend
!macro RemoveFile place file
  Delete "$INSTDIR\${file}"
!macroend
!macro RemoveFolder folder
  RMDir "$INSTDIR\${folder}"
!macroend
; Functions both the setup and the uninstaller call (the uninstaller's are
; named un.*).
!macro SharedFunctions un
; Each file of the folder that is there must be writable: a file in use
; says so, with Retry and Cancel. Cancel ends the run.
Function ${un}CheckFilesFree
  check:
  StrCpy $R9 ""
  !insertmacro ForEachFile CheckFile
  !insertmacro CheckFile "" "${UNINSTALLER}"
  ${If} $R9 != ""
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${IN_USE}$\r$\nClose ${NAME}, then press Retry." /SD IDCANCEL IDRETRY check
    Abort "${IN_USE}"
  ${EndIf}
FunctionEnd

; Adds ($R8 "+") or removes ($R8 "-") the entry $INSTDIR on PATH, leaving
; the other entries and its type as they are; $R6 is 1 when PATH changed. A
; PATH too long to read whole is left untouched, with a word.
Function ${un}EditPath
  StrCpy $R6 0
  ; Its size in bytes and its type (REG_SZ 1, else REG_EXPAND_SZ), without expanding it.
  System::Call 'advapi32::RegGetValueW(p $EnvRoot, w "$EnvKey", w "Path", i 0x1000ffff, *i 0 r5, p 0, *i 0 r1) i.r2'
  ${If} $2 <> 0
    StrCpy $1 0
    StrCpy $5 0
  ${EndIf}
  IntOp $1 $1 / 2
  ReadRegStr $0 SHCTX $EnvKey Path
  ${WordAdd} $0 ";" "$R8$INSTDIR" $3
  StrLen $4 $3
  ${If} $1 > ${PATH_LIMIT}
  ${OrIf} $4 >= ${PATH_LIMIT}
    DetailPrint "${PATH_TOO_LONG}"
    MessageBox MB_ICONINFORMATION "${PATH_TOO_LONG}$\r$\nThe folder of the command-line tools: $INSTDIR" /SD IDOK
  ${ElseIf} $3 != $0
    ${If} $3 == ""
      DeleteRegValue SHCTX $EnvKey Path
    ${ElseIf} $5 = 1
      WriteRegStr SHCTX $EnvKey Path $3
    ${Else}
      WriteRegExpandStr SHCTX $EnvKey Path $3
    ${EndIf}
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
    StrCpy $R6 1
  ${EndIf}
FunctionEnd

; The installed files and folders; a folder that holds other files stays.
; Then the folders the setup made above INSTDIR, up to $R7, while empty.
Function ${un}RemoveFiles
  !insertmacro ForEachFile RemoveFile
  Delete "$INSTDIR\${UNINSTALLER}"
  !insertmacro ForEachFolder RemoveFolder
  RMDir $INSTDIR
  ${If} $R7 != ""
  ${AndIfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $0 $INSTDIR
    ${DoUntil} $0 == $R7
      ${GetParent} $0 $0
      ${IfThen} $0 == "" ${|} ${ExitDo} ${|}
      RMDir $0
      ${IfThen} ${FileExists} "$0\*.*" ${|} ${ExitDo} ${|}
    ${Loop}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."

!macro NoteNewKey key
  ClearErrors
  EnumRegKey $0 SHCTX "${key}" 0
  ${IfThen} ${Errors} ${|} StrCpy $R4 "$R4${key}|" ${|}
!macroend

!macro InstallFile place file
  SetOutPath "$INSTDIR${place}"
  File "/oname=$INSTDIR\${file}" "${FILES}/${file}"
!macroend

Section "${NAME}" SecProgram
  SectionIn RO
  ; The folder, made if need be and written to once, before anything else.
  StrCpy $CreatedTop ""
  StrCpy $0 $INSTDIR
  ${DoUntil} ${FileExists} "$0\*.*"
    StrCpy $CreatedTop $0
    ${GetParent} $0 $0
    ${IfThen} $0 == "" ${|} ${ExitDo} ${|}
  ${Loop}
  retry:
  ClearErrors
  CreateDirectory $INSTDIR
  FileOpen $0 "$INSTDIR\${UNINSTALLER}.tmp" w
  ${If} ${Errors}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${CANNOT_WRITE}$\r$\nPress Retry once it can, or Cancel and choose another folder." /SD IDCANCEL IDRETRY retry
    Abort "${CANNOT_WRITE}"
  ${EndIf}
  FileClose $0
  Delete "$INSTDIR\${UNINSTALLER}.tmp"
  Call CheckFilesFree

  !insertmacro ForEachFile InstallFile
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; Registered once every file is in place. The keys that others share and
  ; the setup makes, where there were none, are noted for the uninstaller.
  StrCpy $R4 ""
  !insertmacro NoteNewKey "${CLASSES}"
  !insertmacro NoteNewKey "${CLASSES}\.qdf"
  !insertmacro NoteNewKey "${CLASSES}\.qdf\OpenWithProgids"
  !insertmacro NoteNewKey "${CLASSES}\Applications"
  !insertmacro NoteNewKey "Software\RegisteredApplications"
  !insertmacro NoteNewKey "Software\Microsoft\Windows\CurrentVersion\Uninstall"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}" "" "${TYPE_NAME}"
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\DefaultIcon" "" '${VIEWER_ICON}'
  WriteRegStr SHCTX "${CLASSES}\${PROGID}\shell\open\command" "" '${OPEN_COMMAND}'
  WriteRegNone SHCTX "${CLASSES}\.qdf\OpenWithProgids" "${PROGID}"
  ; The type becomes what opens .qdf files only where nothing else does.
  ReadRegStr $0 HKCR ".qdf" ""
  ${If} $0 == ""
    WriteRegStr SHCTX "${CLASSES}\.qdf" "" "${PROGID}"
  ${EndIf}
  WriteRegStr SHCTX "${CLASSES}\Applications\${VIEWER}" "FriendlyAppName" "${NAME}"
  WriteRegStr SHCTX "${CLASSES}\Applications\${VIEWER}\shell\open\command" "" '${OPEN_COMMAND}'
  WriteRegStr SHCTX "${CLASSES}\Applications\${VIEWER}\SupportedTypes" ".qdf" ""
  WriteRegStr SHCTX "${CAPABILITIES}" "ApplicationName" "${NAME}"
  WriteRegStr SHCTX "${CAPABILITIES}" "ApplicationDescription" "${DESCRIPTION}"
  WriteRegStr SHCTX "${CAPABILITIES}\FileAssociations" ".qdf" "${PROGID}"
  WriteRegStr SHCTX "Software\RegisteredApplications" "${NAME}" "${CAPABILITIES}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ; The viewer starts in the game's folder, where its name lists are, when
  ; there is one (docs/viewer.md), else in its own.
  ${If} ${FileExists} "C:\projects\bin\*.*"
    SetOutPath "C:\projects\bin"
  ${Else}
    SetOutPath $INSTDIR
  ${EndIf}
  CreateShortCut "${VIEWER_LINK}" "$INSTDIR\${VIEWER}" "" "$INSTDIR\${VIEWER}" 0 SW_SHOWNORMAL "" "${DESCRIPTION}"
  CreateShortCut "${MANUAL_LINK}" "$INSTDIR\README.txt"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayName "${NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" Publisher "${VENDOR}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayIcon '${VIEWER_ICON}'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" InstallLocation $INSTDIR
  WriteRegStr SHCTX "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoRepair 1
  ${If} $CreatedTop != ""
    WriteRegStr SHCTX "${UNINSTALL_KEY}" CreatedFolder $CreatedTop
  ${EndIf}
  ${If} $R4 != ""
    WriteRegStr SHCTX "${UNINSTALL_KEY}" CreatedKeys $R4
  ${EndIf}
  ${GetSize} $INSTDIR "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" EstimatedSize $0
SectionEnd

Section /o "Put the command-line tools on PATH" SecPath
SectionEnd

; The entry goes on PATH when ticked, and off again when not ticked if this
; setup put it there (PathAdded).
Section "-PATH"
  ReadRegDWORD $R5 SHCTX "${UNINSTALL_KEY}" PathAdded
  ${If} ${SectionIsSelected} ${SecPath}
    StrCpy $R8 "+"
    Call EditPath
    ${IfThen} $R6 = 1 ${|} WriteRegDWORD SHCTX "${UNINSTALL_KEY}" PathAdded 1 ${|}
  ${ElseIf} $R5 = 1
    StrCpy $R8 "-"
    Call EditPath
    ${IfThen} $R6 = 1 ${|} DeleteRegValue SHCTX "${UNINSTALL_KEY}" PathAdded ${|}
  ${EndIf}
SectionEnd

Function .onInit
  ${GetParameters} $R0
  StrCpy $R1 "$LOCALAPPDATA\Programs\${NAME}"
  System::Call 'shell32::IsUserAnAdmin() i.R2'
  ClearErrors
  ${GetOptions} $R0 "/AllUsers" $0
  ${IfNot} ${Errors}
  ${AndIf} $R2 = 0
    MessageBox MB_ICONSTOP "Installing for all users needs administrator rights: start the setup with $\"Run as administrator$\"." /SD IDOK
    Abort
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $0
  ${IfNot} ${Errors}
    StrCpy $R2 0
  ${EndIf}
  ${If} $R2 <> 0
    !insertmacro UseAllUsers
  ${Else}
    !insertmacro UseCurrentUser
  ${EndIf}
  ; No /D=: the folder of the version installed, else the default.
  ${If} $INSTDIR == $R1
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" InstallLocation
    ${If} $0 != ""
      StrCpy $INSTDIR $0
    ${ElseIf} $R2 <> 0
      StrCpy $INSTDIR "$PROGRAMFILES64\${NAME}"
    ${EndIf}
  ${EndIf}
  ; The PATH box is ticked when the folder is on PATH already, or with /AddToPath.
  ReadRegStr $0 SHCTX $EnvKey Path
  ${WordAdd} $0 ";" "-$INSTDIR" $1
  ClearErrors
  ${GetOptions} $R0 "/AddToPath" $2
  ${If} $1 != $0
  ${OrIfNot} ${Errors}
    !insertmacro SelectSection ${SecPath}
  ${EndIf}
FunctionEnd

; Cancelled: a folder the setup made goes again, with what it put there.
Function .onInstFailed
  ${If} $CreatedTop != ""
    StrCpy $R7 $CreatedTop
    Call RemoveFiles
  ${EndIf}
FunctionEnd

Function un.onInit
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" InstallLocation
  ${If} $0 == $INSTDIR
    System::Call 'shell32::IsUserAnAdmin() i.r1'
    ${If} $1 = 0
      MessageBox MB_ICONSTOP "${NAME} is installed for all users: removing it needs administrator rights." /SD IDOK
      Abort
    ${EndIf}
    !insertmacro UseAllUsers
  ${Else}
    !insertmacro UseCurrentUser
  ${EndIf}
FunctionEnd

Section Uninstall
  Call un.CheckFilesFree
  ReadRegStr $R7 SHCTX "${UNINSTALL_KEY}" CreatedFolder
  Call un.RemoveFiles
  ${If} ${FileExists} "$INSTDIR\*.*"
    DetailPrint "${USER_FILES_STAY}"
    MessageBox MB_ICONINFORMATION "${USER_FILES_STAY}" /SD IDOK
  ${EndIf}

  ReadRegDWORD $0 SHCTX "${UNINSTALL_KEY}" PathAdded
  ${If} $0 = 1
    StrCpy $R8 "-"
    Call un.EditPath
  ${EndIf}
  Delete "${VIEWER_LINK}"
  Delete "${MANUAL_LINK}"
  DeleteRegKey SHCTX "${CLASSES}\${PROGID}"
  DeleteRegValue SHCTX "${CLASSES}\.qdf\OpenWithProgids" "${PROGID}"
  ReadRegStr $0 SHCTX "${CLASSES}\.qdf" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue SHCTX "${CLASSES}\.qdf" ""
  ${EndIf}
  DeleteRegKey SHCTX "${CLASSES}\Applications\${VIEWER}"
  DeleteRegKey SHCTX "Software\${APP_ID}"
  DeleteRegValue SHCTX "Software\RegisteredApplications" "${NAME}"
  ; The shared keys the setup made, the last made first, if nothing else is in them.
  ReadRegStr $R4 SHCTX "${UNINSTALL_KEY}" CreatedKeys
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${If} $R4 != ""
    ${WordFind} $R4 "|" "#" $1
    ${ForEach} $2 $1 1 - 1
      ${WordFind} $R4 "|" "+$2" $0
      DeleteRegKey /ifempty SHCTX $0
    ${Next}
  ${EndIf}
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
