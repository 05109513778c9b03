#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Vexa
# Solitaire, skipping those already present. Uses sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3 time
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick openbox
  clang-14 libclang-rt-14-dev
  fonts-dejavu-core fonts-liberation
  desktop-file-utils appstream dpkg-dev fakeroot file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
