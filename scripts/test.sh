#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: each step in scripts/test.d in order.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
for step in scripts/test.d/*.sh; do
    echo "=== ${step##*/}"
    bash "$step"
done
echo "=== all test steps passed"
