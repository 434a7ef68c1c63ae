#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Brightfold needs.
# Quiet and idempotent: apt runs only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6printsupport6 qt6-image-formats-plugins
  libplist-dev libplist-utils libminizip-dev zlib1g-dev libiec16022-dev libpugixml-dev libfontconfig-dev
  libqpdf-dev libcups2-dev
  fonts-liberation fonts-liberation2
  libgtest-dev libgmock-dev libbenchmark-dev libzxing-dev libqrencode-dev
  git clang-format desktop-file-utils
  clang-14 libclang-rt-14-dev
  python3 poppler-utils libtiff-tools xvfb xauth xclip imagemagick xdotool
  python3-openpyxl libreoffice-calc-nogui libreoffice-writer-nogui unzip
  python3-aiosmtpd openssl
  cups cups-client cups-daemon printer-driver-cups-pdf
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
