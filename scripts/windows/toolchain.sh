#!/usr/bin/env bash
# Builds, once, everything needed to cross-compile ZEFIRANTE for 64-bit Windows on Debian 12:
#   - MinGW-w64 (Debian's packages, posix thread model),
#   - Qt 6.4.2 for x86_64-w64-mingw32, from Debian's qt6-base source package,
#   - zlib (Debian's libz-mingw-w64-dev), minizip, expat and SQLite from their Debian source
#     packages, GoogleTest from the sources Debian's googletest package installs,
#   - Qt's Italian translation (qtbase_it.qm).
# The packages are then written by pacchetto.sh and verified under Wine by verifica.sh.
# Nothing is downloaded from anywhere but the Debian archive this machine already uses.
#
# Usage (as root, or through sudo for the apt steps):
#   bash scripts/windows/toolchain.sh [--prefisso DIR]
#   ZEFIRANTE_WIN=DIR bash scripts/windows/toolchain.sh
# DIR defaults to /opt/zefirante-win and ends up holding:
#   qt6/         Qt for Windows (bin/*.dll, plugins/, lib/cmake/Qt6*)
#   deps/        minizip, expat, SQLite and GoogleTest for Windows (lib/pkgconfig, lib/cmake)
#   traduzioni/  qtbase_it.qm
#   src/ build/  Debian sources and build trees (may be deleted once everything is stamped)
#   log/         one log per step; .stamps/ one file per finished step
# The script is idempotent: a step whose stamp exists is skipped, so rerunning it after a
# failure (or after deleting one stamp, e.g. .stamps/qt6-build) redoes only what is missing.
# The Qt step takes one to two hours on two cores; run it in the background if needed:
#   nohup bash scripts/windows/toolchain.sh > /tmp/zefirante-win.log 2>&1 &
#
# Then build the program for Windows with the same toolchain file:
#   cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE=Release \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/windows/mingw-w64-x86_64.cmake -DZEFIRANTE_WIN=DIR \
#         -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
# The toolchain file points pkg-config (PKG_CONFIG_LIBDIR) at DIR/deps/lib/pkgconfig and the
# MinGW sysroot, and CMAKE_PREFIX_PATH at DIR/qt6 and DIR/deps, so pkg_check_modules(minizip),
# find_package(EXPAT), find_package(ZLIB) and find_package(Qt6) find the Windows builds.
# At run time the .exe needs the Qt DLLs and plugins, libexpat-1.dll, libsqlite3-0.dll,
# zlib1.dll and the MinGW runtime beside it (minizip and GoogleTest are linked in statically):
# pacchetto.sh finds them by following every DLL import.
#
# Options: --prefisso DIR   where to build (overrides $ZEFIRANTE_WIN)
#          --jobs N         parallel compile jobs (default 2: other builds keep priority)
set -euo pipefail

REPO="$(cd "$(dirname "$0")/../.." && pwd)"
TOOLCHAIN_FILE="$REPO/cmake/windows/mingw-w64-x86_64.cmake"
PREFIX="${ZEFIRANTE_WIN:-/opt/zefirante-win}"
JOBS=2
TRIPLET=x86_64-w64-mingw32
# Debian's host Qt: its moc, rcc and uic (in /usr/lib/qt6/libexec) generate code for the
# Windows build, and its CMake packages live in the multiarch folder, not in /usr/lib/cmake
# where a cross Qt looks by default.
HOST_QT_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake

while [ $# -gt 0 ]; do
    case "$1" in
        --prefisso) PREFIX="$2"; shift 2 ;;
        --prefisso=*) PREFIX="${1#*=}"; shift ;;
        --jobs) JOBS="$2"; shift 2 ;;
        --jobs=*) JOBS="${1#*=}"; shift ;;
        -h|--help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
        *) echo "unknown option: $1 (see --help)" >&2; exit 2 ;;
    esac
