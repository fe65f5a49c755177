# shellcheck shell=bash
# Who does what: only installing packages (and the desktop-user check) needs root, and a desktop
# user gets it through sudo; building, the window and the tests run as the user. Sourced by the
# scripts in scripts/.

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

# The invoking user (see above) when the tree is theirs to write; empty otherwise, saying so
# when there is such a user.
invoking_user_of_tree() {
    local user
    user=$(invoking_user)
    [[ -n $user ]] || return 0
    if ! sudo -u "$user" test -w . -a \( ! -e build -o -w build \); then
        echo "$PWD is not writable by $user: going on as root" >&2
        return 0
    fi
    echo "$user"
}

# Runs the script $2 (relative to the repository root, the current directory), with the
# arguments after it, as user $1 with the display they use, and returns its status: the build
# and every file it leaves in the tree are theirs.
run_as_user() {
    local user=$1
    # sudo keeps the display but not the user's runtime directory, where a Wayland socket lives.
    local runtime=()
    [[ ! -d /run/user/$(id -u "$user") ]] || runtime=("XDG_RUNTIME_DIR=/run/user/$(id -u "$user")")
    sudo -u "$user" -H --preserve-env=DISPLAY,XAUTHORITY,WAYLAND_DISPLAY \
        env "${runtime[@]}" bash "${@:2}"
}

# Runs the script $1 with its arguments as the user who started us through sudo, and ends with
# its status; returns only when there is no such user or the tree is not theirs to write.
rerun_as_invoking_user() {
    local user
    user=$(invoking_user_of_tree)
    [[ -n $user ]] || return 0
    run_as_user "$user" "$@"
    exit
}
