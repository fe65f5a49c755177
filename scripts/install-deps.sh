#!/usr/bin/env bash
# Installs the Debian packages named in the given lists in scripts/; without arguments
# packages.txt, everything that building, running and testing need. Only the installation
# itself runs as root, through sudo when the user is not root.
set -euo pipefail
cd "$(dirname "$0")"
source ./privileges.sh
lists=("${@:-packages.txt}")
mapfile -t wanted < <(cat "${lists[@]}" | grep -vE '^\s*(#|$)')
missing=()
for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi

# The Windows suite runs under a Simplified Chinese locale, in which Wine's ANSI code page is
# 936 (GB2312/GBK) as on the program's home systems. Only the tests need it.
if [[ " ${lists[*]} " == *" packages.txt "* ]] && ! locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8'; then
    echo "Generating the zh_CN.UTF-8 locale"
    as_root sed -i 's/^#[[:space:]]*\(zh_CN\.UTF-8 UTF-8\)/\1/' /etc/locale.gen 2>/dev/null || true
    grep -qx 'zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null ||
        echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen
fi
