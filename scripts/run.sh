#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. On a machine without a display it
# runs the program under Xvfb for a few seconds, saves a screenshot of the window and exits.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j2
app=build/default/src/window/lanhe-shutdown
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    exec "$app"
fi

source scripts/xvfb-session.sh
trap xvfb_session_stop EXIT
xvfb_session_start
xvfb_session_launch "$app"
window=$(xvfb_session_find_window "蓝禾自动关机")
sleep 3
screenshot=docs/screenshot.png
mkdir -p docs
import -window "$window" "$screenshot"
echo "No display here: ran the program under Xvfb and saved its window to $screenshot"
