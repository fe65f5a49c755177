#!/usr/bin/env bash
# The real program on its own Xvfb, driven as a user would: arm 关机 for a child process, end
# the child, and expect exactly one recorded "systemctl poweroff". The stand-in systemctl is
# the only thing on the program's PATH.
# Usage: process_exit_e2e.sh <lanhe-shutdown binary> <repository root>
set -euo pipefail
app=$(realpath "$1")
E2E_NAME=process_exit_e2e
source "$2/scripts/xvfb-session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_helpers.sh"
trap stop_session_and_child EXIT

xvfb_session_start
start_watched_child
xvfb_session_launch "$app"
form=$(xvfb_session_find_window "蓝禾自动关机") || fail "the window did not appear"
xdotool windowfocus --sync "$form"
arm_poweroff_for_watched_child "$form"

# Armed, the child still runs: a few ticks must start nothing.
sleep 2.5
(($(calls_recorded) == 0)) || fail "fired while the process still ran: $(recorded_calls)"

end_watched_child
for ((attempt = 0; attempt < 150 && $(calls_recorded) == 0; attempt++)); do
    sleep 0.1
done
# A few more ticks: the action must have been started once only.
sleep 2.5

kill -0 "$APP_PID" 2>/dev/null || fail "the program is gone"
mapfile -t calls < <(recorded_calls)
((${#calls[@]} == 1)) || fail "expected one systemctl call, got ${#calls[@]}: ${calls[*]-}"
[[ ${calls[0]} == poweroff ]] || fail "expected 'poweroff', got '${calls[0]}'"
e2e_pass "one call, systemctl ${calls[0]}"
