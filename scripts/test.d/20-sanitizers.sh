#!/usr/bin/env bash
# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
