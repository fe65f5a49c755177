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
trap stop_session_and_child EXIT

# Replaces the recording stand-in by one that records, then refuses with an error line.
make_stand_in_refuse() {
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\nprintf "%%s\\n" "%s" >&2\nexit 1\n' \
        "$(xvfb_session_calls)" "Interactive authentication required." \
        >"$XVFB_SESSION_DIR/bin/systemctl"
}

# How many lines of the program's log say $1 about the right panel's "systemctl poweroff".
logged() {
    grep -cF "[进程结束] \"systemctl poweroff\" $1" "$XVFB_SESSION_DIR/app.log" || true
}

xvfb_session_start
start_watched_child
xvfb_session_launch "$app"
make_stand_in_refuse
form=$(xvfb_session_find_window "蓝禾自动关机") || fail "the window did not appear"
xdotool windowfocus --sync "$form"
arm_poweroff_for_watched_child "$form"

end_watched_child
xvfb_session_find_window "蓝禾自动关机" "$form" >/dev/null || fail "the refusal was not shown"
close_message_box "$form"
# A few more ticks: one call, one refusal, no second box.
sleep 2.5

kill -0 "$APP_PID" 2>/dev/null || fail "the program is gone"
mapfile -t calls < <(recorded_calls)
((${#calls[@]} == 1)) || fail "expected one systemctl call, got ${#calls[@]}: ${calls[*]-}"
(($(logged 已开始) == 1)) || fail "expected the start logged once, got $(logged 已开始)"
refusal="未执行（退出状态 1）：Interactive authentication required."
(($(logged "$refusal") == 1)) || fail "expected the refusal logged once, got $(logged "$refusal")"
if xdotool search --onlyvisible --pid "$APP_PID" --name '^蓝禾自动关机$' | grep -vqx "$form"; then
    fail "a second message box opened"
fi
e2e_pass "one call, one refusal shown and logged"
