#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need,
# skipping those already installed.  Runs apt-get directly as root and
# through sudo otherwise.
#
#   --no-window   only what the build without the window needs
#                 (cmake -DSAIHA_WINDOW=OFF): no Qt, no fonts
#   --screenshot  also what scripts/screenshot.sh needs
set -euo pipefail

# The core libraries, saiha-calc, the Python package and their tests.
packages=(
  g++ cmake make pkg-config time
  libgtest-dev libgmock-dev libbenchmark-dev
  libcsv-dev libcli11-dev libtbb-dev
  pybind11-dev python3-dev python3-numpy python3-pandas python3-pytest
  python3-dask python3-distributed
  # saiha.TransformResult.to_xarray (optional for the package, tested)
  python3-xarray
  # pip install . into a virtual environment; saiha.plot
  python3-pip python3-setuptools python3-wheel python3-venv python3-matplotlib
  # saiha-calc's completions, checked by the tests as a shell loads them
  bash-completion zsh
  # The Debian packages (cpack) and their test: dpkg-shlibdeps, file and
  # readelf for the dependencies, lintian to check them
  dpkg-dev file binutils lintian
)
# The calculation window.
window_packages=(
  qt6-base-dev libgl-dev qt6-qpa-plugins qt6-charts-dev qt6-svg-dev
  libqt6opengl6-dev  # Qt6Charts' CMake package needs Qt6OpenGL, which Debian 12 does not pull in
  fonts-ipafont-gothic fontconfig
  # The English translation: lupdate/lrelease and their CMake functions
  # (Qt6LinguistTools), and Qt's own Japanese for its dialogs (qtbase_ja.qm).
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  # The report's test renders its PDF's first page (pdftoppm)
  poppler-utils
)
with_window=1
for option in "$@"; do
  case "$option" in
    --no-window) with_window=0 ;;
    # Screenshots of the window (scripts/screenshot.sh) and nothing else.
    --screenshot) packages+=(xvfb x11-apps imagemagick xdotool) ;;
    *) echo "install-deps.sh: unknown option $option (--no-window, --screenshot)" >&2; exit 2 ;;
  esac
done
if [[ $with_window -eq 1 ]]; then packages+=("${window_packages[@]}"); fi

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
