#!/usr/bin/env bash
# The Qt-free core and its Windows platform files, cross-compiled with MinGW-w64.
set -euo pipefail
cmake --preset mingw
cmake --build --preset mingw
