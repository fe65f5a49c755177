#!/usr/bin/env bash
# The real program on its own Xvfb with a stand-in systemctl that records its call, then
# refuses as polkit does: arm 关机 for a child process, end the child, and expect one call, one
# message box and one refusal line in the program's log. The stand-in is the only thing on the
# program's PATH.
# Usage: refusal_e2e.sh <lanhe-shutdown binary> <repository root>
set -euo pipefail
app=$(realpath "$1")
E2E_NAME=refusal_e2e
source "$2/scripts/xvfb-session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_helpers.sh"

child=
cleanup() {
    if [[ -n $child ]]; then
        kill "$child" 2>/dev/null || true
        wait "$child" 2>/dev/null || true
    fi
    xvfb_session_stop
}
trap cleanup EXIT

# Replaces the recording stand-in by one that records, then refuses with an error line.
make_stand_in_refuse() {
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\nprintf "%%s\\n" "%s" >&2\nexit 1\n' \
        "$(xvfb_session_calls)" "Interactive authentication required." \
        >"$XVFB_SESSION_DIR/bin/systemctl"
}

refusal_lines() {
    grep -c '\[进程结束\] "systemctl poweroff" 未执行（退出状态 1）：Interactive authentication required\.$' \
        "$XVFB_SESSION_DIR/app.log" || true
}

xvfb_session_start
sleep 600 &
child=$!
xvfb_session_launch "$app"
make_stand_in_refuse
form=$(xvfb_session_find_window "蓝禾自动关机") || fail "the window did not appear"
xdotool windowfocus --sync "$form"

type_into "$form" 12360 240 855 435 "$child" # Text10
click_control "$form" 10680 1200 855 495     # Option9 关机
click_control "$form" 11880 2160 2535 495    # Command5 确定
close_message_box "$form"

kill "$child"
wait "$child" 2>/dev/null || true
child=
xvfb_session_find_window "蓝禾自动关机" "$form" >/dev/null || fail "the refusal was not shown"
close_message_box "$form"
# A few more ticks: one call, one refusal, no second box.
sleep 2.5

kill -0 "$APP_PID" 2>/dev/null || fail "the program is gone"
mapfile -t calls < <(recorded_calls)
((${#calls[@]} == 1)) || fail "expected one systemctl call, got ${#calls[@]}: ${calls[*]-}"
[[ ${calls[0]} == poweroff ]] || fail "expected 'poweroff', got '${calls[0]}'"
(($(refusal_lines) == 1)) || fail "expected one refusal line in the log, got $(refusal_lines)"
grep -q '\[进程结束\] "systemctl poweroff" 已开始$' "$XVFB_SESSION_DIR/app.log" ||
    fail "the start was not logged"
if xdotool search --onlyvisible --pid "$APP_PID" --name '^蓝禾自动关机$' | grep -vqx "$form"; then
    fail "a second message box opened"
fi
echo "PASS: one call, one refusal shown and logged"
