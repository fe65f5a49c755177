# shellcheck shell=bash
# What the end-to-end scripts share: failing with the evidence, aiming at controls as a user
# does, answering message boxes and reading what the stand-in systemctl recorded. Sourced after
# scripts/xvfb-session.sh by a script that has set E2E_NAME to its own name.

# One line of progress into the scenario's output, which CTest keeps in its report.
e2e_progress() {
    echo "e2e ${E2E_NAME}: $*"
}

e2e_progress "started"

LANHE_SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$LANHE_SOURCE_DIR/tests/e2e/controls.sh"

e2e_pass() {
    e2e_progress "passed: $*"
}

fail() {
    e2e_progress "FAILED: $*"
    echo "FAIL: $*" >&2
    import -window root "$PWD/$E2E_NAME-failure.png" 2>/dev/null &&
        echo "screen saved to $PWD/$E2E_NAME-failure.png" >&2
    echo "display ${DISPLAY-none}; program output:" >&2
    cat "$XVFB_SESSION_DIR/app.log" >&2 || true
    echo "Xvfb output:" >&2
    cat "$XVFB_SESSION_DIR/xvfb.log" >&2 || true
    exit 1
}

# Clicks the middle of control $2 of window $1, as the user aims at it.
click_control() {
    local x y
    read -r x y < <(control_middle "$2") || fail "no control $2"
    xdotool mousemove --window "$1" "$x" "$y" click 1
}

# Replaces the text of field $2 of window $1 with $3.
type_into() {
    click_control "$1" "$2"
    xdotool key ctrl+a BackSpace
    xdotool type --delay 20 "$3"
}

# Answers the message box that a click on 确定 opened over window $1 with Return and waits
# until it has gone.
close_message_box() {
    local form=$1 box attempt
    box=$(xvfb_session_find_window "蓝禾自动关机" "$form") || fail "no message box after 确定"
    xdotool windowfocus --sync "$box"
    xdotool key Return
    for ((attempt = 0; attempt < 50; attempt++)); do
        xdotool search --onlyvisible --pid "$APP_PID" --name '^蓝禾自动关机$' | grep -qx "$box" ||
            return 0
        sleep 0.1
    done
    fail "the message box stayed open after Return"
}

calls_recorded() {
    if [[ -f $(xvfb_session_calls) ]]; then
        wc -l <"$(xvfb_session_calls)"
    else
        echo 0
    fi
}

# Prints the recorded calls, one per line.
recorded_calls() {
    cat "$(xvfb_session_calls)" 2>/dev/null || true
}

# A process of the script's own for the right panel to watch: started by start_watched_child,
# ended by end_watched_child, and by stop_session_and_child on the way out.
WATCHED_CHILD=
start_watched_child() {
    sleep 600 &
    WATCHED_CHILD=$!
}

end_watched_child() {
    if [[ -n $WATCHED_CHILD ]]; then
        kill "$WATCHED_CHILD" 2>/dev/null || true
        wait "$WATCHED_CHILD" 2>/dev/null || true
        WATCHED_CHILD=
    fi
}

stop_session_and_child() {
    end_watched_child
    xvfb_session_stop
}

# Arms 关机 in the right panel of window $1 for the watched child and closes the confirmation.
arm_poweroff_for_watched_child() {
    type_into "$1" Text10 "$WATCHED_CHILD"
    click_control "$1" Option9  # 关机
    click_control "$1" Command5 # 确定
    close_message_box "$1"
}
