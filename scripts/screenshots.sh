#!/usr/bin/env bash
# Takes screenshots of quaydesk as a new user sees it, under a virtual display:
#   first-run-*.png  the first start on a fresh data directory: the default area code
#                    window, then the company defaults window with the code filled in;
#   demo-*.png       the demo data: the frame with its splash window, the customer list
#                    from the toolbar, the product list from the menu, both tiled, and
#                    the About window.
# Pictures go to build/screenshots. Uses its own settings file, so the user's own
# tallvane.ini is not touched.
set -euo pipefail
self="$(cd "$(dirname "$0")" && pwd)/$(basename "$0")"
cd "$(dirname "$0")/.."

first_run() {
  build/main/desk/quaydesk "$1" &
  local pid=$!
  sleep 2
  import -window root "$out/first-run-1-area-code.png"
  xdotool type 978
  xdotool key Return
  sleep 2
  import -window root "$out/first-run-2-company-defaults.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

demo() {
  build/main/desk/quaydesk "$1" &
  local pid=$!
  sleep 1
  import -window root "$out/demo-1-splash.png"
  sleep 3
  xdotool mousemove 229 75 click 1   # the toolbar's Customers button
  sleep 1.5
  import -window root "$out/demo-2-customers.png"
  xdotool key alt+m i                # Master Lists, Inventory
  sleep 1.5
  xdotool key alt+w i                # Window, Tile
  sleep 1
  import -window root "$out/demo-3-tiled.png"
  xdotool key alt+h a                # Help, About
  sleep 1
  import -window root "$out/demo-4-about.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# Under the virtual display this script runs itself once per session.
if [ "${1:-}" = "--session" ]; then
  "$2" "$3"
  exit 0
fi

bash scripts/install-deps.sh --program
cmake -S . -B build/main -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/main -j "$(nproc)" --target quaydesk quay_demo_data
out=$PWD/build/screenshots
mkdir -p "$out"
data=build/demo-data
[ -f "$data/billquay.sqlite3" ] || build/main/desk/quay_demo_data "$data"
scratch=$(mktemp -d)
mkdir -p "$scratch/fresh"
trap 'rm -rf "$scratch"' EXIT
export QUAY_SETTINGS="$scratch/tallvane.ini" out

xvfb-run -a -s "-screen 0 1280x800x24" bash "$self" --session first_run "$scratch/fresh"
xvfb-run -a -s "-screen 0 1280x800x24" bash "$self" --session demo "$data"
echo "Screenshots written to $out:"
ls -1 "$out"
