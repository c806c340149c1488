#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and running ZEFIRANTE needs.
# Run as root (or through sudo) on a fresh machine.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
    build-essential cmake ninja-build ccache pkg-config git \
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libqt6sql6-sqlite libgl-dev \
    libminizip-dev libexpat1-dev zlib1g-dev \
    libgtest-dev libgmock-dev \
    poppler-utils xvfb xauth fonts-dejavu-core \
    >/dev/null
