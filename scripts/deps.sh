#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the tests and the program need.
# Runs apt-get only when something is missing, so repeated runs are quick.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev libgl-dev libxcb1-dev qt6-translations-l10n locales
  zlib1g-dev libexif-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fonts-wqy-microhei fonts-noto-cjk fontconfig libfontconfig-dev
  xvfb xdotool imagemagick x11-utils openbox icewm
  dbus-daemon at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-gi
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev man-db lintian
  stress-ng
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The Chinese locale, for the tests that run the window as a Chinese user:
# without it Qt cannot write the window's title in the locale's encoding.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf-\?8'; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
