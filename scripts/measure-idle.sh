#!/usr/bin/env bash
# Runs the built program idle on its own Xvfb beside the reference monitor (a minimal Qt
# program doing only the work a 10 Hz traffic monitor demands), both with the recording
# systemctl stand-in first and alone on their PATH, and compares their idle CPU, resident
# memory and time to a mapped window. Not part of the tests: it takes a minute and reports
# numbers, it never fails on them. The three ratios (program ÷ reference) come last.
# Usage: scripts/measure-idle.sh [seconds, default 60]
# REFERENCE_MONITOR_DIR overrides where the reference's sources are (default ../shared/
# reference-monitor beside the repository).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
reference_dir=${REFERENCE_MONITOR_DIR:-$PWD/../shared/reference-monitor}
if [[ ! -f $reference_dir/CMakeLists.txt ]]; then
    echo "No reference monitor in $reference_dir (it lies outside the tree; set REFERENCE_MONITOR_DIR): nothing to measure against." >&2
    exit 1
fi
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target lanhe-shutdown >/dev/null
app=$PWD/build/default/src/window/lanhe-shutdown
cmake -S "$reference_dir" -B build/reference-monitor -G Ninja >/dev/null
cmake --build build/reference-monitor >/dev/null
reference=$PWD/build/reference-monitor/reference_monitor

source scripts/xvfb-session.sh
trap xvfb_session_stop EXIT

ticks_per_second=$(getconf CLK_TCK)

# CPU time of process $1 so far in nanoseconds: the scheduler's own count where the kernel
# keeps one, else user plus system time from its stat line (whose command name in
# parentheses may hold spaces, so the fields are counted from after the parenthesis).
cpu_ns() {
    local stat
    local -a fields
    if [[ -r /proc/$1/schedstat ]]; then
        read -r -a fields <"/proc/$1/schedstat"
        echo "${fields[0]}"
        return
    fi
    stat=$(<"/proc/$1/stat")
    read -r -a fields <<<"${stat##*) }"
    echo $(((fields[11] + fields[12]) * 1000000000 / ticks_per_second))
}

# A field of /proc/PID/status in kB, such as VmHWM (the largest resident size) or VmRSS.
status_kb() {
    awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"
}

# Every window the server maps, stamped in microseconds as the event arrives, one line each
# into a pipe that launch_until_mapped blocks on. One client that stays connected: starting a
# client to look for the window would cost more than the time being measured, and anything
# polling while a program starts takes a share of the machine from it. grep hands on only the
# lines wanted, so the shell reads a few lines per window rather than xev's every byte.
watch_maps() {
    local pipe=$XVFB_SESSION_DIR/maps line
    mkfifo "$pipe"
    exec {maps_fd}<>"$pipe"
    stdbuf -oL xev -root -event substructure -event property 2>/dev/null |
        grep --line-buffered -E '^(MapNotify|PropertyNotify)' | while IFS= read -r line; do
        case $line in
        MapNotify*) echo "${EPOCHREALTIME/./}" ;;
        *) echo ready ;;
        esac
    done >"$pipe" &
    # It is listening once it reports a property of the root window changing.
    until read -r -t 0.05 line <&"$maps_fd" && [[ $line == ready ]]; do
        xprop -root -f LANHE_MEASURE 8s -set LANHE_MEASURE ready
    done
}

# Drops what the watcher reported before now (a late "ready", a second window).
forget_maps() {
    local line
    while read -r -t 0 <&"$maps_fd"; do
        read -r line <&"$maps_fd"
    done
}

# Starts program $1, waits until the server has mapped a window for it and checks that it is
# the program's window titled $2; sets APP_PID, and MAPPED_AFTER_US to the microseconds from
# the start to the map. Not run in a subshell: APP_PID must reach stop_app.
launch_until_mapped() {
    local started mapped
    forget_maps
    started=${EPOCHREALTIME/./}
    xvfb_session_launch "$1"
    until read -r -t 1 mapped <&"$maps_fd" && [[ $mapped != ready ]]; do
        kill -0 "$APP_PID" 2>/dev/null || {
            echo "$1 ended before its window showed:" >&2
            cat "$XVFB_SESSION_DIR/app.log" >&2
            return 1
        }
    done
    xdotool search --onlyvisible --pid "$APP_PID" --name "^$2\$" >/dev/null 2>&1 || {
        echo "the window mapped after starting $1 is not its window $2" >&2
        return 1
    }
    MAPPED_AFTER_US=$((mapped - started))
}

