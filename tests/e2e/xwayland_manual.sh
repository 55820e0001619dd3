#!/usr/bin/env bash
# Run by hand: bash tests/e2e/xwayland_manual.sh build/src/tavimo. Not in the suite yet: with other tests
# running beside it, input sent into weston's window was seen to get lost (clicks and keys).
# Tavimo as an X11 client of Xwayland in weston. weston's window manager announces no frame
# extents; the frame that Qt could only guess from the parent window (weston's title bar with its
# shadow) must not shrink the client area: it takes the program's size itself, and every control
# stays whole at start and after a four-box search.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/frames.sh"
source "$(dirname "$0")/weston.sh"
need_tools weston weston-debug weston-screenshooter wl-paste Xwayland
start_display
start_weston --xwayland
for _ in $(seq 100); do
    XWAYLAND_DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log")
    [ -n "$XWAYLAND_DISPLAY" ] && break
    settle 0.1
done
[ -n "$XWAYLAND_DISPLAY" ] || { cat "$WORK/weston.log" >&2; echo "weston started no Xwayland" >&2; exit 1; }

# The X11 window on Xwayland: its size and its place on weston's output.
geometry() { DISPLAY=$XWAYLAND_DISPLAY xdotool getwindowgeometry --shell "$XWID"; }
window_size() { geometry | awk -F= '/^(WIDTH|HEIGHT)=/{printf "%s ", $2}' | sed 's/ $//'; }

DISPLAY=$XWAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$TAVIMO_BIN" >"$WORK/app.log" 2>&1 &
APP_PID=$!
started_pids+=("$APP_PID")
# Moved first: weston's window manager was seen to leave the window at its first size when the
# program later set a larger one, unless the window had been moved.
place_window move
XWID=$(DISPLAY=$XWAYLAND_DISPLAY xdotool search --onlyvisible --pid "$APP_PID" --name '^Tavimo$' | head -n 1)
# Xwayland's own idea of the window's place need not follow weston's: the client area lies in the
# middle of the opaque part of weston's frame (the client and a border around it).
read -r _ _ _ _ cx1 cy1 cx2 cy2 <<<"$(scene_view)"
read -r client_width client_height <<<"$(window_size)"
CLIENT_X=$((cx1 + (cx2 - cx1 - client_width) / 2))
CLIENT_Y=$((cy1 + (cy2 - cy1 - client_height) / 2))

read -r _ _ outer_width outer_height <<<"$(sizes)"
echo "Xwayland: client $(window_size | tr ' ' x), weston's frame with its shadow ${outer_width}x$outer_height at start"
DISPLAY=$XWAYLAND_DISPLAY xprop -id "$XWID" _NET_FRAME_EXTENTS | grep -q 'not found' ||
    echo "note: the window manager now announces frame extents; this test expects none" >&2
expect_eq "client area at start" "333 270" "$(window_size)"
check_controls_whole "Xwayland at start" 1 5000

type_into 120 1
type_into 700 1000000
click_run 2
read -r _ _ outer_width outer_height <<<"$(sizes)"
echo "Xwayland: client $(window_size | tr ' ' x), weston's frame with its shadow ${outer_width}x$outer_height after four boxes"
expect_eq "client area after a four-box search" "527 270" "$(window_size)"
check_controls_whole "Xwayland after a four-box search" 4 7900
first=$(copy_box 6)
case "$first" in
    ‥つづき$'\r\n'163847$'\r\n'*) ;;
    *) fail "the fourth box: ${first:0:40}" ;;
esac

click_exit
wait_ended || fail "Exit did not end the program"
finish
