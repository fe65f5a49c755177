#!/usr/bin/env bash
# The Qt-free core, its Windows platform files and their tests, cross-compiled with
# MinGW-w64 and run under Wine in a throwaway prefix, without a display.
set -euo pipefail
started=$SECONDS
cmake --preset mingw-tests
cmake --build --preset mingw-tests -j2

export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
WINEPREFIX=$(mktemp -d)
HOME=$(mktemp -d)
export WINEPREFIX HOME
unset DISPLAY WAYLAND_DISPLAY
# Wine's helper processes hold on to the output pipes of the process that started them;
# stopping the server ends them all.
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX" "$HOME"' EXIT

# A persistent server and a prefix made up front, both with their output away from CTest's
# pipes: otherwise every test waits for helpers that outlive it.
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1

results=build/mingw-tests/gtest-results
rm -f "$results"/*.xml
status=0
ctest --preset mingw-tests --timeout 120 || status=$?

# One CTest entry per test program; the count of test cases comes from their reports.
total=0 failed=0 skipped=0
shopt -s nullglob
for report in "$results"/*.xml; do
    summary=$(sed -n 's/.*<testsuites tests="\([0-9]*\)" failures="\([0-9]*\)" disabled="\([0-9]*\)" errors="\([0-9]*\)".*/\1 \2 \4 \3/p' "$report")
    if [[ -z $summary ]]; then
        echo "unreadable test report: $report"
        status=1
        continue
    fi
    read -r tests failures errors disabled <<<"$summary"
    total=$((total + tests)) failed=$((failed + failures + errors)) skipped=$((skipped + disabled))
    skipped=$((skipped + $(grep -c 'result="skipped"' "$report" || true)))
done
passed=$((total - failed - skipped))
echo "Windows suite under Wine: ${passed} tests passed, ${failed} failed, ${skipped} skipped ($((SECONDS - started))s including the cross build)"
((status == 0 && failed == 0 && passed > 0))
