#!/usr/bin/env bash
# Tavimo as a native Wayland client in weston: with Qt's own title bar (as on GNOME, whose
# compositor does not decorate windows) and without it (the compositor's decorations, as on KDE
# Plasma). The window's size is its outer size; the client area is that size less the frame that
# Qt draws, which counts only up to the room the layout leaves for a frame (15 x 30 pixels).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/frames.sh"
source "$(dirname "$0")/compositors.sh"
need_tools weston weston-debug weston-screenshooter wl-paste
start_display
start_compositor weston

use() { # what, environment of the program
    local what=$1 client_width client_height outer_width outer_height frame_width frame_height
    shift
    start_wayland_app "$@"
    read -r client_width client_height outer_width outer_height <<<"$(sizes)"
    echo "$what: client $client_width x $client_height, outer $outer_width x $outer_height at start"
    read -r frame_width frame_height <<<"$(counted $((outer_width - client_width)) \
        $((outer_height - client_height)))"
    local start_client="$((333 - frame_width)) $((270 - frame_height))"
    expect_eq "$what: client area at start" "$start_client" "$client_width $client_height"
    check_controls_whole "$what at start" 1 5000

    type_into txt1 1
    type_into txt2 30
    press_enter
    expect_eq "$what: 1 to 30 on the clipboard" "$one_to_thirty" "$(copy_box 3 | hex)"
    expect_eq "$what: client area after a one-box search" "$start_client" "$(window_size)"
    check_controls_whole "$what after a one-box search" 1 5000

    type_into txt2 1000000
    click_run 2
    read -r client_width client_height outer_width outer_height <<<"$(sizes)"
    echo "$what: client $client_width x $client_height, outer $outer_width x $outer_height after four boxes"
    expect_eq "$what: client area after a four-box search" \
        "$((527 - frame_width)) ${start_client#* }" "$client_width $client_height"
    check_controls_whole "$what after a four-box search" 4 7900

    click_move
    expect_eq "$what: txt1 after Move" "224737" "$(read_input txt1)"
    click_clear
    expect_eq "$what: txt3 after Clear" "" "$(copy_box 3 | hex)"
    expect_eq "$what: client area after Clear" "$client_width $client_height" "$(window_size)"
    check_controls_whole "$what after Clear" 1 7900

    click_exit
    if ! wait_ended; then
        fail "$what: Exit did not end the program"
        kill "$APP_PID"
    fi
}

use "Qt's title bar"
use "no title bar" QT_WAYLAND_DISABLE_WINDOWDECORATION=1
finish
