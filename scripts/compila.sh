#!/usr/bin/env bash
# Configures and builds ZEFIRANTE in build/ (or $ZEFIRANTE_BUILD). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${ZEFIRANTE_BUILD:-build}"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE="${ZEFIRANTE_CONFIG:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$BUILD" --parallel "$(nproc)"