done
case "$PREFIX" in /*) ;; *) PREFIX="$(pwd)/$PREFIX" ;; esac

STAMPS="$PREFIX/.stamps"
LOGS="$PREFIX/log"
SRC="$PREFIX/src"
BUILD="$PREFIX/build"
DEPS="$PREFIX/deps"
QT_PREFIX="$PREFIX/qt6"
mkdir -p "$STAMPS" "$LOGS" "$SRC" "$BUILD"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
# Long compiles run at the lowest priority so that interactive work and other builds on the
# same two cores are not slowed down.
NICE="nice -n 19"
# Everything compiled here goes through the shared ccache when it is installed (the toolchain
# file enables it as compiler launcher).
export ZEFIRANTE_WIN="$PREFIX"

# step NAME DESCRIPTION FUNCTION: runs FUNCTION unless .stamps/NAME exists, logs its output to
# log/NAME.log, prints how long it took and stamps it only when it succeeded.
step() {
    local name="$1" desc="$2" fn="$3" start end
    if [ -f "$STAMPS/$name" ]; then
        echo "== $desc: already done ($(cat "$STAMPS/$name"))"
        return 0
    fi
    echo "== $desc: started $(date '+%H:%M:%S'), log $LOGS/$name.log"
    start=$(date +%s)
    # Not "if ! (...)": bash ignores errexit inside a command tested by if, ! or ||, and a
    # failing command in the middle of a step would go unnoticed.
    local rc=0
    set +e
    ( set -euo pipefail; "$fn" ) >"$LOGS/$name.log" 2>&1
    rc=$?
    set -e
    if [ "$rc" -ne 0 ]; then
        end=$(date +%s)
        echo "!! $desc: FAILED after $(duration $((end - start))); last lines of $LOGS/$name.log:" >&2
        tail -n 30 "$LOGS/$name.log" >&2
        exit 1
    fi
    end=$(date +%s)
    echo "$(duration $((end - start))) on $(date '+%Y-%m-%d %H:%M')" >"$STAMPS/$name"
    echo "== $desc: done in $(duration $((end - start)))"
}
duration() { printf '%dh%02dm%02ds' $(($1 / 3600)) $(($1 % 3600 / 60)) $(($1 % 60)); }

# ---------------------------------------------------------------------------------------
# 1. Compiler and host tools.
step_packages() {
    local pkgs=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                libz-mingw-w64-dev dpkg-dev cmake ninja-build pkg-config perl tcl
                libgtest-dev libgmock-dev nsis
                autoconf automake libtool
                qt6-base-dev qt6-base-dev-tools qt6-translations-l10n)
    local missing=() p
    for p in "${pkgs[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        $SUDO apt-get update
        $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
    fi
    # The program needs C++20 and std::thread: check both on the compiler now rather than
    # an hour into the Qt build.
    local t; t=$(mktemp -d)
    printf '#include <thread>\n#include <span>\nint main(){int r=1;std::thread th([&]{r=0;});th.join();std::span<int> s(&r,1);return s[0];}\n' >"$t/p.cpp"
    $TRIPLET-g++-posix -std=c++20 -O2 "$t/p.cpp" -o "$t/p.exe"
    $TRIPLET-g++-posix -v 2>&1 | grep -E '^(Thread model|gcc version)'
    rm -rf "$t"
}

# ---------------------------------------------------------------------------------------
# 2. deb-src entries for the archive and suites this machine already uses, so that
#    "apt-get source" works. Read from sources.list (one-line format) and from
#    sources.list.d/*.list and *.sources (deb822); only suites of this release are kept, so
#    third-party repositories without sources are left out.
debsrc_entries() {
    local codename f
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        case "$f" in
            */zefirante-deb-src.sources) ;;
            *.sources) awk -v cn="$codename" '
