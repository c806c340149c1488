#!/usr/bin/env bash
# Verifies the Windows build under Wine, on this Debian machine:
#   1. every GoogleTest program of the Windows build runs green (QT_QPA_PLATFORM=offscreen);
#   2. zefirante-cli.exe from the portable zip writes, from the example months (.xlsx, .xls)
#      and a CSV, communications and error reports byte-identical to the Linux build's, with
#      Windows paths: drive letters, backslashes, a folder and a sheet with accents;
#   3. its messages reach a Windows console right whatever the console's code page;
#   4. the portable folder keeps its database inside itself;
#   5. the installer installs silently for the user, the installed program creates its data in
#      %APPDATA% on the first start, zefirante.exe opens its window (screenshot under Xvfb),
#      and the uninstaller removes the program silently and leaves the user's data.
# Builds the packages first (pacchetto.sh, which builds or completes the cross toolchain).
#
# Usage: bash scripts/windows/verifica.sh [--uscita DIR] [--prefisso DIR] [--senza-pacchetto]
#   --uscita DIR        packages, logs and the screenshot (default dist/ in the repository)
#   --senza-pacchetto   use the packages and builds already there
# A fresh Wine prefix is made in DIR/wine for every run, so the first start is a real one.
set -euo pipefail

source "$(dirname "$0")/comune.sh"
PACCHETTO=1
opzione_verifica() {
    [ "$1" = --senza-pacchetto ] || return 0
    PACCHETTO=0
    return 1
}
OPZIONE_IN_PIU=opzione_verifica
leggi_opzioni "$0" "$@"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
pacchetti=(wine wine64 xvfb xauth xdotool imagemagick poppler-utils unzip nsis)
mancanti=()
for p in "${pacchetti[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
fi

if [ "$PACCHETTO" = 1 ]; then
    bash "$REPO/scripts/windows/pacchetto.sh" --prefisso "$PREFIX" --uscita "$USCITA"
fi
ZIP="$USCITA/ZEFIRANTE-$VERSIONE-win64.zip"
SETUP="$USCITA/ZEFIRANTE-$VERSIONE-setup.exe"
CLI_LINUX="$NATIVO/src/cli/zefirante-cli"
[ -f "$ZIP" ] && [ -f "$SETUP" ] || { echo "packages missing in $USCITA" >&2; exit 1; }
[ -x "$CLI_LINUX" ] || cmake --build "$NATIVO" --target zefirante-cli

# --- Wine -------------------------------------------------------------------------------
export WINEPREFIX="$USCITA/wine" WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko: nothing here needs them, and Wine would offer to download them.
export WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
C="$WINEPREFIX/drive_c"
# Wine prints the value with a CR; winepath gives the Unix path of a Windows one.
win_var() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
unix_di() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
APPDATA_U=$(unix_di "$(win_var APPDATA)")
LOCALAPPDATA_U=$(unix_di "$(win_var LOCALAPPDATA)")

ESITO=0
bene() { echo "  ok    $*"; }
male() { echo "  FALLITO $*"; ESITO=1; }
LOG="$USCITA/verifica-log"
rm -rf "$LOG"; mkdir -p "$LOG"

