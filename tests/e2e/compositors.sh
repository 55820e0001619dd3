# Shared steps of the end-to-end tests in a compositor: weston, GNOME's mutter or KDE's
# kwin_wayland, each on its X11 backend in the test's own Xvfb, where a window shows its output and
# takes the input events, and each with its Xwayland. The program runs as a Wayland client
# (start_wayland_app) or as an X11 client of Xwayland (start_xwayland_app); lib.sh's steps follow
# COMPOSITOR and CLIENT_KIND. Sizes come from what each compositor knows (scene_view), screenshots
# from its output (grab_output). Sourced after lib.sh.

# xdotool on the X display that the compositor's window is on.
wx() { DISPLAY=${WESTON_DISPLAY:-$DISPLAY} xdotool "$@"; }

# Starts weston, mutter or kwin (further arguments go to weston, e.g. --xwayland) on the test's
# Xvfb: sets COMPOSITOR, WAYLAND_DISPLAY and WESTON_WID, the compositor's window on Xvfb.
start_compositor() { # name, arguments...
    COMPOSITOR=$1
    shift
    export XDG_RUNTIME_DIR=$WORK/xdg
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    "start_$COMPOSITOR" "$@"
    # The empty desktop of mutter and kwin, against which screen_view finds a window.
    [ "$COMPOSITOR" = weston ] || { settle 1; grab_output "$WORK/desktop.png"; }
}

