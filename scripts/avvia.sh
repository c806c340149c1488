#!/usr/bin/env bash
# From a fresh Debian 12 machine: install, build and start ZEFIRANTE.
# Arguments go to the program (for example: --cartella /tmp/prova).
# Without a display set QT_QPA_PLATFORM=offscreen, or run it under xvfb-run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa-dipendenze.sh
bash scripts/compila.sh
exec "${ZEFIRANTE_BUILD:-build}/src/app/zefirante" "$@"