# --- 1. The test programs ---------------------------------------------------------------
echo "== 1. Test programs of the Windows build under Wine"
percorsi_dll=""
for d in "${CARTELLE_DLL[@]}"; do percorsi_dll+="Z:${d//\//\\};"; done
for t in "$WIN"/tests/*/*.exe; do
    n=$(basename "$t" .exe)
    rc=0
    WINEPATH="$percorsi_dll" QT_PLUGIN_PATH="Z:${PREFIX//\//\\}\\qt6\\plugins" QT_QPA_PLATFORM=offscreen \
        wine "$t" >"$LOG/$n.log" 2>&1 || rc=$?
    riassunto=$(grep -E '^\[  (PASSED|FAILED|SKIPPED) +\] [0-9]+ test' "$LOG/$n.log" | tr '\n' ' ')
    if [ "$rc" -eq 0 ] && grep -q '^\[  PASSED  \]' "$LOG/$n.log"; then
        bene "$n: $riassunto"
    else
        male "$n (exit $rc): $riassunto -- see $LOG/$n.log"
    fi
    grep -E '^\[  SKIPPED \] [A-Za-z_.]+$' "$LOG/$n.log" | sed 's/^/          /' || true
done

# --- 2. The CLI of the portable zip against the Linux build ----------------------------
echo "== 2. zefirante-cli.exe (portable zip) against the Linux zefirante-cli"
rm -rf "$C/ZEFIRANTE-$VERSIONE"
unzip -q "$ZIP" -d "$C"
CLI_WIN="C:\\ZEFIRANTE-$VERSIONE\\zefirante-cli.exe"
# A folder and sheet names with accents and blanks, reached through C: and Z: with backslashes.
DATI_U="$C/Dati ZEF/Contabilità"
DATI_W='C:\Dati ZEF\Contabilità'
LIN="$USCITA/verifica-linux"
USC_U="$USCITA/verifica-windows"
USC_W="Z:$(echo "$USC_U" | sed 's,/,\\,g')"
rm -rf "$DATI_U" "$LIN" "$USC_U"; mkdir -p "$DATI_U" "$LIN/fogli" "$USC_U"
HELP="$REPO/data/dotazione/Help"
cp "$HELP/ESEMPIO_MESE.xlsx" "$DATI_U/Agosto è.xlsx"
cp "$HELP/ESEMPIO_ERRORI.xlsx" "$DATI_U/Settembre con errori.xlsx"
cp "$REPO/tests/data/fogli/libreoffice/mese.xls" "$DATI_U/Ottobre 97-2003.xls"
{
    printf 'COGNOME;NOME\r\n\r\n'
    printf 'CAFF\xc8;MARIO;M;;01/01/1980;ROMA;RM;ITALIA;ITA;CI;AB1;31/12/2030;COMUNE;ROMA;15/09/2017;ROMA;A;USD;100;;;T1\r\n'
    printf 'BIANCHI;ANNA;F;;02/02/1982;ROMA;RM;ITALIA;ITA;CI;AB2;31/12/2030;COMUNE;ROMA;16/09/2017;ROMA;V;GBR;1500,75;;;T2\r\n'
} >"$DATI_U/Novembre.csv"
cp "$DATI_U"/* "$LIN/fogli/"

AGENZIA=(agenzia --codice 01234567897 --ragione-sociale "CAMBI CENTRO SRL"
         --sede-comune ROMA --sede-provincia RM)
# The error report names the sheet by its path, which differs between the two systems.
senza_archivio() { sed '/^Archivio: /d' "$1"; }
lin() { "$CLI_LINUX" --cartella "$LIN/app" "$@" 2>>"$LOG/cli-linux.err"; }
winc() { wine "$CLI_WIN" --cartella "$DATI_W\\app" "$@" 2>>"$LOG/cli-windows.err"; }
lin "${AGENZIA[@]}" >/dev/null
winc "${AGENZIA[@]}" >/dev/null
# confronta NOME FOGLIO ARGOMENTI...: the same command on both systems for the agency, with
# FOGLIO (a name in the sheets' folder, or empty for none) as --foglio and NOME.TXT as output.
confronta() {
    local nome="$1" foglio="$2" rc_l=0 rc_w=0
    shift 2
    local args_l=("$@" --agenzia 01234567897 --output "$LIN/$nome.TXT")
    local args_w=("$@" --agenzia 01234567897 --output "$USC_W\\$nome.TXT")
    if [ -n "$foglio" ]; then
        args_l+=(--foglio "$LIN/fogli/$foglio")
        args_w+=(--foglio "$DATI_W\\$foglio")
    fi
    lin "${args_l[@]}" >"$LOG/$nome-linux.out" || rc_l=$?
    winc "${args_w[@]}" >"$LOG/$nome-windows.out" || rc_w=$?
    if [ "$rc_l" != "$rc_w" ]; then
        male "$nome: exit code $rc_w on Windows, $rc_l on Linux"
    elif ! cmp -s "$LIN/$nome.TXT" "$USC_U/$nome.TXT"; then
        male "$nome: the communications differ ($LIN/$nome.TXT, $USC_U/$nome.TXT)"
    elif [ "$rc_l" = 1 ] && ! cmp -s <(senza_archivio "$LIN/app/ERRORE_IMPORT.TXT") \
                                  <(senza_archivio "$DATI_U/app/ERRORE_IMPORT.TXT"); then
        male "$nome: the error reports differ"
    elif [ "$rc_l" = 1 ] && ! grep -aqF "Archivio: $(printf '%s' "$DATI_W\\$foglio" | iconv -f UTF-8 -t CP1252)" \
                                  "$DATI_U/app/ERRORE_IMPORT.TXT"; then
        male "$nome: the error report does not name the sheet as Windows writes it ($DATI_W\\$foglio)"
    else
        bene "$nome: exit code $rc_w, $(stat -c %s "$USC_U/$nome.TXT") identical bytes$(
            [ "$rc_w" = 1 ] && echo ", the same ERRORE_IMPORT.TXT ($(wc -l <"$DATI_U/app/ERRORE_IMPORT.TXT") lines)")"
    fi
}
confronta mese "Agosto è.xlsx" comunicazione --anno 2026 --mese 11
confronta errori "Settembre con errori.xlsx" comunicazione --anno 2026 --mese 11
confronta xls "Ottobre 97-2003.xls" comunicazione --anno 2026 --mese 11
confronta csv "Novembre.csv" comunicazione --anno 2017 --mese 09 --sostitutiva
confronta vuota "" vuota --anno 2026 --mese 12
# The yearly list: the same text on every page.
lin stampa --agenzia 01234567897 --elenco operazioni --anno 2026 --pdf "$LIN/operazioni.pdf" >/dev/null
winc stampa --agenzia 01234567897 --elenco operazioni --anno 2026 --pdf "$USC_W\\operazioni.pdf" >/dev/null
# Windows draws with its own fonts, so the lines stand elsewhere on the page: compare them as
# a set.
righe_pdf() { pdftotext "$1" - | sed '/^\s*$/d' | sort; }
if diff -q <(righe_pdf "$LIN/operazioni.pdf") <(righe_pdf "$USC_U/operazioni.pdf") >/dev/null; then
    bene "stampa: the PDF list reads the same (pages: $(pdfinfo "$USC_U/operazioni.pdf" | sed -n 's/^Pages: *//p'))"
