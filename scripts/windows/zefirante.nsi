; The ZEFIRANTE installer, written by scripts/windows/pacchetto.sh with
;   makensis -DVERSIONE=1.0.0 -DSORGENTE=<folder to install> -DELENCO=<Delete lines>
;            -DUSCITA=<setup.exe> [-DICONA=<zefirante.ico>] zefirante.nsi
; It installs for the current user only (no administrator rights), so a clerk can install it
; on an office PC; the uninstaller removes the program's files and shortcuts and leaves the
; user's data (%APPDATA%\ZEFIRANTE\ZEFIRANTE: database, communications) where it is.
; "setup.exe /S" installs silently, "Disinstalla.exe /S" uninstalls silently.

; A 64-bit installer for a 64-bit program (it also runs where Windows has no 32-bit layer).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define PRODOTTO "ZEFIRANTE"
!define DISINSTALLA "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZEFIRANTE"

Name "${PRODOTTO} ${VERSIONE}"
Caption "${PRODOTTO} ${VERSIONE} - Installazione"
OutFile "${USCITA}"
InstallDir "$LOCALAPPDATA\Programs\ZEFIRANTE"
InstallDirRegKey HKCU "${DISINSTALLA}" "InstallLocation"
BrandingText "${PRODOTTO} ${VERSIONE}"

VIProductVersion "${VERSIONE}.0"
VIAddVersionKey /LANG=1040 "ProductName" "${PRODOTTO}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSIONE}"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSIONE}"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di ${PRODOTTO}: comunicazione mensile OAM delle operazioni di cambio valuta"
VIAddVersionKey /LANG=1040 "LegalCopyright" "${PRODOTTO}"

!include "MUI2.nsh"

!define MUI_ABORTWARNING
!ifdef ICONA
    !define MUI_ICON "${ICONA}"
    !define MUI_UNICON "${ICONA}"
!endif
!define MUI_WELCOMEPAGE_TEXT "Questa procedura installa ${PRODOTTO} ${VERSIONE} per l'utente corrente, senza diritti di amministratore.$\r$\n$\r$\nI dati (agenzie, comunicazioni, stampe) restano nella cartella dell'utente e non vengono toccati da aggiornamenti o disinstallazione.$\r$\n$\r$\nPremere Avanti per continuare."
!define MUI_FINISHPAGE_RUN "$INSTDIR\zefirante.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Avvia ${PRODOTTO}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

Section "${PRODOTTO}" SezioneProgramma
    SectionIn RO
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File /r "${SORGENTE}\*"
    WriteUninstaller "$INSTDIR\Disinstalla.exe"

    CreateDirectory "$SMPROGRAMS\${PRODOTTO}"
    CreateShortcut "$SMPROGRAMS\${PRODOTTO}\${PRODOTTO}.lnk" "$INSTDIR\zefirante.exe"
    CreateShortcut "$SMPROGRAMS\${PRODOTTO}\Istruzioni ${PRODOTTO}.lnk" "$INSTDIR\Help\ZEFIRANTE_ISTRUZIONI.pdf"
    CreateShortcut "$SMPROGRAMS\${PRODOTTO}\Disinstalla ${PRODOTTO}.lnk" "$INSTDIR\Disinstalla.exe"
    CreateShortcut "$DESKTOP\${PRODOTTO}.lnk" "$INSTDIR\zefirante.exe"

    ; Listed in Windows' "App installate" / "Programmi e funzionalità" of this user.
    WriteRegStr HKCU "${DISINSTALLA}" "DisplayName" "${PRODOTTO}"
    WriteRegStr HKCU "${DISINSTALLA}" "DisplayVersion" "${VERSIONE}"
    WriteRegStr HKCU "${DISINSTALLA}" "Publisher" "${PRODOTTO}"
    WriteRegStr HKCU "${DISINSTALLA}" "DisplayIcon" "$INSTDIR\zefirante.exe"
    WriteRegStr HKCU "${DISINSTALLA}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${DISINSTALLA}" "UninstallString" '"$INSTDIR\Disinstalla.exe"'
    WriteRegStr HKCU "${DISINSTALLA}" "QuietUninstallString" '"$INSTDIR\Disinstalla.exe" /S'
    WriteRegDWORD HKCU "${DISINSTALLA}" "NoModify" 1
    WriteRegDWORD HKCU "${DISINSTALLA}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$DESKTOP\${PRODOTTO}.lnk"
    Delete "$SMPROGRAMS\${PRODOTTO}\${PRODOTTO}.lnk"
    Delete "$SMPROGRAMS\${PRODOTTO}\Istruzioni ${PRODOTTO}.lnk"
    Delete "$SMPROGRAMS\${PRODOTTO}\Disinstalla ${PRODOTTO}.lnk"
    RMDir "$SMPROGRAMS\${PRODOTTO}"

    ; Only the files this installer wrote: a folder the user chose may hold other files.
!include "${ELENCO}"
    Delete "$INSTDIR\Disinstalla.exe"
    RMDir "$INSTDIR"

    DeleteRegKey HKCU "${DISINSTALLA}"
SectionEnd
