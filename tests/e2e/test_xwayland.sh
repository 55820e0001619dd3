#!/usr/bin/env bash
# Tavimo as an X11 client of Xwayland in weston. weston's window manager in Debian 12 announces no
# frame extents: the frame that Qt could only guess from the parent window (weston's title bar
# with its shadow) must not shrink the client area, which takes the program's size itself. Debian
# 13's announces extents, its shadow included: they count as frame as far as the room the layout
# leaves (15 x 30 pixels). Either way every control stays whole at start and after a four-box
# search.
# Input goes straight to Xwayland's X server (xdotool and xclip on its display), so lib.sh's own
# helpers, sourced after weston's, reach the window; sizes and screenshots come from weston.
source "$(dirname "$0")/weston.sh"
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/frames.sh"
need_tools weston weston-debug weston-screenshooter Xwayland xclip
start_display
start_weston --xwayland
for _ in $(seq 100); do
    XWAYLAND_DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log")
    [ -n "$XWAYLAND_DISPLAY" ] && break
    settle 0.1
done
[ -n "$XWAYLAND_DISPLAY" ] || { cat "$WORK/weston.log" >&2; echo "weston started no Xwayland" >&2; exit 1; }
export DISPLAY=$XWAYLAND_DISPLAY QT_QPA_PLATFORM=xcb
start_app
place_window
focus_window
screenshot() { output_screenshot "$@"; }

# Xwayland's own idea of the window's place need not follow weston's: the client area lies in the
# middle of the opaque part of weston's frame (the client and a border around it).
read -r _ _ _ _ cx1 cy1 cx2 cy2 <<<"$(scene_view)"
read -r client_width client_height <<<"$(window_size)"
CLIENT_X=$((cx1 + (cx2 - cx1 - client_width) / 2))
CLIENT_Y=$((cy1 + (cy2 - cy1 - client_height) / 2))

read -r _ _ outer_width outer_height <<<"$(sizes)"
echo "Xwayland: client $(window_size | tr ' ' x), weston's frame with its shadow ${outer_width}x$outer_height at start"
frame_width=0
frame_height=0
extents=$(xprop -id "$WID" _NET_FRAME_EXTENTS)
if [[ $extents =~ =\ ([0-9]+),\ ([0-9]+),\ ([0-9]+),\ ([0-9]+) ]]; then
    echo "the window manager announces frame extents: $extents"
    frame_width=$((BASH_REMATCH[1] + BASH_REMATCH[2] > 15 ? 15 : BASH_REMATCH[1] + BASH_REMATCH[2]))
    frame_height=$((BASH_REMATCH[3] + BASH_REMATCH[4] > 30 ? 30 : BASH_REMATCH[3] + BASH_REMATCH[4]))
fi
expect_eq "client area at start" "$((333 - frame_width)) $((270 - frame_height))" "$(window_size)"
check_controls_whole "Xwayland at start" 1 5000

type_into 120 1
type_into 700 1000000
click_run 2
read -r _ _ outer_width outer_height <<<"$(sizes)"
echo "Xwayland: client $(window_size | tr ' ' x), weston's frame with its shadow ${outer_width}x$outer_height after four boxes"
expect_eq "client area after a four-box search" "$((527 - frame_width)) $((270 - frame_height))" \
    "$(window_size)"
check_controls_whole "Xwayland after a four-box search" 4 7900
first=$(copy_box 6)
case "$first" in
    ‥つづき$'\r\n'163847$'\r\n'*) ;;
    *) fail "the fourth box: ${first:0:40}" ;;
esac

click_exit
wait_ended || fail "Exit did not end the program"
finish