else
    male "stampa: the PDF lists read differently"
fi

# --- 3. The console ---------------------------------------------------------------------
echo "== 3. Italian accents on a Windows console in code page 850"
# script(1) gives Wine a terminal, so the program sees a console; chcp 850 is what cmd.exe
# starts in on an Italian PC. Wine shows the console's text on the terminal in UTF-8.
script -qec "wine cmd /c \"chcp 850 >nul & $CLI_WIN agenzia --help\"" /dev/null \
    >"$LOG/console.out" 2>&1 </dev/null || true
if grep -q "l'agenzia è registrata" "$LOG/console.out" && grep -q "(società, predefinito)" "$LOG/console.out"; then
    bene "agenzia --help on the console: \"è\" and \"à\" read right"
else
    male "accents on the console (see $LOG/console.out)"
fi

# --- 4. Portable ------------------------------------------------------------------------
echo "== 4. The portable folder keeps its data inside itself"
wine "$CLI_WIN" agenzie >/dev/null 2>>"$LOG/cli-windows.err"
if [ -f "$C/ZEFIRANTE-$VERSIONE/DataBase/ZEFIRANTE.db" ] && [ ! -e "$APPDATA_U/ZEFIRANTE" ]; then
    bene "DataBase\\ZEFIRANTE.db in the unzipped folder, nothing in %APPDATA%"
else
    male "the portable folder's database ($(ls "$C/ZEFIRANTE-$VERSIONE" | tr '\n' ' '))"
fi

