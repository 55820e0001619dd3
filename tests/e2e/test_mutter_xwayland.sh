#!/usr/bin/env bash
# Tavimo as an X11 client of mutter's Xwayland: mutter frames the window and announces its
# extents (a 37-pixel title bar), which count up to the layout's room for a frame.
# The whole session of run_session in desktops.sh; skipped where the compositor cannot start.
source "$(dirname "$0")/weston.sh"
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/frames.sh"
source "$(dirname "$0")/desktops.sh"
need_tools wl-paste xclip xprop
start_display
start_desktop mutter xwayland
run_session
finish