function flush(   n, s, i, keep) {
    if (types ~ /(^|[ \t])deb([ \t]|$)/ && enabled != "no" && uris != "") {
        n = split(suites, s, /[ \t]+/); keep = ""
        for (i = 1; i <= n; i++)
            if (s[i] == cn || index(s[i], cn "-") == 1) keep = keep (keep == "" ? "" : " ") s[i]
        if (keep != "") {
            printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n", uris, keep, comps
            if (signed != "") printf "Signed-By: %s\n", signed
            printf "\n"
        }
    }
    types = uris = suites = comps = signed = enabled = ""
}
/^[ \t]*#/ { next }
/^[ \t]*$/ { flush(); next }
{
    key = tolower($0); sub(/:.*/, "", key); val = $0; sub(/^[^:]*:[ \t]*/, "", val)
    if (key == "types") types = val; else if (key == "uris") uris = val
    else if (key == "suites") suites = val; else if (key == "components") comps = val
    else if (key == "signed-by") signed = val; else if (key == "enabled") enabled = tolower(val)
}
END { flush() }' "$f" ;;
            *) awk -v cn="$codename" '
/^[ \t]*deb[ \t]/ {
    line = $0; signed = ""
    if (match(line, /\[[^]]*\]/)) {
        opts = substr(line, RSTART + 1, RLENGTH - 2)
        line = substr(line, 1, RSTART - 1) substr(line, RSTART + RLENGTH)
        if (match(opts, /signed-by=[^ \t]+/)) signed = substr(opts, RSTART + 10, RLENGTH - 10)
    }
    n = split(line, w, /[ \t]+/); if (w[1] == "") { for (i = 1; i < n; i++) w[i] = w[i + 1]; n-- }
    comps = ""; for (i = 4; i <= n; i++) comps = comps (comps == "" ? "" : " ") w[i]
    if (w[3] == cn || index(w[3], cn "-") == 1) {
        printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n", w[2], w[3], comps
        if (signed != "") printf "Signed-By: %s\n", signed
        printf "\n"
    }
}' "$f" ;;
        esac
    done
}
step_debsrc() {
    local target=/etc/apt/sources.list.d/zefirante-deb-src.sources entries
    if apt-get source --print-uris qt6-base >/dev/null 2>&1; then
        echo "apt already knows source packages"
    else
        entries=$(debsrc_entries)
        if [ -z "$entries" ]; then
            echo "no Debian archive entry found in /etc/apt/sources.list*" >&2
            return 1
        fi
        printf '# deb-src entries added by ZEFIRANTE scripts/windows/toolchain.sh\n%s\n' "$entries" \
            | $SUDO tee "$target"
        $SUDO apt-get update
    fi
    apt-get source --print-uris qt6-base minizip expat | grep -c "\.dsc'"
}

# ---------------------------------------------------------------------------------------
# 3. Debian source packages. dpkg-source applies Debian's patches on extraction.
#    libminizip-dev comes from the "minizip" source package (not from zlib's contrib/).
#    sqlite3 is needed because Debian's qt6-base tarball is repacked (+dfsg) without Qt's
#    bundled src/3rdparty/sqlite, and because the program links SQLite itself.
#    The newest version is tried first; when the archive lists a version whose files it does
#    not actually serve (seen with bookworm-security's expat: the index names 2.5.0-1+deb12u5
#    but its .dsc answers 404), the next older version from the same archive is used.
fetch_source() {
    local p="$1" v
    for v in $(apt-cache showsrc --only-source "$p" | sed -n 's/^Version: //p' | sort -V -r -u); do
        rm -f "$SRC/$p"_*.dsc "$SRC/$p"_*.debian.tar.* "$SRC/$p"_*.diff.gz
        if apt-get source --only-source "$p=$v"; then
            echo "$p: using source version $v"
            return 0
        fi
        echo "$p: version $v could not be fetched, trying an older one" >&2
    done
    echo "$p: no source version could be fetched" >&2
    return 1
}
step_sources() {
    cd "$SRC"
    local p
    for p in qt6-base minizip expat sqlite3; do
        if ! ls -d "$SRC/$p"-*/ >/dev/null 2>&1; then
            fetch_source "$p"
        fi
    done
    ls -d "$SRC"/*/
}
srcdir() { ls -d "$SRC/$1"-*/ | head -n 1 | sed 's,/$,,'; }

