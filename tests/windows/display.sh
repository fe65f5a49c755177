#!/usr/bin/env bash
# The display the Windows checks share, as a CTest fixture: "start STATE" brings up Xvfb through
# scripts/xvfb-session.sh and leaves what it started in the file STATE; "stop STATE" ends it.
set -euo pipefail
source "$(dirname "$0")/../../scripts/xvfb-session.sh"
state=$2
case $1 in
start)
    mkdir -p "$(dirname "$state")"
    # Xvfb's output away from CTest's pipe, which would otherwise stay open while Xvfb runs.
    xvfb_session_start </dev/null >/dev/null
    printf 'DISPLAY=%s\nXVFB_PID=%s\nXVFB_SESSION_DIR=%s\n' "$DISPLAY" "$XVFB_PID" \
        "$XVFB_SESSION_DIR" >"$state"
    echo "Xvfb on $DISPLAY"
    ;;
stop)
    [[ -f $state ]] || exit 0
    source "$state"
    xvfb_session_stop
    rm -f "$state"
    ;;
esac
