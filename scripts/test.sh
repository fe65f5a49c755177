#!/usr/bin/env bash
# Installs what is missing, then configures and builds each preset in turn, its tests running
# while the next one builds; every check is a CTest test (docs/testing.md). Ends with one
# summary read from CTest's own reports by tests/test_report.py: the time of each preset, the
# checks and time per label, each failure with its output, and last "Total: N passed, N failed,
# N skipped". Reports, build logs and times are kept in build/test-results/. A build that fails
# stops the run, as every later preset builds the same code; failing tests do not, so that one
# run shows every failure.
# Only the installation and the desktop-user check need root. Started through sudo, everything
# else runs as the invoking user, and that check runs last, as root, with no password asked in
# between. A user with sudo is asked once, at the start, and the run goes on as if started
# through sudo; without sudo, that check reports itself skipped. (--presets is that run of the
# invoking user's.)
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/privileges.sh

if ((EUID != 0)) && [[ ${1:-} != --presets ]] && command -v sudo >/dev/null; then
    echo "Root installs the packages and runs the desktop-user check; all else runs as $(id -un)."
    if sudo -v; then
        exec sudo bash scripts/test.sh
    fi
fi
results=build/test-results

# Appends a phase's line to the table the summary reads: step $1, phase $2, its seconds $3,
# passed or failed by the exit status $4, and its log $5.
record() {
    local outcome=passed
    (($4 == 0)) || outcome=failed
    printf '%s\t%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$outcome" "$5" >>"$results/steps.tsv"
}

# Configures and builds preset $1, the options after it added to the configure. The build
# yields to the tests running meanwhile: the end-to-end runs wait on real time.
build_preset() {
    local preset=$1 log=$results/$1-build.log started=$SECONDS status=0
    echo "=== $preset: configure and build"
    { cmake --preset "$preset" "${@:2}" && nice -n 10 cmake --build --preset "$preset" -j"$(nproc)"; } 2>&1 |
        tee "$log" || status=1
    record "$preset" build $((SECONDS - started)) "$status" "$log"
    return "$status"
}

# Runs the tests of preset $1 (the CTest options after it choose which) into its report, and
# the list of those tests, which carries their labels; $step names both.
test_preset() {
    local preset=$1 step=${step:-$1} started=$SECONDS status=0
    # A report an earlier run left would stand for a suite that this run could not start.
    rm -f "build/$preset/gtest-results/"*.xml
    ctest --preset "$preset" "${@:2}" --show-only=json-v1 >"$results/$step.tests.json"
    ctest --preset "$preset" "${@:2}" -j"$(nproc)" --output-junit "$PWD/$results/$step.xml" \
        >"$results/$step-tests.log" 2>&1 || status=1
    # A GoogleTest executable that runs whole under Wine leaves its cases in a report of its own.
    [[ ! -d build/$preset/gtest-results ]] || cp -r "build/$preset/gtest-results" "$results/$step.gtest"
    record "$step" tests $((SECONDS - started)) "$status" "$results/$step-tests.log"
}

# The tests of each preset start as soon as it is built and run meanwhile, while the next
# preset builds: the end-to-end runs mostly wait on real time. The steps under way, in the
# order they started, and their processes.
testing=() testing_pids=()
test_meanwhile() {
    echo "=== $1: tests started (output in $results/$1-tests.log)"
    test_preset "$@" &
    testing+=("$1") testing_pids+=($!)
}

wait_for_tests() {
    local i
    for i in "${!testing[@]}"; do
        wait "${testing_pids[i]}"
        echo "=== ${testing[i]}: tests done"
        sed -n '/tests passed, /,$p' "$results/${testing[i]}-tests.log"
    done
    testing=() testing_pids=()
}

# Every preset, fastest and most often failing first, and the desktop-user check with the
# default preset's tests unless $1 says it runs later. A failed build stops the run once the
# tests under way have ended; only a failed default build, which that check needs, fails this.
run_presets() {
    local default_tests=()
    [[ ${1:-} != desktop-later ]] || default_tests=(-LE desktop)
    rm -rf "$results"
    mkdir -p "$results"
    build_preset default -DLANHE_WITH_TESTS=ON -DLANHE_WITH_BENCHMARKS=ON || return 1
    test_meanwhile default "${default_tests[@]}"
    build_preset asan -DLANHE_WITH_TESTS=ON && test_meanwhile asan &&
        build_preset tsan -DLANHE_WITH_TESTS=ON && test_meanwhile tsan &&
        build_preset windows && test_meanwhile windows
    wait_for_tests
}

if [[ ${1:-} == --presets ]]; then
    run_presets desktop-later
    exit
fi

if ! bash scripts/install-deps.sh; then
    echo "Total: 0 passed, 1 failed, 0 skipped"
    exit 1
fi
# Root can read every account file: the run must leave them as they are.
accounts=$(mktemp)
trap 'rm -f "$accounts"' EXIT
((EUID != 0)) || python3 tests/desktop/host_accounts.py snapshot "$accounts"

user=$(invoking_user_of_tree)
if [[ -n $user ]]; then
    # The desktop-user check needs root and the default build: it runs here, once the user's
    # presets are done.
    if run_as_user "$user" scripts/test.sh --presets; then
        echo "=== desktop: tests"
        step=desktop test_preset default -L desktop
        cat "$results/desktop-tests.log"
    fi
else
    run_presets
fi
if [[ -s $accounts ]]; then
    python3 tests/desktop/host_accounts.py compare "$accounts" "$results/host.xml"
fi
if [[ -n $user ]]; then
    # What root left in the tree (reports, CTest's logs) is given back to the tree's user.
    find . ! -user "$user" -exec chown "$user": {} +
fi
record "whole run" "" "$SECONDS" 0 ""
python3 tests/test_report.py summary "$results"
