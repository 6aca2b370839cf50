#!/usr/bin/env bash
# Installs what building, running and testing need, from Debian 12's packages.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  build-essential cmake ninja-build pkg-config git \
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev libglx-dev \
  libsqlite3-dev libcurl4-openssl-dev libssl-dev \
  googletest libgtest-dev libgmock-dev \
  xvfb xauth fonts-dejavu-core ca-certificates rsync clang-format xdg-utils imagemagick \
  dosfstools fusefat ccache >/dev/null
