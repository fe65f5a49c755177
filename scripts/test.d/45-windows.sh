#!/usr/bin/env bash
# The Windows program, its tests and its packages: the windows presets, whose tests (labels wine
# and windows) run under Wine.
set -euo pipefail
cmake --preset windows
cmake --build --preset windows -j"$(nproc)"
ctest --preset windows
