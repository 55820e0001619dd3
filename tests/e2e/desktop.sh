#!/usr/bin/env bash
# The whole session of a user on the compositors of GNOME (mutter, nested in the test's Xvfb) and
# KDE Plasma (kwin_wayland on its X11 backend there), the program as a Wayland client or as an X11
# client of the compositor's Xwayland; skipped where the compositor cannot start. ctest runs it as
# e2e.test_COMPOSITOR_KIND:
#   tests/e2e/desktop.sh PROGRAM mutter|kwin wayland|xwayland
# - mutter, Wayland: Qt draws its own title bar (3/30/3/3 pixels), which counts up to the room the
#   layout leaves for a frame (15 x 30 pixels).
# - mutter, Xwayland: mutter frames the window and announces its extents (a 37-pixel title bar).
# - kwin, Wayland: kwin draws its Breeze title bar itself (server-side decorations) and tells the
#   program nothing of it, so the client area takes the program's whole size and the title bar
#   comes on top.
# - kwin, Xwayland: kwin frames the window with Breeze and announces its extents.
# Sizes come from what each compositor knows (compositors.sh's scene_view); screenshots are the
# compositor's window on Xvfb.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/frames.sh"
source "$(dirname "$0")/compositors.sh"
compositor=${2:-}
kind=${3:-}
what="$compositor $kind"
[[ $compositor =~ ^(mutter|kwin)$ && $kind =~ ^(wayland|xwayland)$ ]] ||
    { echo "usage: desktop.sh PROGRAM mutter|kwin wayland|xwayland" >&2; exit 2; }

# The compositor, with the desktop entry and icon as installed, for it to find by the app id.
start_desktop() {
    local packaging
    packaging=$(dirname "$0")/../../packaging
    mkdir -p "$WORK/share/applications" "$WORK/share/icons/hicolor/256x256/apps"
    cp "$packaging/io.github.tavimo.Tavimo.desktop" "$WORK/share/applications/"
    cp "$packaging/icons/io.github.tavimo.Tavimo.png" \
        "$WORK/share/icons/hicolor/256x256/apps/"
    export XDG_DATA_DIRS=$WORK/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}
    start_compositor "$compositor"
}

# Starts the program as the test's kind of client and finds its window.
start_client() {
    if [ "$kind" = xwayland ]; then
        unset WAYLAND_DISPLAY
        start_xwayland_app
    else
        start_wayland_app WAYLAND_DEBUG=client
        # The pointer enters the window and gives it the keyboard.
        click_at 10 10
    fi
}

# The compositor's maximise and restore, as a user's double click on the title bar: with the
# window manager's message for an X11 client, with kwin's own call or mutter's keys otherwise.
maximise() { # 1 maximise, 0 restore
    if [ "$kind" = xwayland ]; then
        python3 "$(dirname "$0")/maximise.py" "$WID" "$1"
    elif [ "$compositor" = kwin ]; then
        # kwin's Meta+PgUp maximises and restores in turn.
        wx key super+Page_Up
    else
        wx key $([ "$1" = 1 ] && echo super+Up || echo super+Down)
    fi
    settle 1
}

# The sizes once the screen shows the window whole: mutter may still be drawing it in, and then
# the window is not yet told from the desktop.
shown_sizes() {
    local size
    for _ in $(seq 25); do
        size=$(sizes)
        [ "${size%% *}" != 0 ] && break
        settle 0.2
    done
    echo "$size"
}

# The client area's size, "W H", once the screen shows the window whole. On a machine busy with
# other work mutter was still drawing the window in after a search (0 0, no window found).
shown_client_size() { shown_sizes | cut -d' ' -f1,2; }

# The name and icon in the window list come from the desktop entry that the app id names.
check_app_id() {
    local id
    if [ "$kind" = xwayland ]; then
        id=$(xprop -id "$WID" WM_CLASS | sed 's/.*= //')
        expect_eq "$what: the window's class" '"tavimo", "Tavimo"' "$id"
    else
        id=$(sed -n 's/.*set_app_id("\(.*\)").*/\1/p' "$WORK/app.log" | head -n 1)
        expect_eq "$what: the app id" io.github.tavimo.Tavimo "$id"
    fi
    # kwin matches an X11 client by its class (the entry's StartupWMClass), a Wayland one by the
    # app id, which it reports.
    if [ "$what" = "kwin wayland" ]; then
        expect_eq "kwin $kind: the desktop file kwin matched" io.github.tavimo.Tavimo \
            "$(kwin_window | cut -d' ' -f9)"
    fi
}

need_tools wl-paste xclip xprop
start_display
start_desktop

# The start-up window with every control whole, 1 to 30 through the clipboard byte for byte, a
# four-box search and the window's size after it, maximise and restore followed by a search, Exit.
# Prints each size for the record; TAVIMO_SCREENSHOTS=DIR keeps the screenshots.
start_client
read -r client_width client_height outer_width outer_height <<<"$(shown_sizes)"
frame_width=$((outer_width - client_width))
frame_height=$((outer_height - client_height))
echo "$what: client $client_width x $client_height, outer $outer_width x $outer_height at start"
read -r frame_width frame_height <<<"$(counted "$frame_width" "$frame_height")"
# kwin decorates its Wayland clients itself and tells no client how: no frame is known.
[ "$what" != "kwin wayland" ] || frame_width=0 frame_height=0
start="$((333 - frame_width)) $((270 - frame_height))"
expect_eq "$what: client area at start" "$start" "$client_width $client_height"
check_controls_whole "$what at start" 1 5000
check_app_id

type_into txt1 1
type_into txt2 30
press_enter
expect_eq "$what: 1 to 30 on the clipboard" "$one_to_thirty" "$(copy_box 3 | hex)"

type_into txt2 1000000
click_run 2
read -r client_width client_height outer_width outer_height <<<"$(shown_sizes)"
echo "$what: client $client_width x $client_height, outer $outer_width x $outer_height after four boxes"
four="$((527 - frame_width)) ${start#* }"
expect_eq "$what: client area after a four-box search" "$four" "$client_width $client_height"
check_controls_whole "$what after a four-box search" 4 7900

maximise 1
read -r client_width client_height outer_width outer_height <<<"$(shown_sizes)"
echo "$what: client $client_width x $client_height, outer $outer_width x $outer_height maximised"
[ "$outer_width" -ge 1400 ] || fail "$what: the window did not maximise ($outer_width wide)"
maximise 0
expect_eq "$what: client area restored" "$four" "$(shown_client_size)"
type_into txt2 30
press_enter
expect_eq "$what: 1 to 30 after restoring" "$one_to_thirty" "$(copy_box 3 | hex)"
expect_eq "$what: client area after a search in the restored window" "$four" \
    "$(shown_client_size)"
check_controls_whole "$what after restoring and a search" 1 7900

click_exit
if ! wait_ended; then
    fail "$what: Exit did not end the program"
    kill "$APP_PID"
fi
finish
