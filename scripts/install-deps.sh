#!/usr/bin/env bash
# Installs, with apt-get, every Debian 12 package that building, testing and running
# Billquay needs and that this machine does not have yet. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libsqlite3-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libqt6svg6 fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  libdeflate-dev zlib1g-dev
  clang libclang-rt-14-dev
  gcc-multilib g++-multilib zlib1g-dev:i386 libdeflate-dev:i386 libgtest-dev:i386 libgmock-dev:i386
  zip p7zip-full
  xvfb xauth xdotool imagemagick
  poppler-utils
)

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
