#!/usr/bin/env bash
# The Qt-free core, its Windows platform files and their tests, cross-compiled with
# MinGW-w64 and run under Wine in a throwaway prefix, without a display, on a Simplified
# Chinese system; then the program's Windows resource file, compiled as its build does.
set -euo pipefail
started=$SECONDS
cmake --preset mingw-tests
cmake --build --preset mingw-tests -j"$(nproc)"

export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
# Wine takes the ANSI code page from the locale: 936 (GBK) under zh_CN, as on the Windows
# the program is made for. scripts/install-deps.sh generates the locale.
export LC_ALL=zh_CN.UTF-8
WINEPREFIX=$(mktemp -d)
HOME=$(mktemp -d)
export WINEPREFIX HOME
unset DISPLAY WAYLAND_DISPLAY
# Wine's helper processes hold on to the output pipes of the process that started them;
# stopping the server ends them all. The server is waited for: a prefix made right after
# may get the same inode, and with it the same server socket.
trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; rm -rf "$WINEPREFIX" "$HOME"' EXIT

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
skippedNames=()
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
    mapfile -t -O "${#skippedNames[@]}" skippedNames < <(sed -n \
        's/.*<testcase name="\([^"]*\)".*result="skipped".*classname="\([^"]*\)".*/\2.\1/p' "$report")
done
skipped=$((skipped + ${#skippedNames[@]}))
passed=$((total - failed - skipped))
# Everything a Windows test waits for is here, the code page included: a skip is a fault.
if ((skipped > 0)); then
    echo "skipped under Wine: ${skippedNames[*]:-(disabled tests)}"
fi

# The resource file: compiles, and holds the icon's five images in order in the group named
# IDI_ICON1, the manifest as well-formed XML, and the project's version.
resources_ok=1
check_resources() {
    local version major minor patch
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/mingw-tests/CMakeCache.txt)
    IFS=. read -r major minor patch <<<"$version"
    local compiled=build/mingw-tests/lanhe-shutdown.res
    x86_64-w64-mingw32-windres -I packaging/windows -I resources/icons -DLANHE_VERSION="$version" \
        -DLANHE_VERSION_MAJOR="$major" -DLANHE_VERSION_MINOR="$minor" \
        -DLANHE_VERSION_PATCH="$patch" packaging/windows/lanhe-shutdown.rc -O res -o "$compiled" || return 1
    xmllint --noout packaging/windows/lanhe-shutdown.manifest || return 1
    local listing
    listing=$(x86_64-w64-mingw32-windres -i "$compiled" -O rc) || return 1
    # "width height colors pad", planes, bits, ... per image; widths 16, 256 (as 0), 48, 32, 16.
    local images
    images=$(sed -n 's/^ *"\\\([0-7]*\)\\[0-7]*\\000\\000", 1, \([0-9]*\),.*Element no.*/\1:\2/p' \
        <<<"$listing" | tr '\n' ' ')
    if [[ $images != "020:24 000:32 060:32 040:32 020:32 " ]]; then
        echo "icon images (octal width:bits) are: ${images:-none}"
        return 1
    fi
    # The name Qt's Windows windows take their icon from before the program sets one.
    grep -q '^"IDI_ICON1" 14 /\* RT_GROUP_ICON' <<<"$listing" ||
        { echo "the icon group is not named IDI_ICON1"; return 1; }
    grep -q 'RT_MANIFEST' <<<"$listing" || { echo "no manifest resource"; return 1; }
    grep -q "FILEVERSION $major, $minor, $patch, 0" <<<"$listing" ||
        { echo "no version $version"; return 1; }
    grep -q 'VALUE "LegalCopyright", L"Copyright (c) 2026' <<<"$listing" ||
        { echo "no copyright"; return 1; }
}
check_resources || resources_ok=0
if ((resources_ok)); then
    echo "Windows resource file: compiles; icon IDI_ICON1 16x16 24-bit, 256, 48, 32, 16 32-bit; manifest; version; copyright"
else
    echo "Windows resource file: FAILED"
fi

echo "Windows suite under Wine: ${passed} tests passed, ${failed} failed, ${skipped} skipped ($((SECONDS - started))s including the cross build)"
((status == 0 && failed == 0 && skipped == 0 && passed > 0 && resources_ok))
