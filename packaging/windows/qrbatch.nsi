; The Windows installer of qrbatch, made by scripts/package-windows with makensis:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DFILES=folder -DICON=qrbatch.ico
;            -DOUTFILE=setup.exe qrbatch.nsi
; FILES holds qrbatch.exe, QRCodeWin32.dll, qrbatch-cli.exe, fonts\fonts.conf, LICENSE.txt and
; README.txt.
;
; It installs for the current user without administrator rights; started as administrator it
; offers an installation for all users (also /AllUsers on the command line). The library is
; installed beside the program, so the program never has to write into its own folder to start.
; The uninstaller removes what was installed and the program's preview files a.jpg and a.bmp;
; output folders the user made and C:\korvalind\Set.ini stay.
Unicode true
SetCompressor /SOLID lzma

!define PRODUCT qrbatch
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

!define MULTIUSER_EXECUTIONLEVEL Standard
!define MULTIUSER_EXECUTIONLEVEL_ALLUSERS
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR ${PRODUCT}
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME InstallLocation
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME InstallMode
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

Name "$(ProductName)"
OutFile "${OUTFILE}"
BrandingText "qrbatch ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 ProductName "qrbatch"
VIAddVersionKey /LANG=0 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 FileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 FileDescription "qrbatch ${VERSION} setup"
VIAddVersionKey /LANG=0 LegalCopyright "Copyright (c) 2026 The qrbatch developers, MIT License"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\qrbatch.exe"
!define MUI_FINISHPAGE_RUN_NOTCHECKED
; The progress page stays until "Next", so that what was copied can be read there.
!define MUI_FINISHPAGE_NOAUTOCLOSE

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${FILES}\LICENSE.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for systems in neither language.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString ProductName ${LANG_ENGLISH} "QR Batch"
LangString ProductName ${LANG_SIMPCHINESE} "二维码批量生成"
LangString ShortcutName ${LANG_ENGLISH} "QR Batch"
LangString ShortcutName ${LANG_SIMPCHINESE} "二维码批量生成"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section
  SetOutPath "$INSTDIR"
  File "${FILES}\qrbatch.exe"
  File "${FILES}\QRCodeWin32.dll"
  File "${FILES}\LICENSE.txt"
  File "${FILES}\README.txt"
  File "${FILES}\qrbatch-cli.exe"
  SetOutPath "$INSTDIR\fonts"
  File "${FILES}\fonts\fonts.conf"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut's name depends on the language; the uninstaller finds it by the stored path.
  StrCpy $0 "$SMPROGRAMS\$(ShortcutName).lnk"
  CreateShortcut "$0" "$INSTDIR\qrbatch.exe" "" "$INSTDIR\qrbatch.exe" 0

  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayName "$(ProductName) (qrbatch)"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" Publisher "The qrbatch developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" DisplayIcon "$INSTDIR\qrbatch.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" InstallLocation "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" InstallMode "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" Shortcut "$0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" NoRepair 1
SectionEnd

Section Uninstall
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" Shortcut
  ${If} $0 != ""
    Delete "$0"
  ${EndIf}
  Delete "$INSTDIR\qrbatch.exe"
  Delete "$INSTDIR\QRCodeWin32.dll"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\qrbatch-cli.exe"
  Delete "$INSTDIR\fonts\fonts.conf"
  RMDir "$INSTDIR\fonts"
  ; The preview files the program writes beside itself.
  Delete "$INSTDIR\a.jpg"
  Delete "$INSTDIR\a.bmp"
  Delete "$INSTDIR\uninstall.exe"
  ; Not /r: an output folder the user made inside keeps the folder.
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
