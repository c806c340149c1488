#!/bin/sh
# Several zefirante-cli runs saving agencies at the same time into one fresh
# application folder, as scripts of different clerks do on a shared folder.
# Prints how many saves failed and the first distinct error messages.
#
#   bench/concorrenza.sh build/src/cli/zefirante-cli [PROCESSI=6] [SALVATAGGI=50] [wal]
#
# With "wal" the database is switched to write-ahead logging first (it stays
# so in the file), to compare the two journals.
set -u
cli=${1:?percorso di zefirante-cli}
processi=${2:-6}
salvataggi=${3:-50}
journal=${4:-}
cartella=$(mktemp -d)
trap 'rm -rf "$cartella"' EXIT

# The folder is laid in and the database created once, as by the first run of
# the program, so the runs below contend only over saving.
"$cli" --cartella "$cartella" agenzie >/dev/null 2>&1
if [ "$journal" = wal ]; then
    python3 -c 'import sqlite3, sys; sqlite3.connect(sys.argv[1]).execute("PRAGMA journal_mode=WAL")' \
        "$cartella/DataBase/ZEFIRANTE.db"
fi

inizio=$(date +%s.%N)
p=1
while [ "$p" -le "$processi" ]; do
    (
        i=1
        while [ "$i" -le "$salvataggi" ]; do
            # A company's code is 11 digits; each run and save has its own.
            codice=$(printf '%05d%06d' "$p" "$i")
            if ! "$cli" --cartella "$cartella" agenzia --codice "$codice" \
                --ragione-sociale "CAMBI $p $i" --sede-comune ROMA --sede-provincia RM \
                >/dev/null 2>>"$cartella/errori.$p"; then
                echo x >>"$cartella/falliti.$p"
            fi
            i=$((i + 1))
        done
    ) &
    p=$((p + 1))
done
wait
fine=$(date +%s.%N)

falliti=$(cat "$cartella"/falliti.* 2>/dev/null | wc -l)
salvate=$("$cli" --cartella "$cartella" agenzie 2>/dev/null | grep -c '^[0-9]\{11\}' || true)
echo "processi=$processi salvataggi=$((processi * salvataggi)) falliti=$falliti" \
    "agenzie_in_archivio=$salvate secondi=$(echo "$fine - $inizio" | bc)"
cat "$cartella"/errori.* 2>/dev/null | grep -v QStandardPaths | sort | uniq -c | head -5
