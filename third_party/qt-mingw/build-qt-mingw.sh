#!/usr/bin/env bash
# Builds the Qt for Windows that the Windows program is made with: qtbase 6.4.2 from Debian 12's
# source package, cross-compiled with Debian's MinGW-w64 (posix threads), shared, Release,
# stripped, then packed as the archive kept beside this script. Never part of a test run: the
# archive in the tree is what the build uses; this script is how it was made, and rebuilding it
# shows whether the same archive comes out.
#
#   Needs:  qt6-base-dev qt6-base-dev-tools (moc, rcc and uic of the same 6.4.2 run on the host),
#           g++-mingw-w64-x86-64-posix, cmake, ninja-build, perl, xz-utils, dpkg-dev
#   Usage:  third_party/qt-mingw/build-qt-mingw.sh [WORK_DIR]     (default build/qt-mingw-rebuild)
#           JOBS=4 third_party/qt-mingw/build-qt-mingw.sh
#   About 30 to 40 minutes on two cores; the work folder needs about 1.5 GB. A step that already
#   finished is skipped when the script runs again.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(realpath -m "${1:-$here/../../build/qt-mingw-rebuild}")
jobs=${JOBS:-2}
version=6.4.2
debian_version=$version+dfsg-10
triple=x86_64-w64-mingw32
archive_name=qt$version-mingw64-widgets.tar.xz
sources=$work/debian-source
src=$work/qtbase-everywhere-src-$version
build=$work/build
# The prefix Qt is configured for, the same on every machine: Qt6Core.dll carries it, and Qt
# finds itself relative to the DLL at run time (a relocatable build), so it never has to exist.
prefix=/qt-mingw/prefix
stage=$work/stage
toolchain=$here/mingw-w64-x86_64.toolchain.cmake
# The one date the archive's files and the DLLs' headers carry: 1 January 2023.
epoch=1672531200
mkdir -p "$work"

# Debian's source package, fetched with apt from the mirror this machine's apt already uses,
# through a deb-src list of our own: the system's apt configuration is not touched.
fetch_source() {
    [[ ! -f $sources/qt6-base_$debian_version.dsc ]] || return 0
    mkdir -p "$sources/lists/partial"
    local uri
    uri=$(grep -rhoE '^URIs: *\S+' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n1 |
        awk '{print $2}')
    [[ -n $uri ]] || uri=$(grep -hoE '^deb +\S+' /etc/apt/sources.list | head -n1 | awk '{print $2}')
    printf 'Types: deb-src\nURIs: %s\nSuites: bookworm\nComponents: main\nSigned-By: %s\n' \
        "$uri" /usr/share/keyrings/debian-archive-keyring.gpg >"$sources/src.sources"
    local apt=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$sources"
        -o Dir::State::Lists="$sources/lists")
    apt-get "${apt[@]}" update
    (cd "$sources" && apt-get "${apt[@]}" source --download-only "qt6-base=$debian_version")
}

# Debian's tarball plus the upstream security fixes Debian carries. Debian's own packaging
# patches concern its Linux package and are left out.
unpack_source() {
    [[ ! -f $src/.patched ]] || return 0
    rm -rf "$src" "$work/debian"
    tar -C "$work" -xf "$sources/qt6-base_$version+dfsg.orig.tar.xz"
    tar -C "$work" -xf "$sources/qt6-base_$debian_version.debian.tar.xz"
    local fix
    for fix in cve-2023-32762.diff cve-2023-32763.diff cve-2023-33285.diff cve-2023-24607.patch \
        upstream_Add-HPPA-detection.patch upstream_Add-M68k-detection.patch; do
        patch -d "$src" -p1 -s <"$work/debian/patches/$fix"
    done
    touch "$src/.patched"
}

