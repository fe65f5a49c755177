# shellcheck shell=bash
# Who does what: only installing packages needs root, and a desktop user gets it through sudo;
# building, the window and the tests run as the user. Sourced by the scripts in scripts/.

# Runs a command as root: directly when we are root, else through sudo.
as_root() {
    if ((EUID == 0)); then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "This step needs root: run the command as root, or install sudo and give your user" \
            "the right to use it." >&2
        return 1
    fi
}

# The desktop user behind `sudo bash scripts/...`, when that is not root; empty otherwise.
invoking_user() {
    if ((EUID == 0)) && [[ -n ${SUDO_USER:-} && $SUDO_USER != root ]]; then
        echo "$SUDO_USER"
    fi
}

# Runs the script $1 (relative to the repository root, the current directory) as the user who
# started us through sudo, with the display they use, so that the build and every file it
# leaves in their tree are theirs. Returns only when the tree is not theirs to write.
rerun_as_invoking_user() {
    local user
    user=$(invoking_user)
    [[ -n $user ]] || return 0
    if ! sudo -u "$user" test -w . -a \( ! -e build -o -w build \); then
        echo "$PWD is not writable by $user: going on as root" >&2
        return 0
    fi
    # sudo keeps the display but not the user's runtime directory, where a Wayland socket lives.
    local runtime=()
    [[ ! -d /run/user/$(id -u "$user") ]] || runtime=("XDG_RUNTIME_DIR=/run/user/$(id -u "$user")")
    exec sudo -u "$user" -H --preserve-env=DISPLAY,XAUTHORITY,WAYLAND_DISPLAY \
        env "${runtime[@]}" bash "$@"
}
