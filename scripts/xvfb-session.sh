# Runs the program on a private Xvfb display with a recording stand-in for systemctl as the only
# thing on its PATH, so that nothing it starts can power anything off. Sourced by scripts/run.sh
# and the end-to-end test; the caller sets `trap xvfb_session_stop EXIT` before starting.

XVFB_SESSION_DIR=
XVFB_PID=
APP_PID=

# Starts Xvfb on a free display and waits until it answers. The number is drawn from a range
# that desktops and other test runs rarely use, and the display counts as ours only once its
# lock file names our server: another server on the same number must never be driven.
# -noreset: a server resets when its last client leaves, and a program connecting during the
# reset that follows the readiness probe would find no display.
xvfb_session_start() {
    XVFB_SESSION_DIR=$(mktemp -d)
    local try display attempt
    for ((try = 0; try < 10; try++)); do
        display=$((100 + RANDOM % 900))
        [[ ! -e /tmp/.X$display-lock ]] || continue
        Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp -noreset 2>"$XVFB_SESSION_DIR/xvfb.log" &
        XVFB_PID=$!
        for ((attempt = 0; attempt < 100; attempt++)); do
            kill -0 "$XVFB_PID" 2>/dev/null || break
            if [[ $(tr -d ' \n' 2>/dev/null <"/tmp/.X$display-lock") == "$XVFB_PID" ]] &&
                DISPLAY=:$display xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=:$display
                return 0
            fi
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    done
    echo "Xvfb did not come up:" >&2
    cat "$XVFB_SESSION_DIR/xvfb.log" >&2
    return 1
}

# The file in which the stand-in systemctl records each call, one line of arguments per call.
xvfb_session_calls() {
    echo "$XVFB_SESSION_DIR/systemctl.calls"
}

# Starts the program $1 with the stand-in first and alone on PATH, on Qt's platform $2 (xcb
# unless given); sets APP_PID. Only the first launch writes the stand-in: a test may replace it
# later, and a timed launch starts no more.
xvfb_session_launch() {
    local bin=$XVFB_SESSION_DIR/bin
    if [[ ! -x $bin/systemctl ]]; then
        mkdir -p "$bin"
        printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$(xvfb_session_calls)" >"$bin/systemctl"
        chmod +x "$bin/systemctl"
    fi
    env PATH="$bin" QT_QPA_PLATFORM="${2:-xcb}" "$1" >"$XVFB_SESSION_DIR/app.log" 2>&1 &
    APP_PID=$!
}

# Prints the id of the program's visible window titled $1, waiting up to 20 s; with $2, one
# whose id differs from $2 (a message box over the main window carries the same title).
xvfb_session_find_window() {
    local attempt id
    for ((attempt = 0; attempt < 200; attempt++)); do
        for id in $(xdotool search --onlyvisible --pid "$APP_PID" --name "^$1\$" 2>/dev/null); do
            if [[ $id != "${2:-}" ]]; then
                echo "$id"
                return 0
            fi
        done
        kill -0 "$APP_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "no window titled $1 appeared; the program said:" >&2
    cat "$XVFB_SESSION_DIR/app.log" >&2
    return 1
}

# Ends each process given by id and waits for it; empty ids are passed over.
stop_processes() {
    local pid
    for pid in "$@"; do
        if [[ -n $pid ]]; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
}

xvfb_session_stop() {
    stop_processes "$APP_PID" "$XVFB_PID"
    [[ -z $XVFB_SESSION_DIR ]] || rm -rf "$XVFB_SESSION_DIR"
}
