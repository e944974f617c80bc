#!/usr/bin/env bash
# Installs the Debian packages pvstim needs. With "run" (the default): what building
# and running the program need. With "test": that and what the tests, benchmarks,
# fuzzers and the package build need. Only what is missing is installed, so a second
# run costs a few dpkg queries.
set -euo pipefail

run_packages=(
  cmake g++ make pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg-dev libxcb1-dev
  # Qt's own dialogs in the user's language.
  qt6-translations-l10n
  # The X server's own screen saver is held off during a run.
  libx11-dev libxss-dev
  # The pointer's raw motion (XInput 2): a pointer that has not moved is not asked for.
  libxi-dev
  # Qt6::OpenGL (the frame-locked flicker); Debian keeps its CMake files apart.
  libqt6opengl6-dev
  fonts-liberation fontconfig
  # A virtual display for machines without one (`make run` then takes a screenshot).
  xvfb openbox x11-utils imagemagick
  dbus
)
test_packages=(
  libgtest-dev libbenchmark-dev
  clang libclang-rt-dev
  xdotool x11-xserver-utils
  procps python3 locales
  # A screen-saver service on a private session bus.
  python3-dbus python3-gi
  # The package and the checks of the installed files.
  desktop-file-utils appstream lintian man-db dpkg-dev file
  # A window manager's close request sent to a window.
  wmctrl
)

mode=${1:-run}
packages=("${run_packages[@]}")
case "$mode" in
  run) ;;
  test) packages+=("${test_packages[@]}") ;;
  *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

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
if [ "$mode" = test ] && ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
  echo "Generating the ru_RU.UTF-8 locale"
  $sudo localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
