#!/usr/bin/env bash
# Starts the packaged program on its own Xvfb, as the menu entry would, with the recording
# stand-in for systemctl alone on its PATH and a home of its own; once its window shows, keeps
# the libraries it loaded (maps) and what the stand-in recorded (systemctl.calls) in the output
# folder for package_checks.py to judge.
# Usage: run_packaged_program.sh <program> <output folder> <repository root>
set -euo pipefail
program=$1 out=$2
source "$3/scripts/xvfb-session.sh"
trap xvfb_session_stop EXIT
mkdir -p "$out/home"
export HOME=$out/home XDG_CONFIG_HOME=$out/home/.config LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY

xvfb_session_start
xvfb_session_launch "$program"
xvfb_session_find_window "蓝禾自动关机" >/dev/null
cp "/proc/$APP_PID/maps" "$out/maps"
cp "$(xvfb_session_calls)" "$out/systemctl.calls" 2>/dev/null || : >"$out/systemctl.calls"