start_weston() {
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

# The compositor's window on Xvfb, by the start of its name.
output_window() { xwininfo -root -children | awk -v name="\"$1" 'index($0, name) { print $1; exit }'; }

# Waits for mutter or kwin, the command started last: its Wayland socket, its window on Xvfb and
# Xwayland's display (a file holding it); sets WAYLAND_DISPLAY, WESTON_WID and XWAYLAND_DISPLAY.
# Skips the test, with the compositor's last words, when it cannot start here.
wait_compositor() { # window name, socket, file of Xwayland's display
    local pid=$LAST_PID
    for _ in $(seq 300); do
        [ "$COMPOSITOR" != mutter ] ||
            sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$WORK/mutter.log" >"$3"
        WESTON_WID=$(output_window "$1")
        [ -S "$XDG_RUNTIME_DIR/$2" ] && [ -n "$WESTON_WID" ] && [ -s "$3" ] && break
        alive "$pid" || break
        sleep 0.05
    done
    if [ -z "$WESTON_WID" ] || [ ! -s "$3" ]; then
        echo "SKIP: $COMPOSITOR cannot start here: $(grep -v '^$' "$WORK/$COMPOSITOR.log" | tail -n 1)" >&2
        exit 77
    fi
    export WAYLAND_DISPLAY=$2
    WESTON_DISPLAY=$DISPLAY
    XWAYLAND_DISPLAY=$(head -n 1 "$3")
    # Park the pointer in the output's corner: the empty desktop and every size read later see it
    # there.
    park_pointer
}
park_pointer() { wx mousemove --window "$WESTON_WID" 1499 999; settle 0.1; }

start_mutter() {
    need_tools mutter Xwayland
    local socket=tavimo-test-$$
    # mutter writes Xwayland's display into its log (wait_compositor).
    run_logged mutter env MUTTER_DEBUG_DUMMY_MODE_SPECS=1500x1000 \
        mutter --nested --wayland --wayland-display="$socket"
    wait_compositor mutter "$socket" "$WORK/x11"
    # mutter's Xwayland takes only the clients that hold its key.
    XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
    export XAUTHORITY
}

start_kwin() {
    need_tools kwin_wayland Xwayland dbus-send
    # The installed kwin_wayland carries file capabilities, which a container may refuse to
    # execute ("Operation not permitted"); a copy has none.
    cp "$(command -v kwin_wayland)" "$WORK/kwin_wayland"
    local socket=tavimo-test-$$
    # The X11 backend on Xvfb has no OpenGL: kwin paints with QPainter. The program it starts
    # writes Xwayland's display.
    run_logged kwin env KWIN_COMPOSE=Q "$WORK/kwin_wayland" --x11-display "$DISPLAY" \
        --socket "$socket" --width 1500 --height 1000 \
        --xwayland "sh -c 'printf %s \"\$DISPLAY\" >$WORK/x11'"
    wait_compositor "KDE Wayland Compositor" "$socket" "$WORK/x11"
}

# The Tavimo window in weston's scene graph: "x1 y1 x2 y2 cx1 cy1 cx2 cy2", the whole surface
# with any frame that the program draws, and its opaque part, the client area (for Xwayland:
# weston's frame with its shadow, and the client with a one-pixel border). Found by the caption.
weston_view() {
    timeout 5 weston-debug scene-graph 2>/dev/null | awk '
        /top-level window .Tavimo./ { found = 1; next }
        found && /position:/ { gsub(/[(),>-]/, " "); position = $2 " " $3 " " $4 " " $5; next }
        found && /opaque:/ { gsub(/[\[\](),>:-]/, " "); print position, $2, $3, $4, $5; exit }
        found && /fully opaque/ { print position, position; exit }
        found && /View/ { found = 0 }'
}

# kwin's geometry of the Tavimo window: "x1 y1 x2 y2 cx1 cy1 cx2 cy2" for the frame it draws and
# the client's surface, then the desktop file name it matched; run as a kwin script, whose
# print() goes to kwin's log.
# Each script has a name of its own (kwin loads no second one of a name); this runs in a subshell.
kwin_window() {
    local tag="tavimo-$(date +%s%N)" id
    cat >"$WORK/$tag.js" <<EOF
var list = workspace.windowList ? workspace.windowList() : workspace.clientList();
for (var i = 0; i < list.length; ++i) {
    var w = list[i], f = w.frameGeometry, b = w.bufferGeometry;
    if (w.caption == "Tavimo")
        print("$tag " + [f.x, f.y, f.x + f.width, f.y + f.height,
                         b.x, b.y, b.x + b.width, b.y + b.height, w.desktopFileName].join(" "));
}
EOF
    id=$(dbus-send --session --print-reply --dest=org.kde.KWin /Scripting \
        org.kde.kwin.Scripting.loadScript "string:$WORK/$tag.js" "string:$tag" |
        awk '/int32/ { print $2 }')
    # kwin 5 names a script's object by its number, kwin 6 under /Scripting.
    dbus-send --session --print-reply --dest=org.kde.KWin "/Scripting/Script$id" \
        org.kde.kwin.Script.run >/dev/null 2>&1 ||
        dbus-send --session --print-reply --dest=org.kde.KWin "/$id" org.kde.kwin.Script.run \
            >/dev/null 2>&1 || true
    for _ in $(seq 40); do
        grep -q "$tag " "$WORK/kwin.log" && break
        sleep 0.05
    done
    sed -n "s/.*$tag \(.*\)/\1/p" "$WORK/kwin.log" | head -n 1
}

# Where along a line of a screenshot the form's dark green (0,128,0, within a compositor's
# rounding) runs: "first last", counted from the line's start.
green_span() { # file, geometry of the line (Wx1+X+Y or 1xH+X+Y)
    convert "$1" -crop "$2" +repage txt:- 2>/dev/null | awk -F'[:,() ]+' '
        NR > 1 && $3 <= 8 && $4 >= 120 && $4 <= 136 && $5 <= 8 {
            at = ($1 > $2 ? $1 : $2); if (first == "") first = at; last = at }
        END { print first, last }'
}

# The window on the screen: the whole window is what differs from the empty desktop (Qt draws no
# shadow), the client area the dark green within it, found along a row at two thirds of its height
# and a column just inside its left edge.
screen_view() {
    local shot=$WORK/scene.png w h x y first last cx1 cx2 cy1 cy2
    park_pointer
    grab_output "$shot"
    IFS='x+' read -r w h x y <<<"$(convert "$WORK/desktop.png" "$shot" -compose difference \
        -composite -threshold 3% -format "%@" info: 2>/dev/null)"
    read -r first last <<<"$(green_span "$shot" "${w}x1+$x+$((y + h * 2 / 3))")"
    [ -n "$first" ] || return 0
    cx1=$((x + first))
    cx2=$((x + last + 1))
    read -r first last <<<"$(green_span "$shot" "1x$h+$((cx1 + 4))+$y")"
    cy1=$((y + first))
    cy2=$((y + last + 1))
    echo "$x $y $((x + w)) $((y + h)) $cx1 $cy1 $cx2 $cy2"
}

# An X11 client of Xwayland: its place and size on the root window, which is the output, and the
# frame extents that the window manager announces around it.
x11_view() {
    local x y width height left=0 right=0 top=0 bottom=0 extents
    eval "$(xdotool getwindowgeometry --shell "$WID" | grep -E '^(X|Y|WIDTH|HEIGHT)=' |
        tr 'A-Z' 'a-z')"
    extents=$(xprop -id "$WID" _NET_FRAME_EXTENTS)
    if [[ $extents =~ =\ ([0-9]+),\ ([0-9]+),\ ([0-9]+),\ ([0-9]+) ]]; then
        left=${BASH_REMATCH[1]} right=${BASH_REMATCH[2]} top=${BASH_REMATCH[3]}
        bottom=${BASH_REMATCH[4]}
    fi
    echo "$((x - left)) $((y - top)) $((x + width + right)) $((y + height + bottom))" \
        "$x $y $((x + width)) $((y + height))"
}

