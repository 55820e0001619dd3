# Shared steps of the end-to-end tests on the compositors of GNOME and KDE Plasma: mutter nested in
# the test's Xvfb, kwin_wayland on its X11 backend there, each with its Xwayland. Input goes to the
# compositor's window on Xvfb (weston.sh's helpers) or, for an X11 client, straight to Xwayland
# (lib.sh's); screenshots are the compositor's window on Xvfb. Sizes come from what each
# compositor knows: kwin's own geometry through its scripting interface, the frame extents that
# either announces to X11 clients, and for mutter's Wayland clients the screen itself (the window
# against the empty desktop, the client area by its colour).
# Sourced after weston.sh, lib.sh and frames.sh; a test then calls start_desktop and run_session.

TAVIMO_SOURCE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
screenshot() {
    # Xwayland's idea of an X11 client's place need not follow the compositor's once the window
    # grows or is restored: the client area is found on the screen.
    [ "$CLIENT_KIND" != xwayland ] || read -r _ _ _ _ CLIENT_X CLIENT_Y _ _ <<<"$(screen_view)"
    output_screenshot "$@"
}

# The compositor's window on Xvfb, by the start of its name.
output_window() { xwininfo -root -children | awk -v name="\"$1" 'index($0, name) { print $1; exit }'; }

# Waits for the compositor: its Wayland socket, its window on Xvfb and Xwayland's display (a file
# holding it); sets WAYLAND_DISPLAY, WESTON_WID and XWAYLAND_DISPLAY. Skips the test, with the
# compositor's last words, when it cannot start here.
wait_compositor() { # name, window name, socket, file of Xwayland's display, pid
    for _ in $(seq 300); do
        WESTON_WID=$(output_window "$2")
        [ -S "$XDG_RUNTIME_DIR/$3" ] && [ -n "$WESTON_WID" ] && [ -s "$4" ] && break
        alive "$5" || break
        sleep 0.05
    done
    if [ -z "$WESTON_WID" ] || [ ! -s "$4" ]; then
        echo "SKIP: $1 cannot start here: $(grep -v '^$' "$WORK/$1.log" | tail -n 1)" >&2
        exit 77
    fi
    export WAYLAND_DISPLAY=$3
    WESTON_DISPLAY=$DISPLAY
    XWAYLAND_DISPLAY=$(head -n 1 "$4")
    # Park the pointer in the output's corner: the empty desktop and every size read later see it
    # there.
    park_pointer
}
park_pointer() { wx mousemove --window "$WESTON_WID" 1499 999; settle 0.1; }

start_mutter() {
    need_tools mutter Xwayland
    local socket=tavimo-test-$$
    # mutter writes Xwayland's display into its log, read here as soon as mutter has started.
    run_logged mutter env MUTTER_DEBUG_DUMMY_MODE_SPECS=1500x1000 \
        mutter --nested --wayland --wayland-display="$socket"
    local pid=$LAST_PID
    for _ in $(seq 300); do
        sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$WORK/mutter.log" >"$WORK/x11"
        [ -s "$WORK/x11" ] && break
        alive "$pid" || break
        sleep 0.05
    done
    wait_compositor mutter mutter "$socket" "$WORK/x11" "$pid"
    # mutter's Xwayland takes only the clients that hold its key.
    XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* 2>/dev/null | head -n 1)
    export XAUTHORITY
    settle 1
    grab_output "$WORK/desktop.png"
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
    wait_compositor kwin "KDE Wayland Compositor" "$socket" "$WORK/x11" "$LAST_PID"
    settle 1
    grab_output "$WORK/desktop.png"
}

# Starts the compositor named by the test (mutter or kwin) and sets DESKTOP.
start_desktop() { # mutter|kwin, wayland|xwayland
    DESKTOP=$1
    CLIENT_KIND=$2
    export XDG_RUNTIME_DIR=$WORK/xdg
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # The desktop entry and icon as installed, for the compositor to find by the app id.
    mkdir -p "$WORK/share/applications" "$WORK/share/icons/hicolor/256x256/apps"
    cp "$TAVIMO_SOURCE/packaging/io.github.tavimo.Tavimo.desktop" "$WORK/share/applications/"
    cp "$TAVIMO_SOURCE/packaging/icons/io.github.tavimo.Tavimo.png" \
        "$WORK/share/icons/hicolor/256x256/apps/"
    export XDG_DATA_DIRS=$WORK/share:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}
    "start_$DESKTOP"
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

