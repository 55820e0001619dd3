#!/usr/bin/env bash
# Tavimo as an X11 client of Xwayland in weston. weston's window manager in Debian 12 announces no
# frame extents: the frame that Qt could only guess from the parent window (weston's title bar
# with its shadow) must not shrink the client area, which takes the program's size itself. Debian
# 13's announces extents, its shadow included: they count as frame as far as the room the layout
# leaves (15 x 30 pixels). Either way every control stays whole at start and after a four-box
# search.
# Input goes straight to Xwayland's X server (xdotool and xclip on its display); sizes and
# screenshots come from weston.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/frames.sh"
source "$(dirname "$0")/compositors.sh"
need_tools weston weston-debug weston-screenshooter Xwayland xclip
start_display
start_compositor weston --xwayland
for _ in $(seq 100); do
    XWAYLAND_DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log")
    [ -n "$XWAYLAND_DISPLAY" ] && break
    settle 0.1
done
[ -n "$XWAYLAND_DISPLAY" ] || { cat "$WORK/weston.log" >&2; echo "weston started no Xwayland" >&2; exit 1; }
start_xwayland_app

read -r _ _ outer_width outer_height <<<"$(sizes)"
echo "Xwayland: client $(window_size | tr ' ' x), weston's frame with its shadow ${outer_width}x$outer_height at start"
echo "frame extents that the window manager announces: $(xprop -id "$WID" _NET_FRAME_EXTENTS)"
read -r x1 y1 x2 y2 cx1 cy1 cx2 cy2 <<<"$(x11_view)"
read -r frame_width frame_height <<<"$(counted $((x2 - x1 - cx2 + cx1)) $((y2 - y1 - cy2 + cy1)))"
expect_eq "client area at start" "$((333 - frame_width)) $((270 - frame_height))" "$(window_size)"
check_controls_whole "Xwayland at start" 1 5000

type_into txt1 1
type_into txt2 1000000
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
