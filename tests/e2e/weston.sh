# Shared steps of the end-to-end tests on Wayland: weston's X11 backend in the test's own Xvfb,
# real input typed and clicked into weston's window, the clipboard read with wl-paste, sizes read
# from weston's scene graph and screenshots taken with weston-screenshooter.
# Sourced after lib.sh and frames.sh, it replaces their helpers that reach the window through X11;
# a test that keeps those (Xwayland) sources it first.

# xdotool on the X display that weston's window is on.
wx() { DISPLAY=${WESTON_DISPLAY:-$DISPLAY} xdotool "$@"; }

# Starts weston (extra arguments: e.g. --xwayland) on the test's Xvfb: sets WAYLAND_DISPLAY and
# WESTON_WID, weston's window on Xvfb, which takes the input events.
start_weston() {
    export XDG_RUNTIME_DIR=$WORK/xdg
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # No panel and no on-screen keyboard.
    printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nlocking=false\n[input-method]\npath=\n' \
        >"$WORK/weston.ini"
    local socket=tavimo-test-$$
    run_logged weston weston --backend=x11-backend.so --socket="$socket" --config="$WORK/weston.ini" \
        --debug --width=1500 --height=1000 "$@"
    for _ in $(seq 200); do
        # The output's own window, mapped at its full size: not a helper window of weston's start.
        WESTON_WID=""
        for window in $(wx search --onlyvisible --class Weston 2>/dev/null); do
            wx getwindowgeometry "$window" 2>/dev/null | grep -q 'Geometry: 1500x1000' &&
                WESTON_WID=$window
        done
        [ -S "$XDG_RUNTIME_DIR/$socket" ] && [ -n "$WESTON_WID" ] && break
        sleep 0.05
    done
    if [ -z "${WESTON_WID:-}" ]; then
        echo "weston did not start" >&2
        cat "$WORK/weston.log" >&2
        exit 1
    fi
    export WAYLAND_DISPLAY=$socket
    WESTON_DISPLAY=$DISPLAY
    # weston's X11 backend moves its pointer by the difference between two motion events, from
    # where the X pointer entered its window: without an entry the first motion is lost and every
    # later position is off by it. The pointer therefore enters the window from outside it (the
    # display is wider than the window).
    wx mousemove 1550 500
    settle 0.1
    wx mousemove --window "$WESTON_WID" 700 800
    settle 0.1
}

# The Tavimo window in weston's scene graph: "x1 y1 x2 y2 cx1 cy1 cx2 cy2", the whole surface
# with any frame that the program draws, and its opaque part, the client area (for Xwayland:
# weston's frame with its shadow, and the client with a one-pixel border). Found by the caption.
scene_view() {
    timeout 5 weston-debug scene-graph 2>/dev/null | awk '
        /top-level window .Tavimo./ { found = 1; next }
        found && /position:/ { gsub(/[(),>-]/, " "); position = $2 " " $3 " " $4 " " $5; next }
        found && /opaque:/ { gsub(/[\[\](),>:-]/, " "); print position, $2, $3, $4, $5; exit }
        found && /fully opaque/ { print position, position; exit }
        found && /View/ { found = 0 }'
}

# Waits for the window in the scene graph. Where it would not stay whole on the output when it
# grows to four result boxes, or always with "move", moves it to the output's top-left corner (a
# super-drag, as a user moves any window in weston). Sets CLIENT_X and CLIENT_Y, the client area's
# origin on the output.
fits() { [ $(($1 + 610)) -le 1500 ] && [ $(($2 + 310)) -le 1000 ]; }
place_window() {
    local always=${1:-}
    local view=""
    for _ in $(seq 100); do
        view=$(scene_view)
        [ -n "$view" ] && break
        settle 0.1
    done
    if [ -z "$view" ]; then
        if grep -q 'Could not find the Qt platform plugin "wayland"' "$WORK/app.log"; then
            echo "SKIP: Qt's Wayland plugin is not installed (scripts/setup test installs it)" >&2
            exit 77
        fi
        echo "the Tavimo window did not appear in weston" >&2
        cat "$WORK/app.log" "$WORK/weston.log" >&2
        exit 1
    fi
    settle 0.5
    local x1 y1 cx1 cy1
    for attempt in 1 2 3 4; do
        read -r x1 y1 _ _ cx1 cy1 _ _ <<<"$(scene_view)"
        fits "$x1" "$y1" && { [ -z "$always" ] || [ "$attempt" -gt 1 ]; } && break
        wx mousemove --window "$WESTON_WID" $((cx1 + 10)) $((cy1 + 10))
        settle 0.1
        wx keydown super
        settle 0.1
        wx mousedown 1
        settle 0.1
        wx mousemove --window "$WESTON_WID" $((cx1 + 5)) $((cy1 + 5))
        settle 0.1
        wx mousemove --window "$WESTON_WID" $((cx1 + 10 - x1 + 20)) $((cy1 + 10 - y1 + 20))
        settle 0.2
        wx mouseup 1 keyup super
        settle 0.3
    done
    if ! fits "$x1" "$y1"; then
        echo "the Tavimo window at $x1, $y1 could not be moved to the output's corner" >&2
        exit 1
    fi
    CLIENT_X=$cx1
    CLIENT_Y=$cy1
}

# Starts the program as a native Wayland client (further environment as arguments).
start_wayland_app() {
    run_logged app env QT_QPA_PLATFORM=wayland "$@" "$TAVIMO_BIN"
    APP_PID=$LAST_PID
    place_window
}

# Client and outer size: "client-width client-height outer-width outer-height".
sizes() {
    local x1 y1 x2 y2 cx1 cy1 cx2 cy2
    read -r x1 y1 x2 y2 cx1 cy1 cx2 cy2 <<<"$(scene_view)"
    echo "$((cx2 - cx1)) $((cy2 - cy1)) $((x2 - x1)) $((y2 - y1))"
}
window_size() { sizes | cut -d' ' -f1,2; }

# lib.sh's helpers, through weston's window and the Wayland clipboard.
click_at() {
    wx mousemove --window "$WESTON_WID" $((CLIENT_X + $1)) $((CLIENT_Y + $2)) click 1
    settle 0.2
}
type_into() { # top text
    click_twips 480 "$1" 1332 372
    wx key ctrl+a BackSpace
    [ -z "$2" ] || wx type --delay 20 -- "$2"
    settle 0.1
}
clipboard() { timeout 5 wl-paste -n -t 'text/plain;charset=utf-8' 2>/dev/null; }
copy_box() {
    local left=$((2400 + ($1 - 3) * 1440))
    click_twips "$left" $(($(height_twips) - 680)) 732 230
    clipboard
}
read_input() {
    click_twips 480 "$1" 1332 372
    wx key ctrl+a ctrl+c
    settle 0.2
    clipboard
}

# The whole output as weston shows it, then the client area cut out of it.
screenshot() { output_screenshot "$@"; }
grab_output() {
    rm -f "$WORK"/wayland-screenshot-*.png
    (cd "$WORK" && timeout 10 weston-screenshooter >/dev/null 2>&1)
    mv "$WORK"/wayland-screenshot-*.png "$1"
}
output_screenshot() {
    local size
    size=$(window_size)
    grab_output "$WORK/output.png"
    convert "$WORK/output.png" -crop "${size% *}x${size#* }+$CLIENT_X+$CLIENT_Y" +repage "$1"
}
