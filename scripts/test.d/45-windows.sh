#!/usr/bin/env bash
# The whole Windows program cross-built against Qt for Windows and packaged (zip, installer), then
# checked under Wine on a Simplified Chinese system in throwaway prefixes: the window's tests, the
# program from its zip driven on Xvfb, the installer and uninstaller, and what the files import.
set -euo pipefail
started=$SECONDS
bash scripts/unpack-qt-mingw.sh
cmake --preset windows
cmake --build --preset windows -j"$(nproc)" --target windows_packages window_tests \
    lanhe_recording_shutdown lanhe_desktop_probe

build=build/windows
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
package=lanhe-shutdown-$version-win64
zip=$build/$package.zip
setup=$build/$package-setup.exe
probe=$(realpath "$build/lanhe_desktop_probe.exe")
standIn=$build/lanhe_recording_shutdown.exe
title=蓝禾自动关机

export WINEDEBUG=-all
# The stand-in in the system directory is a native program; Wine's own shutdown.exe is never run.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d;shutdown.exe=n"
# Wine takes its code page and the language of its captions from the locale: 936 and Chinese, as
# on the Windows the program is made for. scripts/install-deps.sh generates the locale.
export LANG=zh_CN.UTF-8
unset LC_ALL DISPLAY WAYLAND_DISPLAY WINEPATH
scratch=$(mktemp -d)
export HOME=$scratch/home
mkdir -p "$HOME"
source scripts/xvfb-session.sh

stop_prefix() {
    [[ -d ${WINEPREFIX:-} ]] || return 0
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
}

# Twice: a Wine program that was starting as the server went down brings up another one.
finish() {
    stop_prefix
    xvfb_session_stop
    stop_prefix
    rm -rf "$scratch"
}
trap finish EXIT

# A fresh prefix, Wine's output away from the step's: its helper processes would otherwise hold
# the pipes open. The last prefix's server is waited for: a prefix made right after may get the
# same inode, and with it the same server socket.
new_prefix() {
    stop_prefix
    export WINEPREFIX=$scratch/$1
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
}

passed=0 failed=0
pass() {
    passed=$((passed + 1))
    echo "passed: $*"
}
fail() {
    failed=$((failed + 1))
    echo "FAILED: $*"
}
# Runs a check: "passed: NAME" or "FAILED: NAME" with what the check printed.
check() {
    local name=$1 output
    shift
    if output=$("$@" 2>&1); then
        pass "$name${output:+ ($output)}"
    else
        fail "$name${output:+: $output}"
    fi
}

