#!/usr/bin/env bash
# Installs what building and starting the program need, builds the program alone (not the
# tests) and starts it. On a machine without a display it runs the program under Xvfb for a
# few seconds, saves a screenshot of the window under build/ and exits. Only the installation
# runs as root; started through sudo, the build and the window are the invoking user's.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/privileges.sh
headless=1
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    headless=0
fi
if ((headless)); then
    bash scripts/install-deps.sh packages-run.txt packages-headless.txt
else
    bash scripts/install-deps.sh packages-run.txt
fi
rerun_as_invoking_user scripts/run.sh
# Without the tests' own packages the build leaves the tests out; the program alone is built.
cmake --preset default
cmake --build --preset default -j"$(nproc)" --target lanhe-shutdown
app=build/default/src/window/lanhe-shutdown
if ((!headless)); then
    if ((EUID == 0)); then
        echo "Starting the window as root: systemctl skips polkit's permission checks for root, so no armed action is refused for want of permission, not even while other users are logged in."
    fi
    exec "$app"
fi

source scripts/xvfb-session.sh
trap xvfb_session_stop EXIT
xvfb_session_start
xvfb_session_launch "$app"
window=$(xvfb_session_find_window "蓝禾自动关机")
# Whom the window belongs to, read from the program's own process.
ran_as=$(id -nu "$(awk '/^Uid:/ { print $3 }' "/proc/$APP_PID/status")")
sleep 3
screenshot=build/screenshot.png
import -window "$window" "$screenshot"
echo "No display here: ran the program under Xvfb as $ran_as and saved its window to $screenshot"
