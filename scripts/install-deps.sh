#!/usr/bin/env bash
# Installs, with apt-get, every Debian 12 package that building, testing and running
# Billquay needs and that this machine does not have yet. Safe to run again.
#
# The 32-bit packages (zwunzip32's 32-bit build) are a second group: when Debian's i386
# indexes cannot be had (a mirror caught mid-sync), the rest is still installed, the script
# says so, and scripts/test.sh leaves out the 32-bit stage with a notice.
#
#   install-deps.sh            everything the tests need
#   install-deps.sh --program  without the 32-bit group, which only the tests use (the demo
#                              and the screenshots start at once on a machine that has the rest)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libsqlite3-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libqt6svg6 fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev
  libdeflate-dev zlib1g-dev
  clang libclang-rt-14-dev clang-format
  zip p7zip-full
  xvfb xauth xdotool imagemagick
  poppler-utils
)
packages_32bit=(
  gcc-multilib g++-multilib zlib1g-dev:i386 libdeflate-dev:i386 libgtest-dev:i386 libgmock-dev:i386
)

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi

missing_of() {
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      echo "$p"
    fi
  done
}

mapfile -t missing < <(missing_of "${packages[@]}")
missing_32bit=()
if [ "${1:-}" != "--program" ]; then
  mapfile -t missing_32bit < <(missing_of "${packages_32bit[@]}")
fi
if [ ${#missing[@]} -eq 0 ] && [ ${#missing_32bit[@]} -eq 0 ]; then
  exit 0
fi

if [ ${#missing_32bit[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi

# A mirror caught mid-sync fails an index file now and then: try again, then go on with
# the indexes that did come (the install below says what it cannot find).
update() {
  local attempt
  for attempt in 1 2 3; do
    if $SUDO apt-get update -qq; then
      return 0
    fi
    echo "apt-get update failed (attempt $attempt of 3)" >&2
    sleep 5
  done
  return 0
}

install() {
  local attempt
  for attempt in 1 2 3; do
    if DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@"; then
      return 0
    fi
    echo "apt-get install failed (attempt $attempt of 3)" >&2
    sleep 5
    update
  done
  return 1
}

update
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  install "${missing[@]}"
fi
if [ ${#missing_32bit[@]} -gt 0 ]; then
  echo "Installing the 32-bit packages: ${missing_32bit[*]}"
  if ! install "${missing_32bit[@]}"; then
    echo "NOTICE: the 32-bit packages could not be installed; the 32-bit build of zwunzip32 is left out" >&2
  fi
fi
exit 0