# --- 5. Installer -----------------------------------------------------------------------
echo "== 5. Installer, first start, window, uninstaller"
SETUP_W="Z:$(echo "$SETUP" | sed 's,/,\\,g')"
wine "$SETUP_W" /S
wineserver -w
INST="$LOCALAPPDATA_U/Programs/ZEFIRANTE"
CHIAVE='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZEFIRANTE'
if [ -f "$INST/zefirante.exe" ] && [ -f "$INST/Disinstalla.exe" ] && [ ! -f "$INST/configurazione.ini" ] &&
   wine reg query "$CHIAVE" /v UninstallString >/dev/null 2>&1 &&
   ls "$C"/users/*/Desktop/ZEFIRANTE.lnk >/dev/null 2>&1 &&
   ls "$C"/users/*/AppData/Roaming/Microsoft/Windows/"Start Menu"/Programs/ZEFIRANTE/ZEFIRANTE.lnk >/dev/null 2>&1; then
    bene "installed silently in %LOCALAPPDATA%\\Programs\\ZEFIRANTE, shortcuts, listed among the programs"
else
    male "silent install ($(ls "$INST" 2>&1 | tr '\n' ' '))"
fi
INST_W="$(win_var LOCALAPPDATA)\\Programs\\ZEFIRANTE"
rc=0
wine "$INST_W\\zefirante-cli.exe" agenzie >"$LOG/installato.out" 2>>"$LOG/cli-windows.err" || rc=$?
if [ "$rc" = 0 ] &&
   [ -f "$APPDATA_U/ZEFIRANTE/ZEFIRANTE/DataBase/ZEFIRANTE.db" ] &&
   [ -f "$APPDATA_U/ZEFIRANTE/ZEFIRANTE/Help/ESEMPIO_MESE.xlsx" ]; then
    bene "first start (zefirante-cli): %APPDATA%\\ZEFIRANTE\\ZEFIRANTE filled ($(ls "$APPDATA_U/ZEFIRANTE/ZEFIRANTE" | tr '\n' ' '))"
else
    male "first start in %APPDATA%: exit $rc ($(ls "$APPDATA_U/ZEFIRANTE/ZEFIRANTE" 2>&1 | tr '\n' ' '))"
fi

# The window, under a virtual X display: the entry window, then Enter for the agencies.
SCHERMO=":$((90 + RANDOM % 100))"
Xvfb "$SCHERMO" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
sleep 2
DISPLAY="$SCHERMO" wine "$INST_W\\zefirante.exe" >"$LOG/zefirante.out" 2>&1 &
disown
sleep 20
DISPLAY="$SCHERMO" import -window root "$USCITA/zefirante-wine-ingresso.png" || true
DISPLAY="$SCHERMO" xdotool key Return || true
sleep 8
DISPLAY="$SCHERMO" import -window root "$USCITA/zefirante-wine-agenzie.png" || true
finestre=$(DISPLAY="$SCHERMO" xdotool search --onlyvisible --name 'ZEFIRANTE|Agenzi' 2>/dev/null | wc -l)
# The guide travels inside zefirante.exe and is laid into Help by its first start.
if [ "$finestre" -gt 0 ] && [ -f "$APPDATA_U/ZEFIRANTE/ZEFIRANTE/Help/ZEFIRANTE_ISTRUZIONI.pdf" ]; then
    bene "zefirante.exe shows its windows and lays its guide into Help: $USCITA/zefirante-wine-ingresso.png, zefirante-wine-agenzie.png"
else
    male "zefirante.exe shows no window (see $LOG/zefirante.out)"
fi
wineserver -k || true
kill "$XVFB" 2>/dev/null || true

wine "$INST_W\\Disinstalla.exe" /S
wineserver -w
sleep 2
wineserver -w
if [ ! -e "$INST/zefirante.exe" ] && [ ! -e "$INST/Qt6Core.dll" ] &&
   ! wine reg query "$CHIAVE" >/dev/null 2>&1 &&
   ! ls "$C"/users/*/Desktop/ZEFIRANTE.lnk >/dev/null 2>&1 &&
   [ -f "$APPDATA_U/ZEFIRANTE/ZEFIRANTE/DataBase/ZEFIRANTE.db" ]; then
    bene "uninstalled silently: program, shortcuts and registry entry gone, the user's data kept"
else
    male "silent uninstall ($(ls "$INST" 2>&1 | tr '\n' ' '))"
fi

if [ "$ESITO" = 0 ]; then echo "Windows: everything verified"; else echo "Windows: FAILURES above"; fi
exit "$ESITO"
