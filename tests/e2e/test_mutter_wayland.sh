#!/usr/bin/env bash
# Tavimo as a native Wayland client of mutter, GNOME's compositor: Qt draws its own title bar
# (3/30/3/3 pixels), which counts up to the room the layout leaves for a frame (15 x 30 pixels).
# The whole session of run_session in desktops.sh; skipped where the compositor cannot start.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/frames.sh"
source "$(dirname "$0")/weston.sh"
source "$(dirname "$0")/desktops.sh"
need_tools wl-paste xclip xprop
start_display
start_desktop mutter wayland
run_session
finish
