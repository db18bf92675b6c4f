#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need,
# skipping those already installed.  Runs apt-get directly as root and
# through sudo otherwise.
set -euo pipefail

packages=(
  g++ cmake make pkg-config time
  libgtest-dev libgmock-dev libbenchmark-dev
  libcsv-dev libcli11-dev libtbb-dev
  pybind11-dev python3-dev python3-numpy python3-pandas python3-pytest
  python3-dask python3-distributed
  qt6-base-dev libgl-dev qt6-qpa-plugins qt6-charts-dev qt6-svg-dev
  libqt6opengl6-dev  # Qt6Charts' CMake package needs Qt6OpenGL, which Debian 12 does not pull in
  fonts-ipafont-gothic fontconfig
)
# Screenshots of the window (scripts/screenshot.sh) and nothing else.
if [[ "${1:-}" == "--screenshot" ]]; then
  packages+=(xvfb x11-apps imagemagick xdotool)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
