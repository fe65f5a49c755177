#!/usr/bin/env bash
# The real program on its own Xvfb, driven as a user would: arm 关机 for a child process, end
# the child, and expect exactly one recorded "systemctl poweroff". The stand-in systemctl is
# the only thing on the program's PATH.
# Usage: process_exit_e2e.sh <lanhe-shutdown binary> <repository root>
set -euo pipefail
app=$(realpath "$1")
source "$2/scripts/xvfb-session.sh"

child=
cleanup() {
    if [[ -n $child ]]; then
        kill "$child" 2>/dev/null || true
        wait "$child" 2>/dev/null || true
    fi
    xvfb_session_stop
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    import -window root "$PWD/process_exit_e2e-failure.png" 2>/dev/null &&
        echo "screen saved to $PWD/process_exit_e2e-failure.png" >&2
    echo "display ${DISPLAY-none}; program output:" >&2
    cat "$XVFB_SESSION_DIR/app.log" >&2 || true
    echo "Xvfb output:" >&2
    cat "$XVFB_SESSION_DIR/xvfb.log" >&2 || true
    exit 1
}

# Clicks the middle of a control given by its twips position, as the user aims at it.
click_control() {
    local window=$1 left=$2 top=$3 width=$4 height=$5
    xdotool mousemove --window "$window" $(((left + width / 2) / 15)) $(((top + height / 2) / 15)) \
        click 1
}

calls_recorded() {
    if [[ -f $(xvfb_session_calls) ]]; then
        wc -l <"$(xvfb_session_calls)"
    else
        echo 0
    fi
}

xvfb_session_start
sleep 600 &
child=$!
xvfb_session_launch "$app"
form=$(xvfb_session_find_window "蓝禾自动关机") || fail "the window did not appear"
xdotool windowfocus --sync "$form"

click_control "$form" 12360 240 855 435 # Text10
xdotool key ctrl+a
xdotool type --delay 20 "$child"
click_control "$form" 10680 1200 855 495 # Option9 关机
click_control "$form" 11880 2160 2535 495 # Command5 确定

box=$(xvfb_session_find_window "蓝禾自动关机" "$form") || fail "no message box after 确定"
xdotool windowfocus --sync "$box"
xdotool key Return
for ((attempt = 0; attempt < 50; attempt++)); do
    xdotool search --onlyvisible --pid "$APP_PID" --name '^蓝禾自动关机$' | grep -qx "$box" || break
    sleep 0.1
done

# Armed, the child still runs: a few ticks must start nothing.
sleep 2.5
(($(calls_recorded) == 0)) || fail "fired while the process still ran: $(cat "$(xvfb_session_calls)")"

kill "$child"
wait "$child" 2>/dev/null || true
child=
for ((attempt = 0; attempt < 150 && $(calls_recorded) == 0; attempt++)); do
    sleep 0.1
done
# A few more ticks: the action must have been started once only.
sleep 2.5

kill -0 "$APP_PID" 2>/dev/null || fail "the program is gone"
mapfile -t calls < <(cat "$(xvfb_session_calls)" 2>/dev/null)
((${#calls[@]} == 1)) || fail "expected one systemctl call, got ${#calls[@]}: ${calls[*]-}"
[[ ${calls[0]} == poweroff ]] || fail "expected 'poweroff', got '${calls[0]}'"
echo "PASS: one call, systemctl ${calls[0]}"
