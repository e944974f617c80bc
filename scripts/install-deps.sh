#!/usr/bin/env bash
# Installs the Debian packages pvstim needs. With "run" (the default): what building
# and running the program need. With "test": that and what the tests, benchmarks and
# fuzzers need. Only what is missing is installed, so a second run costs a few dpkg
# queries.
set -euo pipefail

run_packages=(
  cmake g++ make pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg-dev
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
  procps python3
)

packages=("${run_packages[@]}")
case "${1:-run}" in
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

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
