#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need (only those missing).
# Every package the build uses directly is named here: recommendations are not installed, so a
# package that is only recommended by another (libqt6opengl6-dev, which Qt Charts needs) must be listed.
set -euo pipefail
packages=(
  g++ cmake make pkg-config googletest libgtest-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6opengl6-dev qt6-charts-dev qt6-multimedia-dev
  qt6-pdf-dev
  libgl-dev libgl1-mesa-dev libvulkan-dev
  libsqlcipher-dev libzip-dev libgmime-3.0-dev libcups2-dev
  fonts-liberation2 poppler-utils sqlite3
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  if [[ $(id -u) != 0 ]]; then
    if ! command -v sudo >/dev/null; then
      echo "These packages are missing: ${missing[*]}" >&2
      echo "Install them as root (su -c 'apt-get install ${missing[*]}'), then run this again." >&2
      exit 1
    fi
    sudo=sudo
  fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
