#!/usr/bin/env bash
# Takes screenshots of quaydesk as a new user sees it, under a virtual display:
#   1. the first start on a fresh data directory (the default area code window);
#   2. the frame with its splash window, then the frame on the demo data;
#   3. the About window (Alt+H, A).
# Pictures go to build/screenshots/*.png. Uses its own settings file, so the user's
# own tallvane.ini is not touched.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/main -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/main -j "$(nproc)" --target quaydesk quay_demo_data

out=build/screenshots
mkdir -p "$out"
data=build/demo-data
[ -f "$data/billquay.sqlite3" ] || build/main/desk/quay_demo_data "$data"
fresh=$(mktemp -d)
mkdir -p "$fresh/data"
export QUAY_SETTINGS="$fresh/tallvane.ini"
trap 'rm -rf "$fresh"' EXIT

# One session under the virtual display: start, wait, shoot, send keys, shoot, end.
session() {
  local dir=$1 name=$2 keys=${3:-}
  build/main/desk/quaydesk "$dir" &
  local pid=$!
  sleep 1.2
  import -window root "$out/$name-1.png"
  sleep 2.5
  import -window root "$out/$name-2.png"
  if [ -n "$keys" ] && command -v xdotool >/dev/null; then
    xdotool key $keys
    sleep 1
    import -window root "$out/$name-3.png"
  fi
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
export -f session
export out

xvfb-run -a -s "-screen 0 1280x800x24" bash -c "session '$fresh/data' first-run"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c "session '$data' demo 'alt+h a'"
echo "Screenshots written to $out:"
ls -1 "$out"
