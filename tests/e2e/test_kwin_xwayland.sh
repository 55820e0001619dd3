#!/usr/bin/env bash
# Tavimo as an X11 client of kwin_wayland's Xwayland: kwin frames the window with Breeze
# and announces its extents, which count up to the layout's room for a frame.
# The whole session of run_session in desktops.sh; skipped where the compositor cannot start.
source "$(dirname "$0")/weston.sh"
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/frames.sh"
source "$(dirname "$0")/desktops.sh"
need_tools wl-paste xclip xprop
start_display
start_desktop kwin xwayland
run_session
finish
