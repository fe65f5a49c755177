#!/usr/bin/env bash
# Every libFuzzer target under ASan and UBSan, about 60 s in all, each from a copy of its corpus
# in tests/fuzz/corpus/<reader>. One line per target; libFuzzer's statistics go to
# build/fuzz/fuzz.log. A crash, hang or broken contract fails the step, and the input that
# caused it is kept as build/fuzz/finding-<reader>-*.
set -euo pipefail
readers=(interface_table text_decoding text_to_number leading_number date_text number_format)
seconds_each=$((60 / ${#readers[@]}))

cmake --preset fuzz
cmake --build --preset fuzz -j"$(nproc)" --target "${readers[@]/%/_fuzzer}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
log=build/fuzz/fuzz.log
: >"$log"
failed=0
for reader in "${readers[@]}"; do
    cp -r "tests/fuzz/corpus/$reader" "$work/$reader"
    status=0
    "build/fuzz/tests/fuzz/${reader}_fuzzer" -max_total_time="$seconds_each" -timeout=5 \
        -print_final_stats=1 -artifact_prefix="build/fuzz/finding-$reader-" "$work/$reader" \
        >"$work/$reader.log" 2>&1 || status=$?
    cat "$work/$reader.log" >>"$log"
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$reader.log")
    findings=$(grep -c 'Test unit written to' "$work/$reader.log" || true)
    echo "fuzz $reader: ${runs:-?} runs in ${seconds_each} s, findings: $findings"
    if [[ $status -ne 0 ]]; then
        failed=1
        grep -E 'ERROR|SUMMARY|Test unit written to|deadly signal|timeout' \
            "$work/$reader.log" >&2 || true
    fi
done
if [[ $failed -ne 0 ]]; then
    echo "fuzzing found faults: see $log and build/fuzz/finding-*" >&2
    exit 1
fi
