#!/usr/bin/env bash
# The ordinary build and all its tests, widget tests offscreen and the end-to-end runs under
# Xvfb, whose scenarios report their progress here as they go.
set -euo pipefail
# scripts/run.sh builds the program alone; the tests are turned on again here.
cmake --preset default -DLANHE_WITH_TESTS=ON
cmake --build --preset default -j"$(nproc)"
progress=$PWD/build/default/e2e-progress.log
: >"$progress"
tail -n0 -F "$progress" 2>/dev/null &
follower=$!
trap 'sleep 1; kill "$follower" 2>/dev/null || true' EXIT
LANHE_E2E_PROGRESS=$progress ctest --preset default
