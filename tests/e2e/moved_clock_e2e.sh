#!/usr/bin/env bash
# The real program on its own Xvfb, its clock moved by libfaketime, the recording stand-in
# systemctl alone on its PATH. Two scenarios, each some 15 seconds:
#   repeated-hour: in Europe/Berlin, armed on 15 January 2026 at 12:00 for 25 October 2:01 with
#     睡眠; the clock then moved to 1:59:30 summer time that night and run ten times as fast.
#     Expect one "systemctl suspend" at the first 2:01, 9 real seconds on, not at the second
#     2:01 an hour later.
#   zone-change: in Asia/Dubai, armed at 8:00 for 8:09 with 休眠; the clock moved to 8:06:30,
#     then the zone becomes Asia/Shanghai, 4 hours ahead. Expect "systemctl hibernate" at the
#     next check, and no "missed" box.
# The zone is changed in a private mount namespace: a file of the script's own is bound over the
# zone file /etc/localtime resolves to and rewritten there, as the C library rereads it when TZ
# is unset. The host's zone is never touched.
# Usage: moved_clock_e2e.sh <lanhe-shutdown binary> <repository root> repeated-hour|zone-change
set -euo pipefail
if [[ $3 == zone-change && -z ${LANHE_E2E_MOUNT_NAMESPACE:-} ]]; then
    own_user=()
    ((EUID == 0)) || own_user=(--user --map-root-user)
    # A chroot, a container or a kernel with user namespaces switched off refuses one: the zone
    # cannot change then without changing the host's, so the scenario says so and is skipped.
    if ! refusal=$(unshare "${own_user[@]}" --mount true 2>&1); then
        echo "SKIPPED: no private mount namespace may be made here for the zone change: $refusal"
        exit 77
    fi
    LANHE_E2E_MOUNT_NAMESPACE=1 exec unshare "${own_user[@]}" --mount --propagation private \
        bash "$0" "$@"
fi
app=$(realpath "$1")
scenario=$3
E2E_NAME=moved_clock_$scenario
source "$2/scripts/xvfb-session.sh"
source "$(dirname "${BASH_SOURCE[0]}")/e2e_helpers.sh"
trap xvfb_session_stop EXIT

faketime_library=$(compgen -G '/usr/lib/*/faketime/libfaketimeMT.so.1' | head -n1) ||
    fail "libfaketime is not installed (Debian package faketime)"

# Where the program's clock stands, in libfaketime's words: "@date time [xRATE]" starts it
# there anew, in the program's zone; "+seconds" or "-seconds" sets it that far from the real one.
move_clock() {
    echo "$1" >"$XVFB_SESSION_DIR/clock"
}

# The seconds from the real clock to the local time $2 in zone $1, signed.
seconds_until() {
    printf '%+d\n' $(($(TZ=$1 date -d "$2" +%s) - $(date +%s)))
}

# Waits up to $2 real seconds for the stand-in to record $1.
wait_for_call() {
    local deadline=$((SECONDS + $2))
    until recorded_calls | grep -qx "$1"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# Starts the program with its clock at $1 (as move_clock takes it) and arms its left panel for
# the date and time $2 to $6 with option $7; sets FORM to its window.
start_and_arm() {
    move_clock "$1"
    LD_PRELOAD=$faketime_library FAKETIME_TIMESTAMP_FILE=$XVFB_SESSION_DIR/clock \
        FAKETIME_NO_CACHE=1 xvfb_session_launch "$app"
    FORM=$(xvfb_session_find_window "蓝禾自动关机") || fail "the window did not appear"
    xdotool windowfocus --sync "$FORM"
    local field=1 value
    for value in "${@:2:5}"; do
        type_into "$FORM" "Text$field" "$value"
        field=$((field + 1))
    done
    click_control "$FORM" "$7"
    click_control "$FORM" Command1
    close_message_box "$FORM"
}

# The left panel's log lines for command $1.
logged_for() {
    grep -F "[按时间] \"systemctl $1\"" "$XVFB_SESSION_DIR/app.log" || true
}

# The program runs on with no message box open, one call of command $1 was recorded, and one
# log line says it started in the local minute $2.
expect_started_once() {
    kill -0 "$APP_PID" 2>/dev/null || fail "the program is gone"
    if xdotool search --onlyvisible --pid "$APP_PID" --name '^蓝禾自动关机$' | grep -vqx "$FORM"; then
        fail "a message box is open: $(logged_for "$1" | tr '\n' ' ')"
    fi
    local calls logged
    calls=$(recorded_calls | tr '\n' ' ')
    logged=$(logged_for "$1")
    [[ $calls == "$1 " && $logged == "lanhe-shutdown $2:"??" [按时间] \"systemctl $1\" 已开始" ]] ||
        fail "expected $1 once, started at $2; calls: $calls; log: $logged"
    e2e_pass "$3: $logged"
}

repeated_hour() {
    export TZ=Europe/Berlin
    start_and_arm "@2026-01-15 12:00:00" 2026 10 25 2 1 Option3 # 睡眠
    move_clock "@2026-10-25 01:59:30 x10"
    e2e_progress "armed 睡眠 for 2026/10/25 2:01 on 15 January; the clock now at 1:59:30 CEST"
    # The first 2:01 comes 9 real seconds on, the second 369.
    wait_for_call suspend 20 || fail "no suspend within 20 real seconds of 1:59:30 CEST"
    sleep 2
    expect_started_once suspend "2026-10-25 02:01" "systemctl suspend once, at the first 02:01"
}

zone_change() {
    local zone_file
    zone_file=$(realpath /etc/localtime) || fail "no /etc/localtime to stand in for"
    cp /usr/share/zoneinfo/Asia/Dubai "$XVFB_SESSION_DIR/dubai"
    cp /usr/share/zoneinfo/Asia/Shanghai "$XVFB_SESSION_DIR/shanghai"
    cp "$XVFB_SESSION_DIR/dubai" "$XVFB_SESSION_DIR/localtime"
    mount --bind "$XVFB_SESSION_DIR/localtime" "$zone_file" ||
        fail "could not bind a zone of the test's own over $zone_file"
    unset TZ
    start_and_arm "$(seconds_until Asia/Dubai '2026-03-07 08:00:00')" 2026 3 7 8 9 Option4 # 休眠
    move_clock "$(seconds_until Asia/Dubai '2026-03-07 08:06:30')"
    sleep 1
    # Rewritten in place: the bound file keeps its inode, and a new modification time tells the
    # C library to read it again.
    cat "$XVFB_SESSION_DIR/shanghai" >"$XVFB_SESSION_DIR/localtime"
    e2e_progress "armed 休眠 for 8:09 in Dubai at 8:00; at 8:06:30 the zone became Shanghai"
    wait_for_call hibernate 8 ||
        fail "no hibernate at the next check after the change: $(logged_for hibernate)"
    expect_started_once hibernate "2026-03-07 12:06" \
        "systemctl hibernate at the next check after the change, no box"
}

xvfb_session_start
case $scenario in
repeated-hour) repeated_hour ;;
zone-change) zone_change ;;
*) fail "no scenario $scenario" ;;
esac
