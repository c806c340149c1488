#!/usr/bin/env bash
# Fuzzes the readers of untrusted files (the backup archive and the sheets of
# the monthly import) under libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, each target for ${1:-60} seconds, one after the
# other. A maintainer's tool, not part of the checks: it installs clang, and
# it keeps one core busy for the whole time.
#   scripts/fuzz.sh          # a minute per target
#   scripts/fuzz.sh 600      # ten minutes per target
# The corpora grow in build-fuzz*/corpus*; a finding is written next to them
# as crash-*, leak-*, timeout-* or oom-*, and the script ends with an error.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDI="${1:-60}"

if ! command -v clang++ >/dev/null || ! dpkg -s libclang-rt-14-dev >/dev/null 2>&1; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get install -y clang libclang-rt-14-dev
fi

costruisci() { # source folder, build folder
    cmake -S "$1" -B "$2" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
    cmake --build "$2" --parallel 2
}

esegui() { # build folder, target, seed folders...
    local cartella="$1" bersaglio="$2"
    shift 2
    mkdir -p "$cartella/corpus-$bersaglio"
    echo "== $bersaglio: $SECONDI s"
    "$cartella/$bersaglio" -max_total_time="$SECONDI" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 \
        -artifact_prefix="$cartella/$bersaglio-" "$cartella/corpus-$bersaglio" "$@"
}

costruisci tests/backup/fuzz build-fuzz
costruisci tests/fogli/fuzz build-fuzz-lettori
build-fuzz-lettori/crea_semi build-fuzz-lettori/semi

# New inputs go to the corpus folder (the first one); the fixtures and the
# seeds are only read.
esegui build-fuzz fuzz_archivio tests/data/backup
esegui build-fuzz-lettori fuzz_csv build-fuzz-lettori/semi/csv
esegui build-fuzz-lettori fuzz_xlsx build-fuzz-lettori/semi/xlsx
esegui build-fuzz-lettori fuzz_xls tests/data/fogli
esegui build-fuzz-lettori fuzz_xml build-fuzz-lettori/semi/xml
