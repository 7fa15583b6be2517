#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Pyra-Lotto need.
# Safe to run again: packages already present are not touched.
set -euo pipefail

# qt6-charts-dev needs the CMake files of Qt OpenGL, which Debian 12 ships in libqt6opengl6-dev
# without qt6-charts-dev depending on it.
packages=(
  build-essential cmake pkg-config ninja-build clang-format
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-image-formats-plugins
  libsqlite3-dev sqlite3
  libzip-dev libpugixml-dev libfreexl-dev
  libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  poppler-utils fonts-dejavu-core xvfb xauth
  qt6-translations-l10n locales
  openbox
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The window tests on the virtual X server run in the players' German locale.
if ! locale -a 2>/dev/null | grep -ci '^de_DE\.utf-\?8$' >/dev/null; then
  $SUDO sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
