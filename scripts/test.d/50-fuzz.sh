#!/usr/bin/env bash
# The interface-table fuzzer under ASan and UBSan for about 30 s, from a copy of the corpus
# kept in the repository; any finding fails the step and is kept as build/fuzz/finding-*.
set -euo pipefail
cmake --preset fuzz
cmake --build --preset fuzz -j2
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r tests/fuzz/corpus "$work/corpus"
build/fuzz/tests/fuzz/interface_table_fuzzer -max_total_time=30 -print_final_stats=1 \
    -artifact_prefix=build/fuzz/finding- "$work/corpus"