# The Tavimo window as the compositor knows it: "x1 y1 x2 y2 cx1 cy1 cx2 cy2", the whole window
# and its client area on the output. weston tells it in its scene graph; kwin its own geometry of a
# Wayland client; an X11 client of mutter's or kwin's Xwayland its place on Xwayland's root with
# the announced frame; mutter's Wayland client the screen itself.
scene_view() {
    case "$COMPOSITOR $CLIENT_KIND" in
        weston*) weston_view ;;
        *xwayland) x11_view ;;
        "kwin wayland") kwin_window | cut -d' ' -f1-8 ;;
        *) screen_view ;;
    esac
}

# Waits for the window in the scene graph. Where it would not stay whole on the output when it
# grows to four result boxes, moves it to the output's top-left corner (a super-drag, as a user
# moves any window in weston). Sets CLIENT_X and CLIENT_Y, the client area's origin on the output.
fits() { [ $(($1 + 610)) -le 1500 ] && [ $(($2 + 310)) -le 1000 ]; }
place_window() {
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
        echo "the Tavimo window did not appear in $COMPOSITOR" >&2
        cat "$WORK/app.log" "$WORK/$COMPOSITOR.log" >&2
        exit 1
    fi
    settle 0.5
    local x1 y1 cx1 cy1
    for _ in 1 2 3 4; do
        read -r x1 y1 _ _ cx1 cy1 _ _ <<<"$(scene_view)"
        fits "$x1" "$y1" && break
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
    CLIENT_KIND=wayland
    run_logged app env QT_QPA_PLATFORM=wayland "$@" "$TAVIMO_BIN"
    APP_PID=$LAST_PID
    place_window
}

# Starts the program as an X11 client of the compositor's Xwayland on XWAYLAND_DISPLAY; lib.sh's
# X11 steps reach it there.
start_xwayland_app() {
    CLIENT_KIND=xwayland
    export DISPLAY=$XWAYLAND_DISPLAY QT_QPA_PLATFORM=xcb
    start_app
    place_window
    focus_window
}

# Client and outer size: "client-width client-height outer-width outer-height".
sizes() {
    local x1 y1 x2 y2 cx1 cy1 cx2 cy2
    read -r x1 y1 x2 y2 cx1 cy1 cx2 cy2 <<<"$(scene_view)"
    echo "$((cx2 - cx1)) $((cy2 - cy1)) $((x2 - x1)) $((y2 - y1))"
}

# The whole output as the compositor shows it: weston's own screenshot, or the compositor's window
# on Xvfb.
grab_output() {
    if [ "$COMPOSITOR" = weston ]; then
        rm -f "$WORK"/wayland-screenshot-*.png
        (cd "$WORK" && timeout 10 weston-screenshooter >/dev/null 2>&1)
        mv "$WORK"/wayland-screenshot-*.png "$1"
    else
        DISPLAY=$WESTON_DISPLAY import -window "$WESTON_WID" "$1"
    fi
}

# The client area cut out of the output. Xwayland's idea of an X11 client's place need not follow
# the compositor's once the window grows or is restored: that client is found on the output, in
# weston in the middle of the opaque part of its frame (the client and a border around it).
output_screenshot() {
    local size cx1 cy1 cx2 cy2
    size=$(window_size)
    if [ "$CLIENT_KIND" = xwayland ] && [ "$COMPOSITOR" = weston ]; then
        read -r _ _ _ _ cx1 cy1 cx2 cy2 <<<"$(scene_view)"
        CLIENT_X=$((cx1 + (cx2 - cx1 - ${size% *}) / 2))
        CLIENT_Y=$((cy1 + (cy2 - cy1 - ${size#* }) / 2))
    elif [ "$CLIENT_KIND" = xwayland ]; then
        read -r _ _ _ _ CLIENT_X CLIENT_Y _ _ <<<"$(screen_view)"
    fi
    grab_output "$WORK/output.png"
    convert "$WORK/output.png" -crop "${size% *}x${size#* }+$CLIENT_X+$CLIENT_Y" +repage "$1"
}
