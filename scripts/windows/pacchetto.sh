#!/usr/bin/env bash
# Builds ZEFIRANTE for 64-bit Windows and writes its two packages into the output folder:
#   ZEFIRANTE-<versione>-win64.zip   a portable folder: both programs, the Qt and MinGW DLLs,
#                                    the plugins, the Help files and a configurazione.ini
#                                    (PCDirF=PGM) that keeps the database inside the folder;
#   ZEFIRANTE-<versione>-setup.exe   an installer (NSIS) for the current user, without
#                                    administrator rights, into %LOCALAPPDATA%\Programs\ZEFIRANTE.
#
# Usage: bash scripts/windows/pacchetto.sh [--uscita DIR] [--prefisso DIR]
#   --uscita DIR     where the packages go (default: dist/ in the repository)
#   --prefisso DIR   the cross toolchain (default $ZEFIRANTE_WIN or /opt/zefirante-win); it is
#                    built or completed first by toolchain.sh
# Environment: ZEFIRANTE_BUILD (native build, default build/), ZEFIRANTE_BUILD_WIN (Windows
# build, default build-win/).
#
# The user guide is rendered by the native build (it draws the real windows, which needs a
# Qt program that runs here) and carried by the Windows build as it is.
set -euo pipefail

source "$(dirname "$0")/comune.sh"
leggi_opzioni "$0" "$@"

bash "$REPO/scripts/windows/toolchain.sh" --prefisso "$PREFIX"

# 1. The guide and the icon, from the native build.
if [ ! -f "$NATIVO/CMakeCache.txt" ]; then
    cmake -S "$REPO" -B "$NATIVO" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$NATIVO" --target zefirante zefirante-icona
GUIDA="$NATIVO/src/app/guida/ZEFIRANTE_ISTRUZIONI.pdf"
[ -f "$GUIDA" ] || { echo "the native build wrote no $GUIDA" >&2; exit 1; }
# The icon of the executables, drawn by the same code that draws the windows' icon.
mkdir -p "$WIN"
ICONA="$WIN/zefirante.ico"
"$NATIVO/tools/zefirante-icona" "$ICONA"

# 2. The Windows build: programs, tests and benchmarks, warnings as errors as on Linux.
cmake -S "$REPO" -B "$WIN" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$REPO/cmake/windows/mingw-w64-x86_64.cmake" \
    -DZEFIRANTE_WIN="$PREFIX" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DZEFIRANTE_GUIDA=OFF -DZEFIRANTE_GUIDA_PDF="$GUIDA" -DZEFIRANTE_ICONA_ICO="$ICONA" \
    -DZEFIRANTE_PORTATILE=ON
cmake --build "$WIN" --parallel "$(nproc)"

# 3. The portable folder.
LAVORO="$WIN/pacchetto"
CARTELLA="$LAVORO/ZEFIRANTE-$VERSIONE"
rm -rf "$LAVORO"
mkdir -p "$CARTELLA"
DESTDIR="" cmake --install "$WIN" --prefix "$LAVORO/installato" >/dev/null
cp -a "$LAVORO/installato/bin/." "$CARTELLA/"
cp -a "$LAVORO/installato/share/doc/zefirante/README.md" "$CARTELLA/LEGGIMI.md"
"$TRIPLET-strip" "$CARTELLA"/*.exe

# Plugins: the platform (windows; offscreen for zefirante-cli, which prints without a window),
# the native style, the SQLite driver, the image formats of the printed lists' logos.
for p in platforms/qwindows.dll platforms/qoffscreen.dll styles/qwindowsvistastyle.dll \
         sqldrivers/qsqlite.dll imageformats/qico.dll imageformats/qjpeg.dll imageformats/qgif.dll; do
    mkdir -p "$CARTELLA/$(dirname "$p")"
    cp "$PREFIX/qt6/plugins/$p" "$CARTELLA/$p"
done
mkdir -p "$CARTELLA/translations"
cp "$PREFIX/traduzioni/qtbase_it.qm" "$CARTELLA/translations/"

# The DLLs every .exe and plugin imports, followed recursively, from the folders of this
# toolchain. A DLL found in none of them must be Windows' own; anything else stops the script.
di_sistema() {
    case "${1,,}" in
        kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|ole32.dll|oleaut32.dll|\
        comdlg32.dll|winspool.drv|ws2_32.dll|shlwapi.dll|version.dll|winmm.dll|imm32.dll|\
        dwmapi.dll|uxtheme.dll|netapi32.dll|userenv.dll|mpr.dll|setupapi.dll|wtsapi32.dll|\
        msvcrt.dll|comctl32.dll|d3d9.dll|d3d11.dll|d3d12.dll|dxgi.dll|dwrite.dll|d2d1.dll|\
        authz.dll|bcrypt.dll|crypt32.dll|secur32.dll|iphlpapi.dll|ntdll.dll|shcore.dll|\
        api-ms-win-*|ext-ms-win-*) return 0 ;;
    esac
    return 1
}
declare -A visti=()
aggiungi_dipendenze() {
    local file="$1" dll d trovato
    for dll in $("$TRIPLET-objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
        [ -n "${visti[${dll,,}]:-}" ] && continue
        visti[${dll,,}]=1
        trovato=""
        for d in "${CARTELLE_DLL[@]}"; do
            if [ -f "$d/$dll" ]; then trovato="$d/$dll"; break; fi
        done
        if [ -n "$trovato" ]; then
            cp "$trovato" "$CARTELLA/"
            aggiungi_dipendenze "$CARTELLA/$dll"
        elif ! di_sistema "$dll"; then
            echo "$file needs $dll, found neither in the toolchain nor among Windows' DLLs" >&2
            exit 1
        fi
    done
}
while IFS= read -r f; do aggiungi_dipendenze "$f"; done \
    < <(find "$CARTELLA" -name '*.exe' -o -name '*.dll' | sort)
# The DLLs of Debian's MinGW runtime keep their debugging sections (libstdc++ is 23 MB with
# them, 2 MB without).
find "$CARTELLA" -name '*.dll' -exec "$TRIPLET-strip" --strip-unneeded {} +

# 4. The zip: the folder with its configurazione.ini (a portable installation).
ZIP="$USCITA/ZEFIRANTE-$VERSIONE-win64.zip"
rm -f "$ZIP"
( cd "$LAVORO" && cmake -E tar cf "$ZIP" --format=zip "ZEFIRANTE-$VERSIONE" )

# 5. The installer: the same files without configurazione.ini, so the installed program keeps
#    its data in the user's %APPDATA% folder. The uninstaller removes exactly the files
#    installed (listed here), never the user's data.
INSTALLA="$LAVORO/installatore"
cp -a "$CARTELLA" "$INSTALLA"
rm -f "$INSTALLA/configurazione.ini"
ELENCO="$LAVORO/file-installati.nsh"
(
    cd "$INSTALLA"
    find . -type f | sort | sed 's,^\./,,; s,/,\\,g; s,.*,  Delete "$INSTDIR\\&",'
    find . -mindepth 1 -type d | sort -r | sed 's,^\./,,; s,/,\\,g; s,.*,  RMDir "$INSTDIR\\&",'
) >"$ELENCO"
SETUP="$USCITA/ZEFIRANTE-$VERSIONE-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 \
    "-DVERSIONE=$VERSIONE" "-DSORGENTE=$INSTALLA" "-DELENCO=$ELENCO" "-DUSCITA=$SETUP" \
    "-DICONA=$ICONA" \
    "$REPO/scripts/windows/zefirante.nsi"

ls -l "$ZIP" "$SETUP"
