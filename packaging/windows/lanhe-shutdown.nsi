; The installer of 蓝禾自动关机 for the current user, without elevation. The build defines
; VERSION, PUBLISHER, ICON, FINISH_PICTURE, RUNNING_MUTEX (the mutex the running program holds),
; OUTFILE and FILES (the header of the macros LanheInstallFiles and LanheRemoveCompanions).
; A 64-bit installer for a 64-bit program: it runs wherever the program does, Wine without its
; 32-bit part included.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma
; A file that cannot be written stops the installation (Retry or Cancel; under /S, Cancel)
; instead of being skipped into a mix of old and new files.
AllowSkipFiles off

!define NAME "蓝禾自动关机"
!define PROGRAM "lanhe-shutdown.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\lanhe-shutdown"
!define SHORTCUT "$SMPROGRAMS\${NAME}.lnk"
!include "LogicLib.nsh"
!include "MUI2.nsh"
!include "${FILES}"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\lanhe-shutdown"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${NAME} ${VERSION} 安装程序"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${FINISH_PICTURE}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

LangString CloseProgram ${LANG_SIMPCHINESE} \
    "${NAME} 正在运行。请先关闭它，再点“重试”。$\r$\n点“取消”则退出，不做任何更改。"
LangString CloseProgram ${LANG_ENGLISH} \
    "${NAME} is running. Close it, then click Retry.$\r$\nCancel quits and changes nothing."
LangString InstalledCopyKept ${LANG_SIMPCHINESE} \
    "无法卸载已安装的 ${NAME}（$1），未安装新版本。"
LangString InstalledCopyKept ${LANG_ENGLISH} \
    "The installed ${NAME} ($1) could not be removed; the new version was not installed."
LangString FilesKept ${LANG_SIMPCHINESE} \
    "以下文件正被其他程序使用，无法删除。${NAME} 的卸载程序和“应用”中的条目都已保留，\
关闭该程序后请再次卸载：$R9"
LangString FilesKept ${LANG_ENGLISH} \
    "These files are in use by another program and could not be removed. The uninstaller and \
the entry in Apps are kept: close that program and uninstall again:$R9"

; The program's files are touched only once no copy of it runs: the user is asked to close it,
; Retry looking again. Cancel, also the answer under /S, quits with exit code 2 before anything
; changed. The program is never ended from here: that would silently disarm what its user set.
; The question comes to the front, above the program's window.
!macro LanheWaitForProgramEnd UN
Function ${UN}WaitForProgramEnd
    retry:
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${RUNNING_MUTEX}") p.r0'
        ${If} $0 P= 0
            Return
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r0)'
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION|MB_SETFOREGROUND|MB_TOPMOST \
            "$(CloseProgram)" /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Quit
FunctionEnd
!macroend
!insertmacro LanheWaitForProgramEnd ""
!insertmacro LanheWaitForProgramEnd "un."

; Shortcuts and folders of the current user only, never those of all users.
Function .onInit
    SetShellVarContext current
    Call WaitForProgramEnd
FunctionEnd

Function un.onInit
    SetShellVarContext current
    Call un.WaitForProgramEnd
FunctionEnd

; A copy already installed, older or the same, is removed first by its own uninstaller, which
; knows what it put there: an upgrade leaves one Apps entry and only this version's files. When
; its program stays behind, nothing is installed.
Function RemoveInstalledCopy
    ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $1 == ""
    ${OrIfNot} ${FileExists} "$1\uninstall.exe"
        Return
    ${EndIf}
    ClearErrors
    ExecWait '"$1\uninstall.exe" /S _?=$1' $2
    ${If} ${Errors}
    ${OrIf} $2 != 0
    ${OrIf} ${FileExists} "$1\${PROGRAM}"
        MessageBox MB_OK|MB_ICONSTOP "$(InstalledCopyKept)" /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
    ; Run in place, the old uninstaller cannot remove itself.
    Delete "$1\uninstall.exe"
    RMDir "$1"
FunctionEnd

; The program, a Start-menu shortcut, and an entry in Apps (Add/Remove Programs). The program is
; looked for again: it may have been started while the pages were shown.
Section "${NAME}" SectionProgram
    Call WaitForProgramEnd
    Call RemoveInstalledCopy
    !insertmacro LanheInstallFiles
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; In KiB, as Apps shows it: the files this section installs.
    SectionGetSize ${SectionProgram} $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Deletes one file of the program; one that is there but cannot be deleted joins the list in $R9.
!macro LanheRemoveFile FILE
    ClearErrors
    Delete "${FILE}"
    ${If} ${Errors}
        StrCpy $R9 "$R9$\r$\n${FILE}"
    ${EndIf}
!macroend

; Files that could not be removed end the uninstallation, which keeps itself and the Apps entry
; for another run and says so; under /S with exit code 2.
Function un.StopWhenFilesKept
    ${If} $R9 != ""
        MessageBox MB_OK|MB_ICONSTOP "$(FilesKept)" /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
FunctionEnd

; File by file: a folder the user chose may hold more than this program put there. The program
; goes first, and while it cannot be removed nothing else is.
Section "Uninstall"
    Call un.WaitForProgramEnd
    StrCpy $R9 ""
    !insertmacro LanheRemoveFile "$INSTDIR\${PROGRAM}"
    Call un.StopWhenFilesKept
    !insertmacro LanheRemoveCompanions
    Call un.StopWhenFilesKept
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "${SHORTCUT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