stop_app() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=
}

# The median of the numbers given, then the first and third quartile: "median low high".
quartiles() {
    printf '%s\n' "$@" | sort -n | awk '
        function at(q,  i) { i = 1 + q * (NR - 1); return v[int(i)] + (i - int(i)) * (v[int(i) + 1] - v[int(i)]) }
        { v[NR] = $1 }
        END { printf "%d %d %d", at(0.5), at(0.25), at(0.75) }'
}

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'
}

xvfb_session_start
watch_maps

# Start-up: sixteen each, in pairs whose order alternates (program first, then reference
# first), so that neither always starts on the heels of the other; each start finds the
# machine settled.
app_starts=()
reference_starts=()
start_app_timed() {
    launch_until_mapped "$app" "蓝禾自动关机"
    app_starts+=("$MAPPED_AFTER_US")
    stop_app
    sleep 0.2
}
start_reference_timed() {
    launch_until_mapped "$reference" "ReferenceMonitor"
    reference_starts+=("$MAPPED_AFTER_US")
    stop_app
    sleep 0.2
}
for ((pair = 0; pair < 16; pair++)); do
    if ((pair % 2 == 0)); then
        start_app_timed
        start_reference_timed
    else
        start_reference_timed
        start_app_timed
    fi
done
read -r app_start_us app_start_low_us app_start_high_us <<<"$(quartiles "${app_starts[@]}")"
read -r reference_start_us reference_start_low_us reference_start_high_us \
    <<<"$(quartiles "${reference_starts[@]}")"

# Idle, side by side over the same seconds.
launch_until_mapped "$app" "蓝禾自动关机"
app_pid=$APP_PID
launch_until_mapped "$reference" "ReferenceMonitor"
reference_pid=$APP_PID
sleep 2
app_cpu=$(cpu_ns "$app_pid")
reference_cpu=$(cpu_ns "$reference_pid")
sleep "$seconds"
for pid in "$app_pid" "$reference_pid"; do
    kill -0 "$pid" 2>/dev/null || {
        echo "a program ended during the run:" >&2
        cat "$XVFB_SESSION_DIR/app.log" >&2
        exit 1
    }
done
app_idle=$(($(cpu_ns "$app_pid") - app_cpu))
reference_idle=$(($(cpu_ns "$reference_pid") - reference_cpu))
app_rss=$(status_kb "$app_pid" VmRSS)
reference_rss=$(status_kb "$reference_pid" VmRSS)
app_hwm=$(status_kb "$app_pid" VmHWM)
calls=0
[[ ! -f $(xvfb_session_calls) ]] || calls=$(wc -l <"$(xvfb_session_calls)")
kill "$reference_pid" 2>/dev/null || true
wait "$reference_pid" 2>/dev/null || true
APP_PID=$app_pid

milliseconds() {
    awk -v us="$1" 'BEGIN { printf "%.1f", us / 1000 }'
}

percent_of_core() {
    awk -v ns="$1" -v s="$seconds" 'BEGIN { printf "%.2f", 100 * ns / 1e9 / s }'
}

echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
echo "systemctl calls recorded: $calls"
echo "program:   $(percent_of_core "$app_idle") % of one core idle, VmRSS $app_rss kB" \
    "(VmHWM $app_hwm kB), window mapped after $(milliseconds "$app_start_us") ms" \
    "(middle half $(milliseconds "$app_start_low_us")–$(milliseconds "$app_start_high_us") ms)"
echo "reference: $(percent_of_core "$reference_idle") % of one core idle, VmRSS $reference_rss kB," \
    "window mapped after $(milliseconds "$reference_start_us") ms" \
    "(middle half $(milliseconds "$reference_start_low_us")–$(milliseconds "$reference_start_high_us") ms)"
echo "idle CPU ratio: $(ratio "$app_idle" "$reference_idle")"
echo "resident memory ratio: $(ratio "$app_rss" "$reference_rss")"
echo "time to a mapped window ratio: $(ratio "$app_start_us" "$reference_start_us")"
