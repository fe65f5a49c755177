#!/usr/bin/env bash
# Unpacks Qt for Windows (cross-built with MinGW-w64, from the shared folder) into
# build/qt-mingw/prefix, where the windows preset looks for it; again only when the archive
# has changed. The archive has no translations: Qt's Chinese texts (确定 in the message boxes)
# are added from Debian's Qt of the same version, as the catalogues are the same on every system.
# Usage: scripts/unpack-qt-mingw.sh [folder holding the archive and SHA256SUMS]
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$(realpath "${1:-../shared/qt-mingw}")
archive=qt6.4.2-mingw64-widgets.tar.xz
target=build/qt-mingw
(cd "$source_dir" && sha256sum --check --quiet --ignore-missing SHA256SUMS)
sum=$(sha256sum "$source_dir/$archive" | cut -d' ' -f1)
if [[ -x $target/prefix/bin/qt-cmake && $(cat "$target/unpacked-from" 2>/dev/null) == "$sum" ]]
then
    exit 0
fi
rm -rf "$target"
mkdir -p "$target"
tar -xJf "$source_dir/$archive" -C "$target"
mkdir -p "$target/prefix/translations"
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$target/prefix/translations/"
echo "$sum" >"$target/unpacked-from"
