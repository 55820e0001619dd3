#!/usr/bin/env bash
# Tavimo as a native Wayland client of kwin_wayland, KDE Plasma's compositor: kwin draws its
# Breeze title bar itself (server-side decorations) and tells the program nothing of it, so the
# client area takes the program's whole size and the title bar comes on top.
# The whole session of run_session in desktops.sh; skipped where the compositor cannot start.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/frames.sh"
source "$(dirname "$0")/weston.sh"
source "$(dirname "$0")/desktops.sh"
need_tools wl-paste xclip xprop
start_display
start_desktop kwin wayland
run_session
finish
