#!/usr/bin/env bash
# Builds lanhe-bench so that it keeps compiling; running it is a manual step (bench/CMakeLists.txt).
set -euo pipefail
cmake --preset bench
cmake --build --preset bench -j"$(nproc)"
