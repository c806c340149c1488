#!/usr/bin/env bash
# From a fresh Debian 12 machine: install, build and run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa-dipendenze.sh
bash scripts/compila.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${ZEFIRANTE_BUILD:-build}" --output-on-failure --parallel "$(nproc)" --timeout 300