# --- The DLLs every packaged file imports: those of the package, and Windows' own.
windows_dlls="advapi32 authz comdlg32 d3d11 d3d9 dwmapi dwrite dxgi gdi32 imm32 iphlpapi kernel32
mpr msvcrt netapi32 ole32 oleaut32 powrprof setupapi shcore shell32 shlwapi user32 userenv uxtheme
version winmm ws2_32 wtsapi32"
imports_only_packaged_and_windows() {
    local unpacked=$scratch/imports file dll foreign=()
    mkdir -p "$unpacked"
    unzip -q "$zip" -d "$unpacked"
    local packaged
    packaged=$(find "$unpacked" -iname '*.dll' -printf '%f\n' | tr '[:upper:]' '[:lower:]')
    while IFS= read -r file; do
        while read -r dll; do
            dll=${dll,,}
            grep -qx "$dll" <<<"$packaged" || grep -qw "${dll%.dll}" <<<"$windows_dlls" ||
                [[ $dll == api-ms-win-* ]] || foreign+=("${file##*/}: $dll")
        done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\tDLL Name: //p')
    done < <(find "$unpacked" -iname '*.exe' -o -iname '*.dll')
    if ((${#foreign[@]} > 0)); then
        printf '%s\n' "${foreign[@]}"
        return 1
    fi
    x86_64-w64-mingw32-objdump -p "$unpacked/$package/lanhe-shutdown.exe" |
        sed -n 's/^\tDLL Name: //p' | tr '\n' ' '
}
check "the packaged files import only the package's DLLs and Windows' own" \
    imports_only_packaged_and_windows
# One C++ runtime in the process: the one Qt uses, never a second linked into the program.
one_cxx_runtime() {
    local imports
    imports=$(x86_64-w64-mingw32-objdump -p "$build/lanhe-shutdown.exe")
    grep -q 'DLL Name: libstdc++-6.dll' <<<"$imports"
}
check "the program uses Qt's C++ runtime, libstdc++-6.dll" one_cxx_runtime

# --- A prefix set up as a Chinese Windows shows text, Wine drawing the window frames itself
# (there is no window manager to draw them on Xvfb).
new_prefix program
bash ../shared/qt-mingw/wine-fonts-setup.sh
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1

# --- The window's tests, one CTest entry; the count of cases comes from their report.
results=$build/gtest-results
rm -f "$results"/*.xml
ctestStatus=0
ctest --preset windows -R '^window_tests$' --timeout 300 || ctestStatus=$?
tests=0 testFailures=0 testSkips=0
report=$results/window_tests.xml
summary=$(sed -n 's/.*<testsuites tests="\([0-9]*\)" failures="\([0-9]*\)" disabled="\([0-9]*\)" errors="\([0-9]*\)".*/\1 \2 \4 \3/p' "$report" 2>/dev/null || true)
if [[ -n $summary ]]; then
    read -r tests failures errors disabled <<<"$summary"
    testSkips=$((disabled + $(grep -c 'result="skipped"' "$report" || true)))
    testFailures=$((failures + errors))
    passed=$((passed + tests - testFailures - testSkips))
    failed=$((failed + testFailures))
    echo "the window's tests under Wine: $tests cases, $testFailures failed, $testSkips skipped"
    # A run that failed with every case passed ended in some other way: a crash on the way out.
    ((ctestStatus == 0 || testFailures > 0)) || fail "the window's tests ended with a failure"
else
    fail "no readable report of the window's tests"
fi

# --- The stand-in for shutdown.exe, where the program looks for it: the prefix's system
# directory. It is seen to be the one that runs before anything is armed.
system32=$WINEPREFIX/drive_c/windows/system32
calls=$system32/shutdown.calls
cp "$standIn" "$system32/shutdown.exe"
stand_in_runs() {
    rm -f "$calls"
    wine 'C:\windows\system32\shutdown.exe' -probe </dev/null >/dev/null 2>&1 || return 1
    [[ $(tr -d '\r' <"$calls" 2>/dev/null) == *shutdown.exe*' -probe' ]] || return 1
    rm -f "$calls"
}
if ! check "the recording stand-in is what runs as C:\\windows\\system32\\shutdown.exe" \
    stand_in_runs; then
    echo "Windows suite under Wine: $passed tests passed, $failed failed, 0 skipped"
    exit 1
fi

# --- The program from its unpacked zip, started from another folder: it finds its DLLs and
# plugins beside itself, and nothing else of Qt is on its path.
xvfb_session_start || { fail "Xvfb did not come up"; exit 1; }

portable=$WINEPREFIX/drive_c/portable
mkdir -p "$portable"
unzip -q "$zip" -d "$portable"
(cd "$HOME" && exec wine "C:\\portable\\$package\\lanhe-shutdown.exe" >"$scratch/app.log" 2>&1) &
APP_PID=$!

# Waits up to $2 tenths of a second for file $1 to hold something.
wait_for_file() {
    local attempt
    for ((attempt = 0; attempt < $2; attempt++)); do
        [[ ! -s $1 ]] || return 0
        sleep 0.1
    done
}

# The ids of the visible windows titled 蓝禾自动关机, waiting up to $1 tenths of a second for $2 of them.
windows_titled() {
    local attempt ids
    for ((attempt = 0; attempt < $1; attempt++)); do
        ids=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null || true)
        if (($(grep -c . <<<"$ids") == $2)); then
            echo "$ids"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

if ! form=$(windows_titled 600 1); then
    fail "the window did not appear: $(cat "$scratch/app.log")"
    exit 1
fi
sleep 1
read -r width height left top < <(wine "$probe" client "$title" 2>/dev/null) || true
window_size() {
    echo "client area ${width:-?}x${height:-?}"
    [[ "${width:-}x${height:-}" == 1038x199 ]]
}
check "the window's client area is 1038x199 (15570 x 2985 twips)" window_size
# Taken from the screen at the window's place: a capture of Wine's window itself comes out cut at
# 1024 pixels, the frame's right end and the close button missing.
read -r frameX frameY frameWidth frameHeight < <(xwininfo -id "$form" |
    sed -n 's/^ *\(Absolute upper-left [XY]\|Width\|Height\): *//p' | paste -sd ' ')
import -window root -crop "${frameWidth}x${frameHeight}+${frameX}+${frameY}" +repage \
    build/windows-screenshot.png
echo "screenshot: build/windows-screenshot.png"

# Clicks the middle of a control given by its twips position in the client area.
click_control() {
    xdotool mousemove $((left + ($1 + $3 / 2) / 15)) $((top + ($2 + $4 / 2) / 15)) click 1
    sleep 0.3
}
type_into() {
    click_control "$1" "$2" "$3" "$4"
    xdotool key ctrl+a BackSpace
    [[ -z $5 ]] || xdotool type --delay 20 "$5"
}

# The message box open over the form holds each of the texts given: its text and its button's,
# copied as a Windows user copies them (Ctrl+C). The box is answered with Return.
message_shown() {
    local box ids text attempt
    ids=$(windows_titled 100 2) || { echo "no message box"; return 1; }
    box=$(grep -vx "$form" <<<"$ids")
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    sleep 0.3
    xdotool key ctrl+c
    sleep 0.3
    text=$(wine "$probe" clipboard 2>/dev/null | tr -d '\r')
    xdotool key Return
    windows_titled 50 1 >/dev/null || { echo "the box stayed open"; return 1; }
    local expected
    for expected in "$@"; do
        [[ $text == *"$expected"* ]] || { echo "the box said: $text"; return 1; }
    done
    echo "$*"
}

# An empty year with 关机 chosen in the left panel: the text is no date.
type_into 600 240 735 375 ""            # Text1
click_control 360 1200 855 495          # Option1 关机
click_control 1320 2160 2655 495        # Command1 确定
check "an empty year and 确定 show the message box for no date, its button in Chinese" \
    message_shown "!请输入正确的时间!" "确定"

# The right panel armed with 关机 on a harmless process of the prefix; the process then ends.
hold=$WINEPREFIX/drive_c/hold.pid
(wine "$probe" hold 'C:\hold.pid' </dev/null >/dev/null 2>&1 &)
wait_for_file "$hold" 100
held=$(cat "$hold" 2>/dev/null || true)
type_into 12360 240 855 435 "$held"     # Text10
click_control 10680 1200 855 495        # Option9 关机
click_control 11880 2160 2535 495       # Command5 确定
check "the process panel armed on process $held" message_shown "设置成功!"
sleep 2.5
quiet_while_it_runs() {
    [[ ! -e $calls ]] || { cat "$calls"; return 1; }
}
check "nothing is started while the watched process runs" quiet_while_it_runs
rm -f "$hold"
wait_for_file "$calls" 150
# A few more ticks: the action must have been started once only.
sleep 2.5
shutdown_started_once() {
    local recorded
    recorded=$(tr -d '\r' <"$calls" 2>/dev/null || true)
    [[ $recorded == 'shutdown -f -s -t 0' ]] || { echo "recorded: ${recorded:-nothing}"; return 1; }
    kill -0 "$APP_PID" 2>/dev/null || { echo "the program is gone"; return 1; }
    echo "$recorded"
}
check "the process ended: the shutdown command line was started once (stand-in)" \
    shutdown_started_once
kill "$APP_PID" 2>/dev/null || true
APP_PID=

# --- The installer, silently in a fresh prefix; the program it installed starts; the
# uninstaller, silently, leaves nothing behind.
new_prefix installer
cp "$setup" "$WINEPREFIX/drive_c/"
wine "C:\\$package-setup.exe" /S </dev/null >/dev/null 2>&1 || true
wineserver -w
user=$(id -un)
user_dir=$WINEPREFIX/drive_c/users/$user
installed=$user_dir/AppData/Local/Programs/lanhe-shutdown
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/$title.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\lanhe-shutdown'
files_of() {
    (cd "$1" && find . -type f | sort)
}
installed_as_packaged() {
    local packaged
    packaged=$(files_of "$portable/$package")
    [[ $(files_of "$installed" | grep -vx './uninstall.exe') == "$packaged" ]] ||
        { echo "installed: $(files_of "$installed" | tr '\n' ' ')"; return 1; }
    [[ -f $installed/uninstall.exe && -f $shortcut ]] ||
        { echo "no uninstaller or shortcut"; return 1; }
    echo "$(grep -c . <<<"$packaged") files, uninstall.exe, Start-menu shortcut"
}
check "the installer installs the package's files for the user, and a shortcut" \
    installed_as_packaged
# The Uninstall key as a .reg file: reg's own listing comes in the console's code page.
uninstall_entry() {
    rm -f "$WINEPREFIX/drive_c/entry.reg"
    wine reg export "$uninstall_key" 'C:\entry.reg' /y </dev/null >/dev/null 2>&1 || return 1
    iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/entry.reg" | tr -d '\r'
}
registered() {
    local entry expected folder='C:\\users\\'"$user"'\\AppData\\Local\\Programs\\lanhe-shutdown'
    entry=$(uninstall_entry) || { echo "no Uninstall key"; return 1; }
    for expected in "\"DisplayName\"=\"$title\"" "\"DisplayVersion\"=\"$version\"" \
        "\"Publisher\"=\"The $title developers\"" \
        "\"DisplayIcon\"=\"$folder\\\\lanhe-shutdown.exe,0\"" \
        "\"UninstallString\"=\"\\\"$folder\\\\uninstall.exe\\\"\""; do
        grep -qxF "$expected" <<<"$entry" || { echo "no $expected in: $entry"; return 1; }
    done
    echo "name, version, publisher, icon, uninstaller"
}
check "the uninstaller is registered for the user under Uninstall" registered

program='C:\users\'"$user"'\AppData\Local\Programs\lanhe-shutdown'
(cd "$HOME" && exec wine "$program\lanhe-shutdown.exe" >"$scratch/installed.log" 2>&1) &
APP_PID=$!
installed_starts() {
    windows_titled 600 1 >/dev/null || { cat "$scratch/installed.log"; return 1; }
}
check "the installed program starts and shows its window" installed_starts
kill "$APP_PID" 2>/dev/null || true
APP_PID=
wineserver -w

wine "$program\uninstall.exe" /S </dev/null >/dev/null 2>&1 || true
wineserver -w
uninstalled() {
    [[ ! -e $installed ]] || { echo "left: $(files_of "$installed" | tr '\n' ' ')"; return 1; }
    [[ ! -e $shortcut ]] || { echo "the shortcut is left"; return 1; }
    ! uninstall_entry >/dev/null || { echo "the key is left"; return 1; }
}
check "the uninstaller removes the files, the shortcut and the key" uninstalled

zipSize=$(stat -c %s "$zip") setupSize=$(stat -c %s "$setup")
echo "packages: $zip ($((zipSize / 1024)) KiB), $setup ($((setupSize / 1024)) KiB)"
echo "Windows suite under Wine: $passed tests passed, $failed failed, $testSkips skipped" \
    "($((SECONDS - started))s including the cross build)"
((failed == 0 && testSkips == 0 && passed > 0))
