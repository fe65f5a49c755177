#!/usr/bin/env bash
# The start command as a desktop user meets it: a throw-away account that may use sudo runs
# `bash scripts/run.sh`, then `sudo bash scripts/run.sh`, in its own copy of the tree and
# without a display. Each time the program must run as that user and every file in the copy
# must be the user's. The packages are in place by now, so nothing is installed. The account,
# its sudo rule, its processes and its home go again at the end; the compiler cache of its
# builds is kept under build/ for the next run.
set -euo pipefail
cd "$(dirname "$0")/../.."
# Accounts and sudo rules are root's to make.
((EUID == 0)) || exec sudo bash "$0"

user=lanhe-check-$$
home=/home/$user
tree=$home/lanhe-shutdown
sudoers=/etc/sudoers.d/$user
cache=$PWD/build/desktop-user-ccache
cache_owner=$(stat -c %u:%g build 2>/dev/null || echo 0:0)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Every process of the account was started here, by this check. (Read from /proc: a bare
# Debian has no ps.)
end_the_users_processes() {
    local process
    for process in /proc/[0-9]*; do
        if [[ $(stat -c %U "$process" 2>/dev/null) == "$user" ]]; then
            kill -KILL "${process#/proc/}" 2>/dev/null || true
        fi
    done
}

cleanup() {
    rm -f "$sudoers"
    if id "$user" >/dev/null 2>&1; then
        end_the_users_processes
        if [[ -d $home/.ccache-kept ]]; then
            rm -rf "$cache"
            mv "$home/.ccache-kept" "$cache" && chown -R "$cache_owner" "$cache"
        fi
        userdel --remove "$user" 2>/dev/null || true
    fi
}
trap cleanup EXIT

create_user() {
    useradd --create-home --home-dir "$home" --shell /bin/bash "$user"
    echo "$user ALL=(ALL:ALL) NOPASSWD: ALL" >"$sudoers"
    chmod 440 "$sudoers"
    visudo -cqf "$sudoers" || fail "the sudo rule for $user is not valid"
    runuser -u "$user" -- mkdir "$tree"
    tar -C "$PWD" --exclude=./build --exclude=./.git -cf - . | runuser -u "$user" -- tar -C "$tree" -xf -
    if [[ -d $cache ]]; then
        mv "$cache" "$home/.ccache-kept"
    else
        mkdir "$home/.ccache-kept"
    fi
    chown -R "$user:" "$home/.ccache-kept"
}

# Runs the command line $1 in the user's copy of the tree as the user would: a login's bare
# environment, no display. The compiler cache, where there is one, is kept from run to run.
run_as_user() {
    local cache_env=()
    if command -v ccache >/dev/null; then
        cache_env=(CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_DIR="$home/.ccache-kept"
            CCACHE_BASEDIR="$tree" CCACHE_NOHASHDIR=1)
    fi
    runuser -u "$user" -- env -i HOME="$home" USER="$user" LOGNAME="$user" LANG=C.UTF-8 \
        PATH=/usr/local/bin:/usr/bin:/bin "${cache_env[@]}" bash -c "cd '$tree' && $1"
}

# The owner of every process that ran the copy's program while $1 (a process id) lived.
program_owners() {
    local program=$tree/build/default/src/window/lanhe-shutdown exe
    while kill -0 "$1" 2>/dev/null; do
        for exe in /proc/[0-9]*/exe; do
            if [[ $(readlink "$exe" 2>/dev/null) == "$program" ]]; then
                echo "${exe%/exe} $(stat -c %U "${exe%/exe}" 2>/dev/null)"
            fi
        done
        sleep 0.1
    done | sort -u | cut -d' ' -f2 | sort -u
}

# Runs the command line $1 as the user and expects the program to have run as the user, the
# screenshot taken, and nothing in the copy owned by anyone else.
expect_users_own_run() {
    local log=$home/run.log status=0 owners foreign
    rm -f "$tree/build/screenshot.png"
    run_as_user "$1" >"$log" 2>&1 &
    local run=$!
    owners=$(program_owners "$run")
    wait "$run" || status=$?
    ((status == 0)) || fail "'$1' as $user failed ($status): $(tail -n 20 "$log")"
    [[ -f $tree/build/screenshot.png ]] || fail "'$1' as $user took no screenshot: $(tail -n 20 "$log")"
    [[ -n $owners ]] || fail "'$1' as $user: the program was never seen running"
    [[ $owners == "$user" ]] || fail "'$1' as $user: the program ran as ${owners//$'\n'/ and }"
    foreign=$(find "$tree" ! -user "$user" | head -n 5)
    [[ -z $foreign ]] || fail "'$1' as $user left files of another owner: $foreign"
    echo "desktop user: '$1' built and ran the program as $user; every file in the tree is $user's"
}

create_user
expect_users_own_run "bash scripts/run.sh"
expect_users_own_run "sudo bash scripts/run.sh"
