; The Veltrano installer. makensis is given:
;   TARGET   x86-unicode for the 32-bit product, amd64-unicode for the 64-bit one
;   ARCH     x86 or x64, as the Apps list shows it
;   BIN      the build's bin folder (veltrano.exe, DLL/PCOMM.DLL, veltrano-table.exe)
;   ROOT     the source tree (docs/user-guide.md and docs/guide, packaging/LICENSE.txt)
;   VERSION  the product version, four numbers
;   OUTFILE  the installer to write
; The program keeps its table data.dat beside itself, so it is installed for
; the user who installs it, in a folder that user can write, without asking
; for administrator rights. That folder is the same for both products, so
; installing one over the other replaces it in place and keeps the table.

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS all

!define PRODUCT "Veltrano"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

LoadLanguageFile "${NSISDIR}\Contrib\Language files\SimpChinese.nlf"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Copyright (c) 2026 the Veltrano authors"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${BIN}/veltrano.exe"
  File "${BIN}/veltrano-table.exe"
  File "/oname=README.md" "${ROOT}/docs/user-guide.md"
  File "/oname=LICENSE.txt" "${ROOT}/packaging/LICENSE.txt"
  SetOutPath "$INSTDIR\guide"
  File "${ROOT}/docs/guide/*.png"
  SetOutPath "$INSTDIR\DLL"
  File "${BIN}/DLL/PCOMM.DLL"
  ; The shortcut starts the program in its own folder, where its table is.
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\veltrano.exe" "" "$INSTDIR\veltrano.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} (${ARCH})"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\veltrano.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what the installer put there. A table the user saved
; (data.dat or other .dat files) is the user's: it stays, and with it the
; folder.
Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  Delete "$INSTDIR\veltrano.exe"
  Delete "$INSTDIR\veltrano-table.exe"
  Delete "$INSTDIR\README.md"
  Delete "$INSTDIR\guide\*.png"
  RMDir "$INSTDIR\guide"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\DLL\PCOMM.DLL"
  RMDir "$INSTDIR\DLL"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
