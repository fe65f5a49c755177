#!/usr/bin/env bash
# The tests that start threads, built with ThreadSanitizer: the launcher's waiting threads and
# the hand-over of a command's end while the window closes.
set -euo pipefail
cmake --preset tsan
cmake --build --preset tsan -j"$(nproc)"
# ThreadSanitizer expects a fixed memory layout that the wider address randomisation of newer
# kernels can break ("unexpected memory mapping"); the tests then run without randomisation.
runner=()
if ! build/tsan/tests/platform/platform_tests --gtest_list_tests >/dev/null 2>&1; then
    echo "ThreadSanitizer cannot map its memory here: the tests run without address randomisation"
    runner=(setarch "$(uname -m)" --addr-no-randomize)
fi
"${runner[@]}" ctest --preset tsan
