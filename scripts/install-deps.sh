#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need (run as root).
set -euo pipefail
cd "$(dirname "$0")"
mapfile -t wanted < <(grep -vE '^\s*(#|$)' packages.txt)
missing=()
for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
