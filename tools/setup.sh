#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Varnok need.
# Idempotent: packages already present are left alone. Runs as root (or via sudo).
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-qpa-plugins qt6-translations-l10n
  libgl-dev
  googletest libgtest-dev libbenchmark-dev
  cups cups-client cups-bsd printer-driver-cups-pdf libcups2-dev
  xvfb xauth poppler-utils
  fonts-liberation2 fonts-dejavu-core fontconfig
  desktop-file-utils appstream dpkg-dev
  clang libclang-rt-14-dev
  # Real printer drivers for the printing tests' queues
  openprinting-ppds printer-driver-hpcups
  # The package check and the translations of Qt's dialogs
  lintian qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools
  # The core built for Windows and its tests run under Wine
  mingw-w64 g++-mingw-w64-x86-64-posix wine64
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
