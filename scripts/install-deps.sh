#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing pvstim need.
# Only what is missing is installed, so a second run costs a few dpkg queries.
set -euo pipefail

packages=(
  cmake g++ make pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-liberation fontconfig
  xvfb xdotool x11-utils x11-xserver-utils imagemagick openbox
  dbus procps python3
  libxcb1-dev
  qt6-translations-l10n locales
  desktop-file-utils appstream lintian man-db dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests start the program in a Russian locale to see Qt's dialogs translated.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
  echo "Generating the ru_RU.UTF-8 locale"
  $sudo localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
