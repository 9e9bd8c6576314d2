#!/usr/bin/env bash
# Builds Billquay and starts the desktop program quaydesk on a ready demo data
# directory (build/demo-data), writing the demo company first when it is missing.
# Without a display the program runs under a virtual one (xvfb-run), and this says so.
# Extra arguments go to quaydesk after the data directory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --program
cmake -S . -B build/main -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/main -j "$(nproc)" --target quaydesk quay_demo_data

data=build/demo-data
if [ ! -f "$data/billquay.sqlite3" ]; then
  build/main/desk/quay_demo_data "$data"
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "No display found (DISPLAY is empty): starting quaydesk under a virtual display with xvfb-run."
  echo "Nothing will appear on screen; use scripts/screenshots.sh to see the program."
  exec xvfb-run -a -s "-screen 0 1280x800x24" build/main/desk/quaydesk "$data" "$@"
fi
exec build/main/desk/quaydesk "$data" "$@"
