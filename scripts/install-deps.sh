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
  fonts-liberation2 fonts-dejavu-core poppler-utils sqlite3 locales tzdata
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The locales the tests' second run uses (test.sh), for the tools around it; the tests set their own.
locales=(de_DE.UTF-8 en_GB.UTF-8)
absent=()
for l in "${locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "${l/UTF-8/utf8}" || absent+=("$l")
done
sudo=""
if ((${#missing[@]} + ${#absent[@]})) && [[ $(id -u) != 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "Missing: ${missing[*]} ${absent[*]}" >&2
    echo "As root, install the packages (apt-get install ${missing[*]}) and make the locales (name them in" >&2
    echo "/etc/locale.gen, then run locale-gen); then run this again." >&2
    exit 1
  fi
  sudo=sudo
fi
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if ((${#absent[@]})); then
  echo "Making the locales: ${absent[*]}"
  for l in "${absent[@]}"; do
    # Named in /etc/locale.gen, so that a later locale-gen keeps them.
    grep -qE "^${l//./\\.} UTF-8" /etc/locale.gen 2>/dev/null ||
      echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  done
  $sudo locale-gen >/dev/null
fi
