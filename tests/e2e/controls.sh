# shellcheck shell=bash
# Where the window's controls lie, read from the window's own layout in src/window/Form1.cpp, so
# that the end-to-end runs on Linux and under Wine aim where the program puts them. Sourced by a
# script that has set LANHE_SOURCE_DIR to the repository root.

# Prints "left top width height" of the control named $1 (Text1, Option9, Command5, ...) in twips
# of the client area.
control_twips() {
    local rect
    rect=$(sed -n "s/.*(this, \"$1\", .*{\([0-9]*\), \([0-9]*\), \([0-9]*\), \([0-9]*\)}.*/\1 \2 \3 \4/p" \
        "$LANHE_SOURCE_DIR/src/window/Form1.cpp")
    [[ -n $rect ]] || { echo "no control $1 in the window's layout" >&2; return 1; }
    echo "$rect"
}

# Prints the pixel offset of the middle of control $1 from the client area's corner, "x y".
control_middle() {
    local left top width height
    read -r left top width height < <(control_twips "$1") || return 1
    echo "$(((left + width / 2) / 15)) $(((top + height / 2) / 15))"
}

# Prints the window's client size in pixels, "width height", as the window's layout states it.
client_size() {
    sed -n 's/.*kClientSize{\([0-9]*\), \([0-9]*\)}.*/\1 \2/p' \
        "$LANHE_SOURCE_DIR/src/window/Form1.cpp"
}
