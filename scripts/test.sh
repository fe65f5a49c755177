#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: each step in scripts/test.d in order,
# its output also kept in build/test-logs/. Each step ends with the time it took, and the run
# with the test counts of all steps: "Total: N passed, N failed, N skipped" on the last line.
# Only the installation runs as root; started through sudo, the tests run as the invoking user.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/privileges.sh
if ! bash scripts/install-deps.sh; then
    echo "Total: 0 passed, 1 failed, 0 skipped"
    exit 1
fi
rerun_as_invoking_user scripts/test.sh

logs=build/test-logs
mkdir -p "$logs"
passed=0 failed=0 skipped=0
times=()

minutes_and_seconds() {
    if (($1 >= 60)); then
        echo "$(($1 / 60)) min $(($1 % 60)) s"
    else
        echo "$1 s"
    fi
}

# Adds the counts a step's log reports to the totals: the Windows suite's own line where there
# is one (its CTest runs whole programs), else every CTest summary, less the tests not run.
add_counts() {
    local log=$1 wine total failures notRun
    wine=$(sed -n 's/^Windows suite under Wine: \([0-9]*\) tests passed, \([0-9]*\) failed, \([0-9]*\) skipped.*/\1 \2 \3/p' "$log" | tail -n1)
    if [[ -n $wine ]]; then
        read -r total failures notRun <<<"$wine"
        passed=$((passed + total)) failed=$((failed + failures)) skipped=$((skipped + notRun))
        return
    fi
    while read -r failures total; do
        notRun=$(grep -cE '^ *[0-9]+ - .* \((Skipped|Disabled)\)$' "$log")
        passed=$((passed + total - failures - notRun))
        failed=$((failed + failures)) skipped=$((skipped + notRun))
    done < <(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests\? failed out of \([0-9]*\)$/\1 \2/p' "$log")
}

status=0
for step in scripts/test.d/*.sh; do
    name=${step##*/}
    log=$logs/${name%.sh}.log
    echo "=== $name"
    started=$SECONDS
    bash "$step" 2>&1 | tee "$log"
    stepStatus=${PIPESTATUS[0]}
    failedBefore=$failed
    add_counts "$log"
    result=passed
    if ((stepStatus != 0)); then
        result=FAILED
        # A step that fails before any test does (a build error, say) still counts as a failure.
        ((failed > failedBefore)) || failed=$((failed + 1))
    fi
    times+=("$(printf '%-22s %-7s %s' "$name" "$result" "$(minutes_and_seconds $((SECONDS - started)))")")
    echo "=== $name $result in $(minutes_and_seconds $((SECONDS - started))); output in $log"
    if ((stepStatus != 0)); then
        status=1
        break
    fi
done

echo "=== time per step"
printf '%s\n' "${times[@]}"
echo "Total: $passed passed, $failed failed, $skipped skipped"
exit "$status"
