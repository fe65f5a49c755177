#!/usr/bin/env bash
# Builds the Debian package from the default build and checks it the way a desktop user and a
# distribution meet it: what it installs and where, lintian, the menu entry and metainfo
# validators, the manual page, its dependencies against what the program really loads, and
# the packaged program starting under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=build/default
test -f "$build/CMakeCache.txt" || {
    echo "no default build in $build: run 10-default.sh first" >&2
    exit 1
}
# CPack packs what the build tree last installed: bring it up to date with the sources first.
cmake --build --preset default -j"$(nproc)"

tmp=$(mktemp -d)
# lintian's own, readable by the unprivileged user it runs as.
lintian_dir=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    local pid
    for pid in $app_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$tmp" "$lintian_dir"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

metainfo=usr/share/metainfo/io.github.lanhe.shutdown.metainfo.xml
manual_page=usr/share/man/man1/lanhe-shutdown.1.gz
copyright=usr/share/doc/lanhe-shutdown/copyright
changelog=usr/share/doc/lanhe-shutdown/changelog.gz
expected_files=(
    usr/bin/lanhe-shutdown
    usr/share/applications/lanhe-shutdown.desktop
    usr/share/icons/hicolor/16x16/apps/lanhe-shutdown.png
    usr/share/icons/hicolor/32x32/apps/lanhe-shutdown.png
    usr/share/icons/hicolor/48x48/apps/lanhe-shutdown.png
    usr/share/icons/hicolor/256x256/apps/lanhe-shutdown.png
    "$metainfo"
    "$manual_page"
    "$copyright"
    "$changelog"
)

