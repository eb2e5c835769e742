; The setup program of Trellmark, trelmrk-setup.exe, built with makensis:
;   makensis -DBINDIR=<folder of the two programs> -DHELPFILE=<trelmrk.hlp>
;            -DOUTFILE=<trelmrk-setup.exe> setup/trelmrk-setup.nsi
; It installs the programs and the help file, and writes exactly what
; trelmrk-remove.exe later removes: the registry value it reads the install
; folder from, the Start-menu folder, the desktop shortcut and the entry in
; the list of installed programs. /S installs silently (/D=folder chooses the
; folder, as the last argument).

Unicode false
SetCompressor /SOLID lzma
!ifndef BINDIR | HELPFILE | OUTFILE
  !error "BINDIR, HELPFILE and OUTFILE must be defined"
!endif

!define PRODUCT "Trellmark"
!define PRODUCT_KEY "Software\Quernhollow\Trellmark"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Trellmark"

Name "${PRODUCT}"
Caption "${PRODUCT} Setup"
OutFile "${OUTFILE}"
Icon "..\wizard\res\trelmrk.ico"
InstallDir "$PROGRAMFILES\${PRODUCT}"
; The uninstaller adds its own names to the folder it reads here: the root of
; a drive would give it paths with a doubled backslash.
AllowRootDirInstall false
RequestExecutionLevel admin
ShowInstDetails nevershow
XPStyle off
BrandingText " "

VIProductVersion "1.1.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "1.1"
VIAddVersionKey "ProductVersion" "1.1"
VIAddVersionKey "CompanyName" "Quernhollow"
VIAddVersionKey "LegalCopyright" "Quernhollow"

DirText "Setup will install ${PRODUCT} in the following folder. To install in a different \
folder, click Browse and select another folder." "Install folder"
Page directory
Page instfiles

Section "Trellmark"
  SetOutPath "$INSTDIR"
  File "${BINDIR}\trelmrk.exe"
  File "${BINDIR}\trelmrk-remove.exe"
  File "${HELPFILE}"

  ; The install folder, without a trailing backslash, for trelmrk-remove.exe.
  WriteRegStr HKCU "${PRODUCT_KEY}" "path" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\trelmrk-remove.exe"'

  ; The Start-menu folder and the desktop shortcut, each removed by
  ; trelmrk-remove.exe under these names.
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\trelmrk.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\trelmrk.hlp"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Remove ${PRODUCT}.lnk" "$INSTDIR\trelmrk-remove.exe"
  CreateShortCut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\trelmrk.exe"
SectionEnd