# Common CMake arguments for everything built for Windows here.
cross_cmake() {
    $NICE cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" -DZEFIRANTE_WIN="$PREFIX" \
        -DCMAKE_BUILD_TYPE=Release "$@"
}

# ---------------------------------------------------------------------------------------
# 4. expat, shared, with its CMake config (find_package(EXPAT) finds it through
#    CMAKE_PREFIX_PATH) and expat.pc.
step_expat() {
    local s b="$BUILD/expat"
    s=$(srcdir expat)
    # The Debian package keeps the sources in expat/ below the top folder.
    [ -f "$s/CMakeLists.txt" ] || s="$s/expat"
    rm -rf "$b"
    cross_cmake -S "$s" -B "$b" -DCMAKE_INSTALL_PREFIX="$DEPS" \
        -DEXPAT_SHARED_LIBS=ON -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
        -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_FUZZERS=OFF
    # Debian's security patch expat-2.5.0-CVE-2024-8176.patch (a backport from expat 2.7)
    # tests "#if XML_DTD == 1". Debian builds expat with autotools, whose config.h says
    # "#define XML_DTD 1"; expat's own CMake header says "#define XML_DTD" with no value, and
    # the patched xmlparse.c then fails to compile ("operator '==' has no left operand").
    # Give the macro the value autotools gives it.
    sed -i 's/^#define XML_DTD[[:space:]]*$/#define XML_DTD 1/' "$b/expat_config.h"
    grep -n '^#define XML_DTD' "$b/expat_config.h"
    $NICE cmake --build "$b" --parallel "$JOBS"
    cmake --install "$b"
    ls "$DEPS"/bin/libexpat*.dll "$DEPS"/lib/pkgconfig/expat.pc
}

# ---------------------------------------------------------------------------------------
# 5. minizip, static (libtool makes no MinGW DLL of it without -no-undefined), against Debian's
#    MinGW zlib. The source package builds with autotools; its configure writes minizip.pc.
step_minizip() {
    local s b="$BUILD/minizip"
    s=$(srcdir minizip)
    rm -rf "$b"; cp -a "$s" "$b"; cd "$b"
    [ -x configure ] || $NICE autoreconf -fi
    CFLAGS="-O2" $NICE ./configure --host=$TRIPLET --prefix="$DEPS" \
        --disable-shared --enable-static CC=$TRIPLET-gcc-posix \
        CPPFLAGS="-I/usr/$TRIPLET/include" LDFLAGS="-L/usr/$TRIPLET/lib"
    $NICE make -j"$JOBS"
    make install
    ls "$DEPS"/lib/libminizip.a "$DEPS"/lib/pkgconfig/minizip.pc
}