# mutter's Wayland client on the screen: the whole window is what differs from the empty desktop
# (Qt draws no shadow), the client area the dark green within it, found along a row at two thirds
# of its height and a column just inside its left edge.
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

# weston.sh's scene graph, here: what each compositor knows.
scene_view() {
    if [ "$CLIENT_KIND" = xwayland ]; then
        x11_view
    elif [ "$DESKTOP" = kwin ]; then
        kwin_window | cut -d' ' -f1-8
    else
        screen_view
    fi
}

grab_output() { DISPLAY=$WESTON_DISPLAY import -window "$WESTON_WID" "$1"; }

# Starts the program as the test's kind of client and finds its window: sets APP_PID, CLIENT_X
# and CLIENT_Y, and for an X11 client WID, with DISPLAY on Xwayland (lib.sh's helpers reach it).
start_client() {
    if [ "$CLIENT_KIND" = xwayland ]; then
        export DISPLAY=$XWAYLAND_DISPLAY QT_QPA_PLATFORM=xcb
        unset WAYLAND_DISPLAY
        start_app
        place_window
        focus_window
    else
        start_wayland_app WAYLAND_DEBUG=client
        # The pointer enters the window and gives it the keyboard.
        click_at 10 10
    fi
}

# The compositor's maximise and restore, as a user's double click on the title bar: with the
# window manager's message for an X11 client, with kwin's own call or mutter's keys otherwise.
maximise() { # 1 maximise, 0 restore
    if [ "$CLIENT_KIND" = xwayland ]; then
        python3 "$(dirname "${BASH_SOURCE[0]}")/maximise.py" "$WID" "$1"
    elif [ "$DESKTOP" = kwin ]; then
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

# The whole session of a user: the start-up window with every control whole, 1 to 30 through the
# clipboard byte for byte, a four-box search and the window's size after it, maximise and restore
# followed by a search, Exit. Prints each size for the record; TAVIMO_SCREENSHOTS=DIR keeps the
# screenshots.
run_session() {
    local what="$DESKTOP $CLIENT_KIND" client_width client_height outer_width outer_height
    local frame_width frame_height start four
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

    type_into 120 1
    type_into 700 30
    press_enter
    expect_eq "$what: 1 to 30 on the clipboard" "$one_to_thirty" "$(copy_box 3 | hex)"

    type_into 700 1000000
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
    expect_eq "$what: client area restored" "$four" "$(window_size)"
    type_into 700 30
    press_enter
    expect_eq "$what: 1 to 30 after restoring" "$one_to_thirty" "$(copy_box 3 | hex)"
    expect_eq "$what: client area after a search in the restored window" "$four" "$(window_size)"
    check_controls_whole "$what after restoring and a search" 1 7900

    click_exit
    if ! wait_ended; then
        fail "$what: Exit did not end the program"
        kill "$APP_PID"
    fi
}

# The name and icon in the window list come from the desktop entry that the app id names.
check_app_id() {
    local id
    if [ "$CLIENT_KIND" = xwayland ]; then
        id=$(xprop -id "$WID" WM_CLASS | sed 's/.*= //')
        expect_eq "$DESKTOP $CLIENT_KIND: the window's class" '"tavimo", "Tavimo"' "$id"
    else
        id=$(sed -n 's/.*set_app_id("\(.*\)").*/\1/p' "$WORK/app.log" | head -n 1)
        expect_eq "$DESKTOP $CLIENT_KIND: the app id" io.github.tavimo.Tavimo "$id"
    fi
    # kwin matches an X11 client by its class (the entry's StartupWMClass), a Wayland one by the
    # app id, which it reports.
    if [ "$DESKTOP" = kwin ] && [ "$CLIENT_KIND" = wayland ]; then
        expect_eq "kwin $CLIENT_KIND: the desktop file kwin matched" io.github.tavimo.Tavimo \
            "$(kwin_window | cut -d' ' -f9)"
    fi
}