# Why each option:
#   -qt-host-path /usr         the host's Qt 6.4.2 supplies moc, rcc and uic (same version needed)
#   -release -shared           DLLs, optimised, no debug information
#   -no-opengl                 Widgets and the windows and vista style plugins build without it
#   -no-dbus -no-icu           D-Bus is for Linux desktops; ICU is off on Windows by default
#   -qt-zlib -qt-libpng -qt-pcre -qt-doubleconversion -qt-harfbuzz
#                              Qt's bundled copies: nothing from the host or the MinGW sysroot
#   -no-libjpeg -no-zstd       PNG, ICO and GIF are the only images the program reads
#   -no-freetype               the windows platform draws text with GDI and DirectWrite
#   -no-pkg-config             no .pc file of the host can leak in
#   -no-feature-sql/network/xml/printsupport/concurrent   modules the program does not use
#   -no-feature-direct2d1_1    only the experimental direct2d platform plugin; DirectWrite stays,
#                              which the windows plugin needs to link in 6.4.2
#   -no-feature-tabletevent    Debian's tarball drops wintab.h, which tablet support includes
#   -no-feature-vulkan         no Vulkan headers for MinGW
#   -ffile-prefix-map          file names compiled into the DLLs read qtbase/..., not this folder
#   --no-insert-timestamp      no build time in the DLLs' headers: a rebuild gives the same bytes
#   QT_AVOID_CMAKE_ARCHIVING_API   the MIME database compiled into Qt6Core is compressed by Qt's
#                              Perl script with an empty gzip header; CMake's own archiver would
#                              write the time of the build into it
#   QT_HOST_PATH_CMAKE_DIR     Debian keeps the host Qt's CMake files in the multiarch folder
configure_qt() {
    local map="-ffile-prefix-map=$src=qtbase -ffile-prefix-map=$build=build"
    local link=-Wl,--no-insert-timestamp
    local options=(-prefix "$prefix" -qt-host-path /usr -xplatform win32-g++ -release -shared
        -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -qt-zlib -qt-libpng
        -no-libjpeg -qt-pcre -qt-doubleconversion -no-zstd -qt-harfbuzz -no-freetype
        -no-pkg-config -no-feature-sql -no-feature-network -no-feature-xml
        -no-feature-printsupport -no-feature-concurrent -no-feature-direct2d1_1
        -no-feature-tabletevent -no-feature-vulkan -- -G Ninja
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
        -DQT_AVOID_CMAKE_ARCHIVING_API=ON -DCMAKE_C_FLAGS="$map" -DCMAKE_CXX_FLAGS="$map"
        -DCMAKE_SHARED_LINKER_FLAGS="$link" -DCMAKE_MODULE_LINKER_FLAGS="$link"
        -DCMAKE_EXE_LINKER_FLAGS="$link")
    # A build configured with other options than these is started again from scratch.
    if [[ -f $build/build.ninja && $(cat "$build/configured-with" 2>/dev/null) == "${options[*]}" ]]; then
        return 0
    fi
    rm -rf "$build"
    mkdir -p "$build"
    (cd "$build" && nice -n 19 "$src/configure" "${options[@]}") >"$work/configure.log" 2>&1 ||
        { tail -n 40 "$work/configure.log" >&2; return 1; }
    echo "${options[*]}" >"$build/configured-with"
}

build_and_install() {
    (cd "$build" && nice -n 19 ninja -j"$jobs") >"$work/build.log" 2>&1 ||
        { grep -E -A5 '^FAILED' "$work/build.log" | head -n 40 >&2; return 1; }
    rm -rf "$stage"
    DESTDIR=$stage cmake --install "$build" >"$work/install.log"
}

# What a Widgets program needs and nothing else, the MinGW runtime beside Qt's DLLs so that a
# program can be deployed from the prefix alone, and every DLL stripped.
slim_prefix() {
    local root=$stage$prefix runtime=/usr/lib/gcc/$triple/12-posix
    cp "$runtime/libgcc_s_seh-1.dll" "$runtime/libstdc++-6.dll" \
        "/usr/$triple/lib/libwinpthread-1.dll" "$root/bin/"
    # strip stamps the DLLs it writes with the present time unless it is given one.
    find "$root" -name '*.dll' -exec env SOURCE_DATE_EPOCH=$epoch "$triple-strip" --strip-unneeded {} +
    find "$root/mkspecs" -mindepth 1 -maxdepth 1 -type d ! -name win32-g++ ! -name common \
        ! -name features ! -name modules -exec rm -rf {} +
    rm -rf "$root/doc"
    # qmake's and Qt's own build files name the folders Qt was built in: one name for them all.
    grep -rlIF "$work" "$root" | xargs -r sed -i "s|$work|/qt-mingw/work|g"
    # The toolchain travels with the prefix, and qt.toolchain.cmake loads that copy, not the
    # path it was configured with: the prefix works wherever it is unpacked.
    cp "$toolchain" "$root/lib/cmake/Qt6/mingw-w64-x86_64.toolchain.cmake"
    sed -i 's|^set(__qt_initially_configured_toolchain_file ".*")|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.toolchain.cmake")|' \
        "$root/lib/cmake/Qt6/qt.toolchain.cmake"
    grep -q 'CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.toolchain.cmake' \
        "$root/lib/cmake/Qt6/qt.toolchain.cmake"
}

# Names sorted, one owner, one time: the archive depends on the files alone.
pack() {
    tar -C "$stage/qt-mingw" --sort=name --owner=0 --group=0 --numeric-owner \
        --mtime=@$epoch --format=gnu -cf - prefix | xz -9 -T1 >"$work/$archive_name"
    (cd "$work" && sha256sum "$archive_name")
    if (cd "$here" && sha256sum --check --quiet SHA256SUMS 2>/dev/null) &&
        cmp -s "$work/$archive_name" "$here/$archive_name"; then
        echo "the rebuilt archive is the one in the tree"
    else
        echo "the rebuilt archive differs from the one in the tree: $work/$archive_name"
    fi
}

fetch_source
unpack_source
configure_qt
build_and_install
slim_prefix
pack
