# Shared by pacchetto.sh and verifica.sh (sourced, not run): the folders both work on, the
# program's version and the options both accept. A script sets OPZIONE_IN_PIU to a function
# that takes its own options (it returns how many words it used, 0 when the word is not its).
REPO="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
PREFIX="${ZEFIRANTE_WIN:-/opt/zefirante-win}"
USCITA="$REPO/dist"
NATIVO="${ZEFIRANTE_BUILD:-$REPO/build}"
WIN="${ZEFIRANTE_BUILD_WIN:-$REPO/build-win}"
TRIPLET=x86_64-w64-mingw32

VERSIONE=$(sed -n 's/^project(zefirante VERSION \([0-9.]*\).*/\1/p' "$REPO/CMakeLists.txt")
[ -n "$VERSIONE" ] || { echo "version not found in CMakeLists.txt" >&2; exit 1; }

# leggi_opzioni "$0" "$@": --uscita DIR, --prefisso DIR, --help, and the script's own.
leggi_opzioni() {
    local script="$1" n
    shift
    while [ $# -gt 0 ]; do
        case "$1" in
            --uscita) USCITA="$2"; shift 2 ;;
            --prefisso) PREFIX="$2"; shift 2 ;;
            -h|--help) sed -n '2,/^set -euo/p' "$script" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
            *)
                n=0
                if [ -n "${OPZIONE_IN_PIU:-}" ]; then "$OPZIONE_IN_PIU" "$@" || n=$?; fi
                [ "$n" -gt 0 ] || { echo "opzione sconosciuta: $1 (vedi --help)" >&2; exit 2; }
                shift "$n" ;;
        esac
    done
    mkdir -p "$USCITA"
    USCITA="$(cd "$USCITA" && pwd)"
    export ZEFIRANTE_WIN="$PREFIX"
    # Where the Windows DLLs are: Qt and the libraries built by toolchain.sh, Debian's MinGW
    # zlib and winpthreads, and the MinGW C++ runtime of the newest posix compiler.
    CARTELLE_DLL=("$PREFIX/qt6/bin" "$PREFIX/deps/bin" "/usr/$TRIPLET/bin" "/usr/$TRIPLET/lib"
                  "$(ls -d /usr/lib/gcc/$TRIPLET/*-posix | sort -V | tail -n 1)")
}