build_package() {
    (cd "$build" && cpack -G DEB -B "$tmp/out" >"$tmp/cpack.log") || {
        cat "$tmp/cpack.log" >&2
        fail "cpack -G DEB"
    }
    local version arch
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
    arch=$(dpkg --print-architecture)
    deb="$tmp/out/lanhe-shutdown_${version}_${arch}.deb"
    test -f "$deb" || fail "expected $(basename "$deb"), got: $(ls "$tmp/out")"
    [[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || fail "package version is not $version"
    [[ $(dpkg-deb -f "$deb" Architecture) == "$arch" ]] || fail "package architecture is not $arch"
    [[ $(dpkg-deb -f "$deb" Section) == utils ]] || fail "package section is not utils"
    [[ -n $(dpkg-deb -f "$deb" Maintainer) ]] || fail "package has no maintainer"
    dpkg-deb -f "$deb" Recommends | grep -qw fonts-wqy-microhei || fail "no CJK font recommended"
    dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland || fail "Qt's Wayland platform not recommended"
}

# Every path in the package, without the leading "./" (directories keep their trailing "/").
package_paths() {
    awk '{ sub(/ -> .*/, ""); print $6 }' "$tmp/contents" | sed 's|^\./||'
}

check_contents() {
    local paths path
    dpkg-deb -c "$deb" >"$tmp/contents"
    paths=$(package_paths)
    for path in "${expected_files[@]}"; do
        grep -qxF "$path" <<<"$paths" || fail "package lacks /$path"
    done
    local outside
    outside=$(grep -vxE '|usr/|usr/.+' <<<"$paths" || true)
    [[ -z $outside ]] || fail "package installs outside /usr: $outside"
    grep -q '^-rwxr-xr-x .* \./usr/bin/lanhe-shutdown$' "$tmp/contents" ||
        fail "/usr/bin/lanhe-shutdown is not an executable file"
}

# The package and a plain `cmake --install` must put the same files in place.
check_install_matches_package() {
    cmake --install "$build" --prefix "$tmp/install/usr" >/dev/null
    diff <(cd "$tmp/install" && find . -type f | sed 's|^\./||' | sort) \
        <(package_paths | grep -v '/$' | sort) ||
        fail "cmake --install and the package install different files"
}

# The program finds its libraries where the system keeps them: no search path of its own,
# installed or in the build tree that scripts/run.sh starts.
check_no_library_search_path() {
    local program
    for program in "$tmp/root/usr/bin/lanhe-shutdown" "$build/src/window/lanhe-shutdown"; do
        ! readelf -d "$program" | grep -qE '\((RPATH|RUNPATH)\)' ||
            fail "$program has a library search path: $(readelf -d "$program" | grep -E 'R(UN)?PATH')"
    done
}

check_icon_sizes() {
    local size actual
    for size in 16 32 48 256; do
        actual=$(identify -format '%wx%h' "$tmp/root/usr/share/icons/hicolor/${size}x${size}/apps/lanhe-shutdown.png")
        [[ $actual == "${size}x${size}" ]] || fail "the ${size}x${size} icon is $actual"
    done
}

desktop_key() {
    sed -n "s/^$1=//p" "$tmp/root/usr/share/applications/lanhe-shutdown.desktop"
}

# The menu shows the program under its own name, in English where the desktop's language is not
# Chinese (a desktop may have no Chinese font), and finds its icon in the hicolor theme.
check_menu_entry() {
    [[ $(desktop_key Name) == "Lanhe Auto Shutdown" ]] ||
        fail "the menu entry is named '$(desktop_key Name)'"
    [[ $(desktop_key 'Name\[zh_CN\]') == 蓝禾自动关机 ]] ||
        fail "the menu entry's Chinese name is '$(desktop_key 'Name\[zh_CN\]')'"
    local icon size
    icon=$(desktop_key Icon)
    for size in 16 32 48 256; do
        test -f "$tmp/root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png" ||
            fail "the menu entry's icon '$icon' is not installed at ${size}x${size}"
    done
}

# Any error or warning fails the step; informational tags are only shown. An override, should
# one ever be needed, goes into the package with a one-line reason beside it. lintian does
# not want root: root runs it as nobody, on a copy of the package in nobody's own directory.
run_lintian() {
    local as_user=()
    cp "$deb" "$lintian_dir/"
    if ((EUID == 0)); then
        chown -R nobody "$lintian_dir"
        as_user=(runuser -u nobody --)
    fi
    "${as_user[@]}" env HOME="$lintian_dir" lintian --display-info --fail-on error,warning \
        "$lintian_dir/${deb##*/}" >"$tmp/lintian.log" 2>&1 || fail "lintian: $(cat "$tmp/lintian.log")"
    cat "$tmp/lintian.log"
}

# Nothing in the program that a Debian binary leaves out: the compilers' .comment section.
check_no_unneeded_sections() {
    ! readelf -S --wide "$tmp/root/usr/bin/lanhe-shutdown" | grep -q ' \.comment ' ||
        fail "/usr/bin/lanhe-shutdown keeps its .comment section"
}

validate_metadata() {
    local hints
    # A hint (two main categories put the entry in two menus) counts as much as an error.
    hints=$(desktop-file-validate "$tmp/root/usr/share/applications/lanhe-shutdown.desktop") ||
        fail "desktop-file-validate: $hints"
    [[ -z $hints ]] || fail "desktop-file-validate: $hints"
    appstreamcli validate --no-net "$tmp/root/$metainfo" || fail "appstreamcli validate"
    # The tree check also matches the metainfo's id to its file name and its launchable to the
    # installed desktop entry.
    appstreamcli validate-tree --no-net "$tmp/root" || fail "appstreamcli validate-tree"
}

# lintian renders the page the way man does; mandoc's lint also reports style faults.
check_manual_page() {
    local messages
    messages=$(mandoc -T lint "$tmp/root/$manual_page" 2>&1) || fail "mandoc: $messages"
    [[ -z $messages ]] || fail "mandoc: $messages"
}

# The copyright file carries the licence text of LICENSE in full, line for line: its last
# paragraph is "License:" and that text, indented by one space, with " ." for an empty line.
check_licence_text() {
    diff <(awk -v RS= 'END { print }' "$tmp/root/$copyright" | sed '1d; s/^ //; s/^\.$//') \
        <(sed -n '/^Permission is hereby granted/,$p' LICENSE) ||
        fail "/$copyright does not carry the licence text of LICENSE"
}

# A release names its version in the changelog's newest entry, the metainfo's newest release
# and the manual page's footer, besides the package: none of them may be left behind.
check_release_version() {
    local version changelog_version release_version page_version
    version=$(dpkg-deb -f "$deb" Version)
    changelog_version=$(zcat "$tmp/root/$changelog" | dpkg-parsechangelog -l - -S Version)
    release_version=$(xmllint --xpath 'string(/component/releases/release[1]/@version)' \
        "$tmp/root/$metainfo")
    page_version=$(zcat "$tmp/root/$manual_page" |
        sed -n 's/^\.TH .* "lanhe\\-shutdown \([^"]*\)".*/\1/p')
    [[ $changelog_version == "$version" ]] ||
        fail "the changelog's newest entry is '$changelog_version', not $version"
    [[ $release_version == "$version" ]] ||
        fail "the metainfo's newest release is '$release_version', not $version"
    [[ $page_version == "$version" ]] || fail "the manual page is of version '$page_version', not $version"
}

# A recording stand-in for systemctl, first on PATH: nothing here may power anything off.
make_systemctl_stand_in() {
    mkdir -p "$tmp/stand-in"
    cat >"$tmp/stand-in/systemctl" <<EOF
#!/bin/sh
echo "systemctl \$*" >>"$tmp/systemctl.log"
EOF
    chmod +x "$tmp/stand-in/systemctl"
}

start_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
    xvfb_pid=$!
    local tries
    for ((tries = 0; tries < 100; tries++)); do
        [[ -s $tmp/display ]] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
        sleep 0.1
    done
    [[ -s $tmp/display ]] || fail "Xvfb gave no display number"
    DISPLAY=":$(head -n1 "$tmp/display")"
    export DISPLAY
}

# Starts the menu entry's command from the extracted package, the way the desktop would.
start_packaged_program() {
    local command
    command=$(desktop_key Exec)
    export PATH="$tmp/stand-in:$tmp/root/usr/bin:$PATH"
    [[ $(command -v "$command") == "$tmp/root/usr/bin/lanhe-shutdown" ]] ||
        fail "the menu entry's command '$command' is not the packaged program"
    mkdir -p "$tmp/home"
    HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" LC_ALL=C.UTF-8 \
        env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$command" >"$tmp/app.log" 2>&1 &
    app_pid=$!
}

wait_for_window() {
    local tries
    for ((tries = 0; tries < 100; tries++)); do
        xdotool search --onlyvisible --name '蓝禾自动关机' >/dev/null 2>&1 && return 0
        kill -0 "$app_pid" 2>/dev/null || fail "the program exited: $(cat "$tmp/app.log")"
        sleep 0.1
    done
    fail "no visible window named 蓝禾自动关机 within 10 s: $(cat "$tmp/app.log")"
}

# The package that owns a file, looked up under each name it may be registered as: the path
# as mapped, its target, and both without /usr (merged-/usr systems register /lib paths).
owning_package() {
    local name
    for name in "$1" "$(realpath "$1")" "${1#/usr}" "$(realpath "$1" | sed 's|^/usr||')"; do
        if dpkg -S "$name" >"$tmp/owner" 2>/dev/null; then
            head -n1 "$tmp/owner" | cut -d: -f1
            return
        fi
    done
}

# The libraries the program cannot start without: those the executable links and those the Qt
# plugins it loaded (the xcb platform among them) link. Libraries Qt only tries to dlopen, like
# Xcursor, are extras and not counted.
required_libraries() {
    local plugins
    plugins=$(awk '$6 ~ /\/qt6\/plugins\/.*\.so$/ { print $6 }' "/proc/$app_pid/maps" | sort -u)
    grep -q '/platforms/libqxcb\.so$' <<<"$plugins" || fail "the xcb platform plugin is not loaded"
    echo "$plugins"
    # shellcheck disable=SC2086
    ldd "$tmp/root/usr/bin/lanhe-shutdown" $plugins >"$tmp/ldd" || fail "ldd: $(cat "$tmp/ldd")"
    ! grep -q 'not found' "$tmp/ldd" || fail "unresolved libraries: $(grep 'not found' "$tmp/ldd")"
    awk '$2 == "=>" { print $3 } $1 ~ /^\// && $2 ~ /^\(0x/ { print $1 }' "$tmp/ldd" | sort -u
}

# Every library the program needs to start must come from the package's dependencies (or
# theirs), or a fresh machine would install it without what it needs.
check_required_libraries_are_dependencies() {
    local depends closure libraries owner missing=()
    depends=$(dpkg-deb -f "$deb" Depends | tr ',|' '\n' | sed 's/(.*)//; s/[[:space:]]//g')
    [[ -n $depends ]] || fail "the package declares no dependencies"
    # shellcheck disable=SC2086
    closure=$(apt-cache depends --recurse --installed --no-recommends --no-suggests \
        --no-conflicts --no-breaks --no-replaces --no-enhances $depends | grep -v '^ ' | sort -u)
    libraries=$(required_libraries)
    while read -r library; do
        owner=$(owning_package "$library")
        [[ -n $owner ]] || fail "no installed package owns $library"
        grep -qxF "$owner" <<<"$closure" || missing+=("$owner")
    done <<<"$libraries"
    ((${#missing[@]} == 0)) ||
        fail "needed but not among the dependencies: $(printf '%s\n' "${missing[@]}" | sort -u | xargs)"
}

check_nothing_started() {
    [[ ! -e $tmp/systemctl.log ]] || fail "the program started: $(cat "$tmp/systemctl.log")"
}

build_package
check_contents
check_install_matches_package
run_lintian
dpkg-deb -x "$deb" "$tmp/root"
check_no_library_search_path
check_no_unneeded_sections
check_icon_sizes
check_menu_entry
validate_metadata
check_manual_page
check_licence_text
check_release_version
make_systemctl_stand_in
start_xvfb
start_packaged_program
wait_for_window
check_required_libraries_are_dependencies
check_nothing_started
echo "package $(basename "$deb") checked"
