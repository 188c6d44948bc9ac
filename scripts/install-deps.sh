#!/usr/bin/env bash
# Installs what building, running and testing Corvane needs on Debian 12.
# Idempotent: asks apt-get only for the packages that are missing.
set -euo pipefail

# What the program needs to run: the list the .deb's dependencies are made from.
mapfile -t runtime < <(grep -v -e '^#' -e '^[[:space:]]*$' "$(dirname "$0")/runtime-packages.txt")

packages=(
  "${runtime[@]}"
  # toolchain
  g++ cmake ninja-build make ccache pkg-config clang libclang-rt-14-dev
  # Qt 6 and the desktop pieces for building
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libhunspell-dev
  # the paper sources (trays) of CUPS printers
  libcups2-dev
  # ModemManager's enum values and D-Bus names for the telephony service (headers only)
  modemmanager-dev
  # Intelligent Mail barcodes
  libzint-dev
  # Windows metafiles, converted to SVG by libwmf and drawn by Qt's SVG renderer
  libwmf-dev qt6-svg-dev
  # tests, benchmarks, headless windows
  googletest libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
  # the telephony tests' private D-Bus and their stand-in ModemManager
  dbus-daemon python3-dbus
  # independent xBase readers and writers the interoperability tests compare against
  python3 python3-dbf python3-dbfread libdbd-xbase-perl
  # reads back the text of the PDFs the layout tests print
  poppler-utils
)

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
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
