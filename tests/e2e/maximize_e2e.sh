#!/usr/bin/env bash
# The window keeps its one size on both window systems of a Linux desktop. Under Wayland (weston
# in Xvfb, driven with xdotool), where Qt's own title bar draws a maximize button whatever the
# window asks for: maximize by that button and by weston's key binding, on a screen larger and
# on one smaller than the window, and a drag of the window's corner; each time the program must
# stay alive with its window back at its own size. Under X11 the window asks for no maximize
# button and pins its size. The program's Wayland traffic (WAYLAND_DEBUG) shows what it was told
# and what size it took.
# Usage: maximize_e2e.sh <lanhe-shutdown binary> <repository root>
set -euo pipefail
app=$(realpath "$1")
E2E_NAME=maximize_e2e
source "$2/scripts/xvfb-session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_helpers.sh"

# weston's desktop places a new window at random within the output; on one this little larger
# than the window, the output's middle is always on it. The small one is a laptop's 1920 x 1080
# at a scale of 2.
readonly OUTPUT_WIDTH=1120 OUTPUT_HEIGHT=320 SMALL_OUTPUT_WIDTH=960 SMALL_OUTPUT_HEIGHT=540
readonly POINTER_X=$((OUTPUT_WIDTH / 2)) POINTER_Y=$((OUTPUT_HEIGHT / 2))

WESTON_PID=
stop_program_and_weston() {
    stop_processes "$APP_PID" "$WESTON_PID"
    APP_PID= WESTON_PID=
}
stop_everything() {
    stop_program_and_weston
    xvfb_session_stop
}
trap stop_everything EXIT

# The protocol lines are kept beside the test's output; the failure report shows the rest.
fail_with_protocol() {
    local log=$XVFB_SESSION_DIR/app.log
    cp "$log" "$PWD/$E2E_NAME-protocol.log" 2>/dev/null &&
        echo "the program's Wayland traffic is in $PWD/$E2E_NAME-protocol.log" >&2
    sed -i '/^\[ *[0-9.]*\] /d' "$log" 2>/dev/null || true
    echo "weston said:" >&2
    tail -n 20 "$XVFB_SESSION_DIR/weston.log" >&2 || true
    fail "$@"
}

