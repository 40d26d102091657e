; The Windows installer: the program folder for the current user alone (no administrator rights),
; a Start menu shortcut, the scene-file type, and an uninstaller listed among the installed apps.
; makensis -DFILES=list.nsh -DREMOVALS=list.nsh -DSIZE_KB=n -DICON=vellumark.ico
;          -DOUTFILE=setup.exe vellumark.nsi
; FILES holds the SetOutPath and File lines of every file of the program's folder, REMOVALS their
; Delete and RMDir lines, so that the uninstaller takes away exactly what was put there.
; A 64-bit installer for the 64-bit program (Unicode, as every 64-bit NSIS stub is).
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"

!define PRODUCT "Vellumark"
!define VERSION "5.00"
!define PROG_ID "Vellumark.Scene"
!define CLASSES "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vellumark"
; SHChangeNotify's "file associations changed"
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vellumark.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section
    SetShellVarContext current
    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The shortcut starts the program in its own folder.
    SetOutPath "$INSTDIR"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\vellumark.exe"

    WriteRegStr HKCU "${CLASSES}\.vmk" "" "${PROG_ID}"
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}" "" "Vellumarkファイル"
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}\DefaultIcon" "" '"$INSTDIR\vellumark.exe",0'
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}\shell\open" "" "開く"
    WriteRegStr HKCU "${CLASSES}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\vellumark.exe" "%1"'
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\vellumark.exe",0'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    !include "${REMOVALS}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    ; .vmk is left alone when another program has taken it over since.
    ReadRegStr $0 HKCU "${CLASSES}\.vmk" ""
    StrCmp $0 "${PROG_ID}" 0 +3
    DeleteRegValue HKCU "${CLASSES}\.vmk" ""
    DeleteRegKey /ifempty HKCU "${CLASSES}\.vmk"
    DeleteRegKey HKCU "${CLASSES}\${PROG_ID}"
    System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
