#!/usr/bin/env bash
# The ordinary build and all its tests, widget tests offscreen and the end-to-end run under Xvfb.
set -euo pipefail
cmake --preset default
cmake --build --preset default
ctest --preset default