# ---------------------------------------------------------------------------------------
# 6. SQLite, one shared libsqlite3-0.dll used both by Qt's SQLite driver and by the program
#    (one copy of SQLite in the process, one set of locks on the database file). Debian's
#    source is SQLite's full tree, not the single-file amalgamation: generate sqlite3.c with
#    the host compiler and tclsh (its generators are host programs), then cross-compile that.
step_sqlite3() {
    local s b="$BUILD/sqlite3" version
    s=$(srcdir sqlite3)
    rm -rf "$b"; mkdir -p "$b/host"
    ( cd "$b/host" && $NICE "$s/configure" --disable-tcl >/dev/null && $NICE make sqlite3.c sqlite3.h )
    version=$(sed -n 's/^#define SQLITE_VERSION *"\(.*\)"/\1/p' "$b/host/sqlite3.h")
    # The same compile-time options Qt uses for its bundled copy, plus the thread-safe
    # default (the program reads on worker threads).
    local defs=(-DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_ENABLE_FTS3
                -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_FTS5 -DSQLITE_ENABLE_RTREE
                -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_OMIT_LOAD_EXTENSION)
    cd "$b"
    $NICE $TRIPLET-gcc-posix -O2 "${defs[@]}" -c host/sqlite3.c -o sqlite3.o
    # MinGW exports every global symbol of a DLL built without __declspec(dllexport).
    $TRIPLET-gcc-posix -shared -o libsqlite3-0.dll sqlite3.o \
        -Wl,--out-implib,libsqlite3.dll.a -static-libgcc
    $TRIPLET-ar rcs libsqlite3.a sqlite3.o
    mkdir -p "$DEPS/bin" "$DEPS/lib/pkgconfig" "$DEPS/include"
    install -m 644 host/sqlite3.h "$s/src/sqlite3ext.h" "$DEPS/include/"
    install -m 755 libsqlite3-0.dll "$DEPS/bin/"
    install -m 644 libsqlite3.dll.a libsqlite3.a "$DEPS/lib/"
    cat >"$DEPS/lib/pkgconfig/sqlite3.pc" <<PC
prefix=$DEPS
exec_prefix=\${prefix}
libdir=\${exec_prefix}/lib
includedir=\${prefix}/include

Name: SQLite
Description: SQL database engine
Version: $version
Libs: -L\${libdir} -lsqlite3
Cflags: -I\${includedir}
PC
    echo "SQLite $version"
}

# ---------------------------------------------------------------------------------------
# 6b. GoogleTest for the Windows test programs, static, from the sources Debian's googletest
#     package installs in /usr/src/googletest (the same version the Linux tests use).
step_googletest() {
    local b="$BUILD/googletest"
    rm -rf "$b"
    cross_cmake -S /usr/src/googletest -B "$b" -DCMAKE_INSTALL_PREFIX="$DEPS" \
        -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
    $NICE cmake --build "$b" --parallel "$JOBS"
    cmake --install "$b"
    ls "$DEPS"/lib/libgtest.a "$DEPS"/lib/libgmock.a "$DEPS"/lib/cmake/GTest/GTestConfig.cmake
}

