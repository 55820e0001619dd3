# Shared checks of the window's size where a window manager or compositor frames it: every
# control whole in the client area. Sourced after lib.sh.

# The program's own height (lib.sh's height_twips): every size that these tests see is one the
# program sets.
fixed_height_twips=4050

# Every control whole: the client area reaches past the lowest buttons (Exit and the copy buttons
# of the shown boxes) and the last result box shown, and a screenshot shows their faces' corners.
check_controls_whole() { # what, number of result boxes shown, the program's width in twips
    local shot=$WORK/whole.png client_width client_height bottom right left box
    read -r client_width client_height <<<"$(window_size)"
    bottom=$(($(px $((fixed_height_twips - 680))) + $(px 230)))
    [ "$client_height" -ge "$bottom" ] ||
        fail "$1: the client area ($client_height high) cuts off the copy buttons ending at $bottom"
    right=$(($(px 2070) + $(px $(($2 == 1 ? $3 - 2400 : 1400 * ($2 - 1) + 1300)))))
    [ "$client_width" -ge "$right" ] ||
        fail "$1: the client area ($client_width wide) cuts off the result box ending at $right"
    screenshot "$shot"
    # TAVIMO_SCREENSHOTS=DIR keeps these screenshots for a look.
    [ -z "${TAVIMO_SCREENSHOTS:-}" ] || cp "$shot" "$TAVIMO_SCREENSHOTS/$1.png"
    expect_face "$1: Exit's lower left corner" "$(pixel "$shot" $(($(px 480) + 3)) 234)"
    for box in $(seq 3 $((2 + $2))); do
        left=$(px $((2400 + (box - 3) * 1440)))
        expect_face "$1: lower left corner of copy button $box" \
            "$(pixel "$shot" $((left + 3)) $((bottom - 3)))"
    done
}

# A button's face colour, 0,255,0, as far as a compositor's screenshot keeps it (weston 14's gives
# 0,254,0).
expect_face() { # what, "r,g,b"
    local red green blue
    IFS=, read -r red green blue <<<"$2"
    [ "$red" -le 8 ] && [ "$green" -ge 247 ] && [ "$blue" -le 8 ] ||
        fail "$1: expected the face colour 0,255,0, got [$2]"
}
