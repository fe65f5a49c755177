#!/usr/bin/env bash
# The real program on its own Xvfb, driven as a user would: arm 重启 in the left panel for the
# next minute, and 睡眠 in the middle panel for 3 seconds below 100000 KB per second, a rate an
# idle machine never reaches. Expect one recorded "systemctl suspend" a few seconds later, one
# "systemctl reboot" once that minute has begun, and nothing else. The stand-in systemctl is
# the only thing on the program's PATH. Takes 20 to 90 seconds, as the minute falls.
# Usage: clock_rate_e2e.sh <lanhe-shutdown binary> <repository root>
set -euo pipefail
app=$(realpath "$1")
E2E_NAME=clock_rate_e2e
source "$2/scripts/xvfb-session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_helpers.sh"
trap xvfb_session_stop EXIT

# Waits until $1 has been recorded, for at most until the epoch second $2.
wait_for_call() {
    until recorded_calls | grep -qx "$1"; do
        (($(date +%s) < $2)) || return 1
        sleep 0.2
    done
}

xvfb_session_start
xvfb_session_launch "$app"
form=$(xvfb_session_find_window "蓝禾自动关机") || fail "the window did not appear"
xdotool windowfocus --sync "$form"

# The typing must be done before the present minute is, or the entered one would be refused as
# the present minute.
second=$((10#$(date +%S)))
((second < 50)) || sleep $((61 - second))
now=$(date +%s)
target=$(((now + 60) / 60 * 60))
read -r year month day hour minute < <(date -d "@$target" '+%Y %-m %-d %-H %-M')

type_into "$form" Text1 "$year"
type_into "$form" Text2 "$month"
type_into "$form" Text3 "$day"
type_into "$form" Text4 "$hour"
type_into "$form" Text5 "$minute"
click_control "$form" Option2  # 重启
click_control "$form" Command1 # 确定
close_message_box "$form"
(($(date +%s) < target)) || fail "the typing took until the entered minute $hour:$minute"

type_into "$form" Text8 3
type_into "$form" Text9 100000
click_control "$form" Option6  # 睡眠
click_control "$form" Command4 # 确定
close_message_box "$form"
e2e_progress "armed 重启 for $hour:$minute and 睡眠 below 100000 KB/s for 3 s; waiting for both"

wait_for_call suspend $(($(date +%s) + 15)) ||
    fail "no suspend within 15 s of arming the rate trigger: $(recorded_calls | tr '\n' ' ')"
wait_for_call reboot $((target + 15)) ||
    fail "no reboot by 15 s after $hour:$minute: $(recorded_calls | tr '\n' ' ')"
(($(date +%s) >= target)) || fail "reboot was started before $hour:$minute"
# Two more clock ticks and several rate ticks: each action must have been started once only.
sleep 9

kill -0 "$APP_PID" 2>/dev/null || fail "the program is gone"
mapfile -t calls < <(recorded_calls | sort)
[[ ${calls[*]-} == "reboot suspend" ]] ||
    fail "expected one reboot and one suspend, got ${#calls[@]} calls: ${calls[*]-}"
e2e_pass "systemctl suspend once, then systemctl reboot once after $hour:$minute"
