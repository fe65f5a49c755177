#!/usr/bin/env bash
# Runs the built program idle on its own Xvfb, with the recording systemctl stand-in first and
# alone on its PATH, and reports the CPU time it used and its largest resident size. Not part
# of the tests: it takes a minute and reports numbers, it never fails on them.
# Usage: scripts/measure-idle.sh [seconds, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake --preset default >/dev/null
cmake --build --preset default -j2 >/dev/null
app=$PWD/build/default/src/window/lanhe-shutdown

source scripts/xvfb-session.sh
trap xvfb_session_stop EXIT

ticks_per_second=$(getconf CLK_TCK)

# User plus system CPU time of the program so far, in clock ticks. The command name in
# parentheses may hold spaces, so the fields are counted from after its closing parenthesis.
cpu_ticks() {
    local stat
    local -a fields
    stat=$(<"/proc/$APP_PID/stat")
    read -r -a fields <<<"${stat##*) }"
    echo $((fields[11] + fields[12]))
}

# A field of /proc/PID/status in kB, such as VmHWM (the largest resident size) or VmRSS.
status_kb() {
    awk -v key="$1:" '$1 == key { print $2 }' "/proc/$APP_PID/status"
}

seconds_of() {
    awk -v t="$1" -v hz="$ticks_per_second" 'BEGIN { printf "%.2f", t / hz }'
}

xvfb_session_start
xvfb_session_launch "$app"
xvfb_session_find_window "蓝禾自动关机" >/dev/null
started=$(cpu_ticks)
sleep "$seconds"
kill -0 "$APP_PID" 2>/dev/null || {
    echo "the program ended during the run:" >&2
    cat "$XVFB_SESSION_DIR/app.log" >&2
    exit 1
}
idle=$(($(cpu_ticks) - started))
peak_kb=$(status_kb VmHWM)
rss_kb=$(status_kb VmRSS)
calls=0
[[ ! -f $(xvfb_session_calls) ]] || calls=$(wc -l <"$(xvfb_session_calls)")

echo "CPU until the window showed: $(seconds_of "$started") s"
echo "CPU over the next $seconds s of idle running: $(seconds_of "$idle") s" \
    "($(awk -v t="$idle" -v hz="$ticks_per_second" -v s="$seconds" \
        'BEGIN { printf "%.2f", 100 * t / hz / s }') % of one core)"
echo "largest resident size (VmHWM): $peak_kb kB; at the end (VmRSS): $rss_kb kB"
echo "systemctl calls recorded: $calls"
