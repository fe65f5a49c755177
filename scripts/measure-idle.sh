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

# Every window the server maps, stamped in microseconds as the event arrives. One client that
# stays connected: starting a client to look for the window would cost more than the time
# being measured, and would only see the window on its next look.
watch_maps() {
    maps=$XVFB_SESSION_DIR/maps
    : >"$maps"
    stdbuf -oL xev -root -event substructure -event property 2>/dev/null | while IFS= read -r line; do
        case $line in
        MapNotify*) echo "${EPOCHREALTIME/./}" >>"$maps" ;;
        PropertyNotify*) : >"$maps.ready" ;;
        esac
    done &
    # It is listening once it sees a property of the root window change.
    until [[ -e $maps.ready ]]; do
        xprop -root -f LANHE_MEASURE 8s -set LANHE_MEASURE ready
        sleep 0.05
    done
}

# Starts program $1, waits until the server has mapped a window for it and checks that it is
# the program's window titled $2; sets APP_PID, and MAPPED_AFTER_US to the microseconds from
# the start to the map. Not run in a subshell: APP_PID must reach stop_app.
launch_until_mapped() {
    local started seen
    seen=$(wc -l <"$maps")
    started=${EPOCHREALTIME/./}
    xvfb_session_launch "$1"
    until (($(wc -l <"$maps") > seen)); do
        kill -0 "$APP_PID" 2>/dev/null || {
            echo "$1 ended before its window showed:" >&2
            cat "$XVFB_SESSION_DIR/app.log" >&2
            return 1
        }
        sleep 0.002
    done
    xdotool search --onlyvisible --pid "$APP_PID" --name "^$2\$" >/dev/null 2>&1 || {
        echo "the window mapped after starting $1 is not its window $2" >&2
        return 1
    }
    MAPPED_AFTER_US=$(($(sed -n "$((seen + 1))p" "$maps") - started))
}

stop_app() {
    kill "$APP_PID" 2>/dev/null || true
    wait "$APP_PID" 2>/dev/null || true
    APP_PID=
}

median() {
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'
}

xvfb_session_start
watch_maps

# Start-up, alternating the two so that neither always finds the caches warm: the median of
# nine each.
app_starts=()
reference_starts=()
for _ in 1 2 3 4 5 6 7 8 9; do
    launch_until_mapped "$app" "蓝禾自动关机"
    app_starts+=("$MAPPED_AFTER_US")
    stop_app
    launch_until_mapped "$reference" "ReferenceMonitor"
    reference_starts+=("$MAPPED_AFTER_US")
    stop_app
done
app_start_us=$(median "${app_starts[@]}")
reference_start_us=$(median "${reference_starts[@]}")

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
    "(VmHWM $app_hwm kB), window mapped after $(milliseconds "$app_start_us") ms"
echo "reference: $(percent_of_core "$reference_idle") % of one core idle, VmRSS $reference_rss kB," \
    "window mapped after $(milliseconds "$reference_start_us") ms"
echo "idle CPU ratio: $(ratio "$app_idle" "$reference_idle")"
echo "resident memory ratio: $(ratio "$app_rss" "$reference_rss")"
echo "time to a mapped window ratio: $(ratio "$app_start_us" "$reference_start_us")"
