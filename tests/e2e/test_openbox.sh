#!/usr/bin/env bash
# Tavimo on X11 under a window manager that frames its windows and announces the frame (openbox):
# the program's size is the outer size, frame included, at start and after a four-box search; a
# size that the window manager sets (maximised) stands.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/frames.sh"
need_tools openbox xprop
start_display
openbox >"$WORK/openbox.log" 2>&1 &
started_pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    settle 0.05
done
start_app
focus_window

# Client size plus the frame extents (left, right, top, bottom) that openbox announces.
outer_size() {
    local left right top bottom
    IFS=', ' read -r left right top bottom <<<"$(xprop -id "$WID" _NET_FRAME_EXTENTS | sed 's/.*= //')"
    read -r width height <<<"$(window_size)"
    echo "$((width + left + right)) $((height + top + bottom))"
}
for _ in $(seq 50); do
    xprop -id "$WID" _NET_FRAME_EXTENTS | grep -q ' = ' && break
    settle 0.05
done
settle 0.5
echo "openbox: client $(window_size | tr ' ' x), outer $(outer_size | tr ' ' x) at start"
expect_eq "outer size at start" "333 270" "$(outer_size)"
check_controls_whole "openbox at start" 1 5000

type_into txt1 1
type_into txt2 1000000
click_run 2
echo "openbox: client $(window_size | tr ' ' x), outer $(outer_size | tr ' ' x) after four boxes"
expect_eq "outer size after a four-box search" "527 270" "$(outer_size)"
check_controls_whole "openbox after a four-box search" 4 7900
expect_eq "the fourth box's copy" "‥つづき" "$(copy_box 6 | head -n 1 | tr -d '\r')"

# Maximised by the window manager (with a thinner frame): that size stands; restored, the window
# is as before.
# The window manager may take a while when the machine is busy: up to ten seconds to maximise,
# then a second more in which the program must leave it so.
maximised() { xprop -id "$WID" _NET_WM_STATE | grep -q MAXIMIZED_HORZ && [ "$(window_size | cut -d' ' -f1)" -ge 1590 ]; }
python3 "$(dirname "$0")/maximise.py" "$WID" 1
for _ in $(seq 100); do
    maximised && break
    settle 0.1
done
settle 1
xprop -id "$WID" _NET_WM_STATE | grep -q MAXIMIZED_HORZ || fail "the window did not stay maximised"
[ "$(window_size | cut -d' ' -f1)" -ge 1590 ] || fail "maximised size: $(window_size)"
python3 "$(dirname "$0")/maximise.py" "$WID" 0
for _ in $(seq 100); do
    [ "$(outer_size)" = "527 270" ] && break
    settle 0.1
done
expect_eq "outer size after maximising and restoring" "527 270" "$(outer_size)"

click_exit
wait_ended || fail "Exit did not end the program"
finish
