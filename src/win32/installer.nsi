; The per-user installer of Moravel, made by scripts/build-windows --installer:
;   makensis -DSOURCE=<portable folder> -DOUTFILE=<installer.exe> installer.nsi
; It installs into the user's own programs folder (no administrator rights),
; adds a Start-menu entry and an uninstaller. Installing again refreshes the
; program and the bundled skins' pictures but keeps what the program writes:
; data.ini, skins.ini, and in each skin config.ini, user.ini and temp\. The
; uninstaller removes the program's own files, the Start-menu entry and the
; login entry that starts this copy; the skins and settings stay.
Unicode true
; A 64-bit installer, as the program is (and as a 64-bit Wine runs it).
Target amd64-unicode
!ifndef SOURCE | OUTFILE
  !error "makensis -DSOURCE=<portable folder> -DOUTFILE=<installer.exe> installer.nsi"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Moravel"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "Moravel"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Moravel"
SetCompressor /SOLID lzma

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetOutPath "$INSTDIR"
  File "${SOURCE}/moravel.exe"
  File "${SOURCE}/moravel-preview.exe"
  File "${SOURCE}/help.png"
  File "${SOURCE}/help@2x.png"
  SetOutPath "$INSTDIR\skins"
  File /r /x config.ini /x user.ini /x temp "${SOURCE}/skins/*"
  ; What the program writes: only where it is missing.
  SetOverwrite off
  File /r "${SOURCE}/skins/*"
  SetOutPath "$INSTDIR"
  File "${SOURCE}/data.ini"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Moravel.lnk" "$INSTDIR\moravel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Moravel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\moravel.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\moravel.exe"
  Delete "$INSTDIR\moravel-preview.exe"
  Delete "$INSTDIR\help.png"
  Delete "$INSTDIR\help@2x.png"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\Moravel.lnk"
  ; The login entry goes when it starts this copy (as the program writes it).
  ReadRegStr $0 HKCU "${RUN_KEY}" "Moravel"
  StrCmp $0 '"$INSTDIR\moravel.exe"' 0 +2
    DeleteRegValue HKCU "${RUN_KEY}" "Moravel"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; Empty only when the user kept nothing there.
  RMDir "$INSTDIR"
SectionEnd