# ---------------------------------------------------------------------------------------
# 7. Qt 6.4.2 for Windows: only the modules the program uses (Core, Gui, Widgets, Sql with
#    the SQLite driver, PrintSupport, Test), the windows platform plugin and the
#    windowsvista style; no OpenGL, no D-Bus, no network, no tests or examples.
# Debian's +dfsg tarball drops src/3rdparty/wintab (its licence forbids modification), so
# the windows platform plugin cannot build its Wintab tablet support. The plugin is built
# without it, only when wintab.h is missing; pen input through Windows' own pointer messages
# stays. Idempotent: run again on an already patched tree, it changes nothing.
patch_qt6_wintab() {
    local p d
    p="$(srcdir qt6-base)/src/plugins/platforms"
    [ -f "$p/../../3rdparty/wintab/wintab.h" ] && return 0
    d="$p/windows"
    # The direct2d plugin compiles the windows plugin's sources again, with its own list.
    for f in "$d/CMakeLists.txt" "$p/direct2d/CMakeLists.txt"; do
        grep -q 'ZEFIRANTE_NO_WINTAB' "$f" && continue
        sed -i 's/^\(qt_internal_extend_target(QWindows[A-Za-z0-9]*IntegrationPlugin CONDITION QT_FEATURE_tabletevent\)$/\1 AND NOT ZEFIRANTE_NO_WINTAB/' "$f"
        sed -i '1i set(ZEFIRANTE_NO_WINTAB ON)\nadd_compile_definitions(ZEFIRANTE_NO_WINTAB)' "$f"
        grep -q 'AND NOT ZEFIRANTE_NO_WINTAB' "$f"
    done
    grep -q 'ZEFIRANTE_NO_WINTAB' "$d/qwindowscontext.cpp" && return 0
    sed -i 's/^#if QT_CONFIG(tabletevent)$/#if QT_CONFIG(tabletevent) \&\& !defined(ZEFIRANTE_NO_WINTAB)/' \
        "$d/qwindowscontext.cpp"
    sed -i '/^#if QT_CONFIG(tabletevent)$/{N;s/^#if QT_CONFIG(tabletevent)\n#  include "qwindowstabletsupport.h"/#if QT_CONFIG(tabletevent) \&\& !defined(ZEFIRANTE_NO_WINTAB)\n#  include "qwindowstabletsupport.h"/}' \
        "$d/qwindowspointerhandler.cpp"
}
step_qt6_configure() {
    local s b="$BUILD/qt6"
    s=$(srcdir qt6-base)
    patch_qt6_wintab
    rm -rf "$b"
    cross_cmake -S "$s" -B "$b" \
        -DCMAKE_INSTALL_PREFIX="$QT_PREFIX" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$HOST_QT_CMAKE_DIR" \
        -DBUILD_SHARED_LIBS=ON \
        -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF \
        -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_dbus=OFF -DFEATURE_vulkan=OFF \
        -DFEATURE_network=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
        -DFEATURE_sql=ON -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=ON \
        -DSQLite3_INCLUDE_DIR="$DEPS/include" -DSQLite3_LIBRARY="$DEPS/lib/libsqlite3.dll.a" \
        -DFEATURE_androiddeployqt=OFF \
        -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF \
        -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF -DFEATURE_sql_ibase=OFF \
        -DFEATURE_printsupport=ON -DFEATURE_testlib=ON \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
        -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
        -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF \
        -DFEATURE_system_md4c=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF
    grep -E '^(QT_FEATURE_(sql_sqlite|opengl|dbus|printsupport|testlib|style_windowsvista|thread)):' "$b/CMakeCache.txt" || true
}
step_qt6_build() {
    patch_qt6_wintab
    $NICE cmake --build "$BUILD/qt6" --parallel "$JOBS"
}
step_qt6_install() {
    cmake --install "$BUILD/qt6"
    ls "$QT_PREFIX"/bin/Qt6*.dll "$QT_PREFIX"/plugins/*/
}

# ---------------------------------------------------------------------------------------
# 8. Qt's own Italian strings (standard dialogs, buttons), shipped by Debian.
step_translations() {
    local qm
    qm=$(dpkg -L qt6-translations-l10n | grep '/qtbase_it\.qm$' | head -n 1)
    [ -n "$qm" ] || { echo "qtbase_it.qm not found in qt6-translations-l10n" >&2; return 1; }
    mkdir -p "$PREFIX/traduzioni"
    cp -v "$qm" "$PREFIX/traduzioni/"
}

# The whole run is one function called on the script's last line: bash reads a script while
# it runs it, so editing the file during the two-hour Qt build would otherwise make the
# running copy execute whatever lands at its old read offset.
main() {
    echo "Windows cross toolchain in $PREFIX"
    total_start=$(date +%s)
    step packages     "MinGW-w64 and host packages"        step_packages
    step debsrc       "deb-src entries"                    step_debsrc
    step sources      "Debian source packages"             step_sources
    step expat        "expat for Windows"                  step_expat
    step minizip      "minizip for Windows"                step_minizip
    step sqlite3      "SQLite for Windows"                 step_sqlite3
    step googletest   "GoogleTest for Windows"             step_googletest
    step qt6-configure "Qt 6 for Windows: configure"       step_qt6_configure
    step qt6-build    "Qt 6 for Windows: build"            step_qt6_build
    step qt6-install  "Qt 6 for Windows: install"          step_qt6_install
    step translations "Qt Italian translation"             step_translations
    echo "All done in $(duration $(( $(date +%s) - total_start ))); $(du -sh "$PREFIX" | cut -f1) in $PREFIX"
}
main "$@"; exit $?