# Starts weston with an output $1 x $2 and the program on it.
start_weston_and_program() {
    export XDG_RUNTIME_DIR=$XVFB_SESSION_DIR/runtime WAYLAND_DISPLAY=lanhe-e2e-$1x$2
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    weston --backend=x11-backend.so --use-pixman --no-config --idle-time=0 \
        --socket="$WAYLAND_DISPLAY" --width="$1" --height="$2" \
        >"$XVFB_SESSION_DIR/weston.log" 2>&1 &
    WESTON_PID=$!
    local attempt
    for ((attempt = 0; attempt < 100; attempt++)); do
        [[ ! -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] || break
        kill -0 "$WESTON_PID" 2>/dev/null || fail_with_protocol "weston did not come up"
        sleep 0.1
    done
    WAYLAND_DEBUG=1 xvfb_session_launch "$app" wayland
    wait_for_first_geometry
    wait_for_keyboard_focus
}

# Protocol lines of the program's log matching $1, each with its line number.
protocol() {
    grep -n -- "$1" "$XVFB_SESSION_DIR/app.log" || true
}

# "W H" of the last window geometry the program committed, with its line number in front.
last_geometry() {
    protocol 'xdg_surface@[0-9]*\.set_window_geometry(' | tail -n1 |
        sed 's/^\([0-9]*\):.*set_window_geometry([0-9-]*, [0-9-]*, \([0-9]*\), \([0-9]*\)).*/\1 \2 \3/'
}

# Line number of the last configure that asked the window for a size not its own.
last_imposed_size_line() {
    protocol 'xdg_toplevel@[0-9]*\.configure(' |
        sed 's/^\([0-9]*\):.*configure(\([0-9]*\), \([0-9]*\),.*/\1 \2 \3/' |
        awk -v w="$own_width" -v h="$own_height" \
            '$2 > 0 && ($2 != w || $3 != h) { line = $1 } END { print line + 0 }'
}

wait_for_first_geometry() {
    local attempt line
    for ((attempt = 0; attempt < 200; attempt++)); do
        read -r line own_width own_height <<<"$(last_geometry)"
        [[ -n ${own_height:-} ]] && return 0
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.1
    done
    fail_with_protocol "the window never set its geometry"
}

# A key binding acts on the window that has the keyboard: the window, once weston has mapped it.
wait_for_keyboard_focus() {
    local attempt
    for ((attempt = 0; attempt < 200; attempt++)); do
        [[ -z $(protocol 'wl_keyboard@[0-9]*\.enter(') ]] || return 0
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.1
    done
    fail_with_protocol "the window never got the keyboard"
}

# Sets window_x and window_y, where weston put the window, from the surface coordinates of the
# pointer's entry into it.
locate_window() {
    local attempt entry x y
    for ((attempt = 0; attempt < 50; attempt++)); do
        xdotool mousemove $((POINTER_X + attempt % 2)) $POINTER_Y
        sleep 0.1
        entry=$(protocol 'wl_pointer@[0-9]*\.enter(' | tail -n1)
        if [[ -n $entry ]]; then
            read -r x y < <(sed 's/.*enter([0-9]*, [^,]*, \([0-9]*\)[.0-9]*, \([0-9]*\)[.0-9]*).*/\1 \2/' <<<"$entry")
            window_x=$((POINTER_X + attempt % 2 - x)) window_y=$((POINTER_Y - y))
            return 0
        fi
    done
    fail_with_protocol "the pointer never entered the window"
}

# Waits for another size configured after line $1, then for the window to be back at its own
# size after it, and expects it to stay there.
expect_size_restored() {
    local before=$1 how=$2 attempt imposed=0 line width height
    for ((attempt = 0; attempt < 100; attempt++)); do
        kill -0 "$APP_PID" 2>/dev/null || fail_with_protocol "the program ended after $how"
        imposed=$(last_imposed_size_line)
        if ((imposed > before)); then
            read -r line width height <<<"$(last_geometry)"
            ((line > imposed && width == own_width && height == own_height)) && break
        fi
        sleep 0.1
    done
    ((imposed > before)) || fail_with_protocol "$how configured no other size"
    sleep 1
    kill -0 "$APP_PID" 2>/dev/null || fail_with_protocol "the program ended after $how"
    read -r line width height <<<"$(last_geometry)"
    ((width == own_width && height == own_height)) ||
        fail_with_protocol "after $how the window is ${width}x${height}, not ${own_width}x${own_height}"
    e2e_progress "$how: another size configured, the window back at ${own_width}x${own_height}"
}

check_wayland() {
    start_weston_and_program $OUTPUT_WIDTH $OUTPUT_HEIGHT
    locate_window
    # Qt 6.4's title bar: 30 pixels high, buttons 18 wide, 5 apart, 8 from the right edge;
    # maximize is the second from the right.
    local before
    before=$(last_imposed_size_line)
    xdotool mousemove $((window_x + own_width - 8 - 18 - 5 - 9)) $((window_y + 15)) click 1
    expect_size_restored "$before" "the title bar's maximize button"
    before=$(last_imposed_size_line)
    xdotool key super+shift+m
    expect_size_restored "$before" "weston's Super+Shift+M"
    # The bottom right corner, dragged inwards: the border is Qt's, 3 pixels wide.
    before=$(last_imposed_size_line)
    xdotool mousemove $((window_x + own_width - 2)) $((window_y + own_height - 2)) mousedown 1
    sleep 0.2
    xdotool mousemove_relative -- -30 -20
    sleep 0.2
    xdotool mousemove_relative -- -30 -20 mouseup 1
    expect_size_restored "$before" "a drag of the window's corner"
    stop_program_and_weston

    start_weston_and_program $SMALL_OUTPUT_WIDTH $SMALL_OUTPUT_HEIGHT
    before=$(last_imposed_size_line)
    xdotool mousemove $((SMALL_OUTPUT_WIDTH / 2)) $((SMALL_OUTPUT_HEIGHT / 2)) key super+shift+m
    expect_size_restored "$before" "Super+Shift+M on a screen smaller than the window"
    stop_program_and_weston
}

# The window manager is told: no maximize among the functions, the minimum size its maximum.
check_x11() {
    xvfb_session_launch "$app" xcb
    local window hints
    window=$(xvfb_session_find_window "蓝禾自动关机") || fail "the window did not appear under X11"
    hints=$(xprop -id "$window" WM_NORMAL_HINTS)
    local minimum maximum
    minimum=$(sed -n 's/.*minimum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")
    maximum=$(sed -n 's/.*maximum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")
    [[ -n $minimum && $minimum == "$maximum" ]] ||
        fail "X11 size hints do not pin the size: $hints"
    # _MOTIF_WM_HINTS: flags, functions, decorations, ...; MWM_FUNC_MAXIMIZE is 0x10, and
    # MWM_FUNC_ALL (0x1) would mean all functions but those listed.
    local functions
    functions=$(xprop -id "$window" _MOTIF_WM_HINTS | sed -n 's/.* = [^,]*, \([^,]*\),.*/\1/p')
    if [[ -z $functions ]] || ((functions & 0x10 || functions & 0x1)); then
        fail "X11 window offers maximize: _MOTIF_WM_HINTS functions ${functions:-missing}"
    fi
    e2e_progress "X11: size pinned at $minimum, no maximize among the window's functions"
}

xvfb_session_start
check_wayland
check_x11
e2e_pass "no maximize stays, under Wayland or X11"
