# Shared steps of the end-to-end tests: a private Xvfb and session bus, the program started on it,
# real input events through xdotool, the clipboard through xclip, screenshots through ImageMagick.
# Sourced by each end-to-end test (test_*.sh, desktop.sh) with the program's path as its first
# argument.
#
# The same checks run against the three programs: the Linux one (Qt on X11), tavimo.exe under Wine
# and the page in headless Chromium (chosen by the program's name: *.exe, or the page's folder),
# and in a compositor (compositors.sh) against a Wayland client or an X11 client of Xwayland. The
# steps that differ follow the driver and CLIENT_KIND: start_app, click_at, send_keys, type_text,
# window_size, screenshot, put_clipboard and clipboard_text; a check calls only these and the steps
# built on them, and sees the window's client area and the program's own clipboard either way.
set -euo pipefail

TAVIMO_BIN=$1
WORK=$(mktemp -d)
export LC_ALL=C.UTF-8
unset XMODIFIERS QT_IM_MODULE GTK_IM_MODULE WAYLAND_DISPLAY QT_QPA_PLATFORM
failures=0
started_pids=()

case "$TAVIMO_BIN" in
    *.exe)
        driver=wine
        # The prefix (prepared once, tests/windows/wine.sh) and the tests' clipboard program come
        # from the Windows build's test definitions.
        : "${WINEPREFIX:?the Windows tests need WINEPREFIX (see tests/windows/CMakeLists.txt)}"
        : "${TAVIMO_CLIPBOARD:?the Windows tests need TAVIMO_CLIPBOARD, the path of tavimo_clipboard.exe}"
        export WINEPREFIX
        # shellcheck source=../windows/wine.sh
        source "$(dirname "${BASH_SOURCE[0]}")/../windows/wine.sh"
        ;;
    */page | */page/)
        # The page's folder (build-web/page): tests/web/driver.py serves it, drives the browser
        # and stands for the program's process (it ends once the page's window has closed).
        driver=web
        ;;
    *)
        driver=qt
        ;;
esac
# How the window is reached, CLIENT_KIND: an X11 window (x11, or xwayland for an X11 client of a
# compositor's Xwayland) or a Wayland client (wayland: input through the compositor's window on
# Xvfb, the clipboard through wl-paste). COMPOSITOR: none on a bare Xvfb, or the compositor whose
# output the screenshots come from. compositors.sh sets both.
CLIENT_KIND=x11
COMPOSITOR=""
# Where the client area starts in the window, and the frame drawn inside the window: "width
# height". Under a bare Xvfb the Qt window has none: client area and window are one. Without a
# window manager Wine draws the frame and caption itself, as large as its release makes them
# (start_app).
client_x=0
client_y=0
inner_frame="0 0"

cleanup() {
    local pid
    [ "$driver" = wine ] && wine_stop
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# A test whose tools are not installed is skipped (exit 77), not failed.
need_tools() {
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIP: $tool is not installed (scripts/setup test installs it)" >&2
            exit 77
        fi
    done
}

# Starts a command in the background with its output in $WORK/NAME.log and records its PID (also
# in LAST_PID). The log is made here, before the command starts: a background command opens its
# redirections only once it runs, which on a busy machine can be after the test first reads the log.
run_logged() { # name, command...
    local log=$WORK/$1.log
    shift
    : >"$log"
    "$@" >>"$log" 2>&1 &
    LAST_PID=$!
    started_pids+=("$LAST_PID")
}

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Ends the test: a summary line and the exit status.
finish() {
    if [ "$failures" -eq 0 ]; then
        echo "$(basename "$0"): all checks passed"
        exit 0
    fi
    echo "$(basename "$0"): $failures check(s) failed" >&2
    exit 1
}

expect_eq() { # what, expected, actual
    if [ "$2" != "$3" ]; then
        fail "$1: expected [$2], got [$3]"
    fi
}

start_display() {
    # Headless Chromium needs no display.
    [ "$driver" = web ] && return 0
    # Xvfb picks a free display itself and writes its number once it accepts connections. It must
    # not reset when its last client leaves: the program connecting while xdotool's search ends
    # its own connection was dropped in the reset ("could not connect to display").
    Xvfb -displayfd 5 -screen 0 1600x1000x24 -nolisten tcp -noreset 5>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
    started_pids+=($!)
    for _ in $(seq 200); do
        [ -s "$WORK/display" ] && break
        sleep 0.05
    done
    if [ ! -s "$WORK/display" ]; then
        echo "Xvfb did not start" >&2
        cat "$WORK/xvfb.log" >&2
        exit 1
    fi
    export DISPLAY=":$(head -n 1 "$WORK/display")"
    dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 \
        3>"$WORK/bus.address" 4>"$WORK/bus.pid"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$WORK/bus.address")
    export DBUS_SESSION_BUS_ADDRESS
    started_pids+=("$(head -n 1 "$WORK/bus.pid")")
    if [ "$driver" = wine ]; then
        wine_prefix
        wine_start
    fi
}

# One step of the page's driver: a line of tab-separated fields, and its reply line printed.
web_do() {
    local IFS=$'\t' reply
    printf '%s\n' "$*" >&7
    IFS= read -r reply <&8
    case "$reply" in error* | unknown*) echo "browser: $reply" >&2 ;; esac
    printf '%s' "$reply"
}

start_page() {
    mkfifo "$WORK/web.in" "$WORK/web.out"
    /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/../web/driver.py" "$TAVIMO_BIN" "$WORK" \
        >"$WORK/app.log" 2>&1 &
    APP_PID=$!
    started_pids+=("$APP_PID")
    # Opened for reading and writing, which never waits for the other end: a driver that fails
    # before it opens them is seen by the timeout below, not waited for.
    exec 7<>"$WORK/web.in" 8<>"$WORK/web.out"
    local reply=""
    IFS= read -r -t 120 reply <&8 || true
    if [ "$reply" != ready ]; then
        echo "the page's window did not answer" >&2
        cat "$WORK/app.log" >&2
        exit 1
    fi
    WID=page
}

# Starts the program and waits for its window: sets APP_PID and WID.
start_app() {
    local width height
    if [ "$driver" = web ]; then
        start_page
        return 0
    fi
    if [ "$driver" = wine ]; then
        run_logged app wine "$TAVIMO_BIN"
    else
        run_logged app "$TAVIMO_BIN"
    fi
    APP_PID=$LAST_PID
    WID=""
    # By its class too: mutter 48 frames an X11 client with a window of its own frames client
    # that bears the client's name and process.
    for _ in $(seq 200); do
        WID=$(comm -12 \
            <(xdotool search --onlyvisible --pid "$APP_PID" --name '^Tavimo$' 2>/dev/null | sort) \
            <(xdotool search --onlyvisible --classname '^tavimo' 2>/dev/null | sort) | head -n 1)
        [ -n "$WID" ] && break
        sleep 0.05
    done
    if [ -z "$WID" ]; then
        echo "the Tavimo window did not appear on $DISPLAY" >&2
        cat "$WORK/app.log" "$WORK/xvfb.log" >&2
        exit 1
    fi
    if [ "$driver" = wine ]; then
        read -r client_x client_y width height <<<"$(wine "$TAVIMO_CLIPBOARD" frame | tr -d '\r')"
        inner_frame="$width $height"
    fi
    settle
}

# The room the layout leaves for a frame: a frame counts up to it.
counted() { # frame width, frame height
    echo "$(($1 < 15 ? $1 : 15)) $(($2 < 30 ? $2 : 30))"
}

# What a frame has beyond that room: "width height". A window is that much larger on the display
# than the size that the program gives it and that the tests compare.
beyond_room() {
    local width height counted_width counted_height
    read -r width height <<<"$inner_frame"
    read -r counted_width counted_height <<<"$(counted "$width" "$height")"
    echo "$((width - counted_width)) $((height - counted_height))"
}

# Lets the program take the events sent so far and repaint.
settle() { sleep "${1:-0.3}"; }

# The client area's size, "W H", as the program sets it (with the part of a frame that it counts).
window_size() {
    if [ "$CLIENT_KIND" = wayland ]; then
        sizes | cut -d' ' -f1,2
        return
    fi
    local beyond
    if [ "$driver" = web ]; then
        web_do size
        echo
        return 0
    fi
    beyond=$(beyond_room)
    xdotool getwindowgeometry --shell "$WID" |
        awk -F= -v beyond="$beyond" '/^WIDTH=/ { width = $2 } /^HEIGHT=/ { height = $2 }
            END { split(beyond, b, " "); print width - b[1], height - b[2] }'
}

# A user's resize to the size "W H" as window_size reports it; under Wine from inside, as a drag
# of the window's border makes it.
resize_window() { # width height [--sync]
    local width height
    read -r width height <<<"$(beyond_room)"
    width=$(($1 + width))
    height=$(($2 + height))
    if [ "$driver" = web ]; then
        web_do resize "$width" "$height" >/dev/null # a drag of the window's handle
    elif [ "$driver" = wine ]; then
        wine "$TAVIMO_CLIPBOARD" size "$width" "$height" || fail "no resize to $1 x $2"
    elif [ "${3:-}" = --sync ]; then
        xdotool windowsize --sync "$WID" "$width" "$height" 2>/dev/null ||
            xdotool windowsize "$WID" "$width" "$height"
    else
        xdotool windowsize "$WID" "$width" "$height"
    fi
}

# Waits up to ten seconds for the window to take the size "W H", then prints the size it has.
wait_size() {
    local size
    for _ in $(seq 100); do
        size=$(window_size)
        [ "$size" = "$1" ] && break
        sleep 0.1
    done
    printf '%s' "$size"
}

# Twips to pixels, as the program lays out its controls: 15 twips to a pixel.
px() { echo $(( ($1 + 7) / 15 )); }

# A Wayland client takes its input from the compositor's window on Xvfb, where its client area
# lies at CLIENT_X, CLIENT_Y.
click_at() { # x y in the client area's pixels [mouse button, 1 by default]
    if [ "$driver" = web ]; then
        web_do click "$1" "$2" "${3:-1}" >/dev/null
    elif [ "$CLIENT_KIND" = wayland ]; then
        wx mousemove --window "$WESTON_WID" $((CLIENT_X + $1)) $((CLIENT_Y + $2)) click "${3:-1}"
    else
        xdotool mousemove --window "$WID" $(($1 + client_x)) $(($2 + client_y)) click "${3:-1}"
    fi
    settle 0.2
}

# Keys for the window, as xdotool names them (ctrl+a, BackSpace, End): sent to the X11 window
# itself, to the compositor's window, which has the keyboard, or to the page. Text is typed key by
# key (type_text) without a window, on $DISPLAY: the window's own display, and for a Wayland client
# the compositor's.
send_keys() {
    if [ "$driver" = web ]; then
        web_do key "$@" >/dev/null
    elif [ "$CLIENT_KIND" = wayland ]; then
        wx key "$@"
    else
        xdotool key --window "$WID" "$@"
    fi
}
type_text() {
    if [ "$driver" = web ]; then
        web_do type "$1" >/dev/null
    else
        xdotool type --delay 20 -- "$1"
    fi
}

# The controls that the tests type into and press, by their names in the program: left, top,
# width and height on the window in twips (the command buttons in the frame at 360, 1620).
declare -gA controls=(
    [txt1]="480 120 1332 372" [txt2]="480 700 1332 372" [cmdJIKKO]="480 1740 1332 372"
    [cmdKESU]="480 2220 732 372" [cmdXY]="1320 2220 492 372" [cmdOTO]="480 2700 732 372"
    [cmdCOPY]="1320 2700 492 372" [cmdEND]="480 3180 1332 372"
    # A square inside the first result box in every layout, one box or four.
    [txt3]="2300 1500 300 300"
)
click_control() { # name [mouse button]
    [ -n "${controls[$1]:-}" ] || { echo "no control $1 in lib.sh's table" >&2; exit 1; }
    # shellcheck disable=SC2086
    click_twips ${controls[$1]} "${2:-1}"
}

# The centre of a control given in twips on the window: left top width height [mouse button].
click_twips() { click_at "$(px $(($1 + $3 / 2)))" "$(px $(($2 + $4 / 2)))" "${5:-1}"; }

focus_window() {
    # The page has the browser's focus from the start.
    [ "$driver" = web ] || xdotool windowfocus --sync "$WID" 2>/dev/null || xdotool windowfocus "$WID"
    settle 0.1
}

# Replaces the text of an input (txt1 or txt2) by typing.
type_into() { # input text
    click_control "$1"
    send_keys ctrl+a BackSpace
    [ -z "$2" ] || type_text "$2"
    settle 0.1
}

press_enter() {
    if [ "$driver" = web ]; then
        send_keys Return
    else
        xdotool key Return
    fi
    settle "${1:-0.5}"
}
click_run() { click_control cmdJIKKO; settle "${1:-0.3}"; }
click_clear() { click_control cmdKESU; }
click_xy() { click_control cmdXY; }
click_beep() { click_control cmdOTO; }
click_move() { click_control cmdCOPY; }
click_exit() { click_control cmdEND; }

# Window height in twips, for the copy strip that follows the bottom edge. Where a frame takes a
# part of the program's size the client area is less: a test there sets the height that the
# program keeps (frames.sh).
height_twips() { echo "${fixed_height_twips:-$(($(window_size | cut -d' ' -f2) * 15))}"; }

# A text that no copy of the program makes. It is put on the clipboard before each copy that a
# test reads, so that a copy that never happens is seen as this text rather than as the one
# copied before.
no_copy='(no copy)'

# Puts a text on the clipboard and waits until it is there. xclip serves it until a copy takes the
# clipboard over (or the display ends). A Wayland client's clipboard is left alone: wl-copy would
# take the keyboard from the window to set it.
put_clipboard() { # text
    if [ "$driver" = web ]; then
        # Through a file: the driver reads its commands one line each.
        printf '%s' "$1" >"$WORK/web.put"
        web_do set_clipboard "$WORK/web.put" >/dev/null
        return 0
    fi
    if [ "$driver" = wine ]; then
        wine "$TAVIMO_CLIPBOARD" set "$1"
        return 0
    fi
    [ "$CLIENT_KIND" != wayland ] || return 0
    printf '%s' "$1" | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
    for _ in $(seq 100); do
        [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ] && return 0
        sleep 0.02
    done
}
mark_clipboard() { put_clipboard "$no_copy"; }

# Prints the clipboard once the copy has replaced the marker, or the marker after the given
# number of 50 ms tries (600 by default: a copy waits for the searches pressed before it). An
# unmarked clipboard (Wayland) is read once the program has had a moment for the copy.
read_clipboard() {
    [ "$CLIENT_KIND" != wayland ] || settle 0.2
    for _ in $(seq "${1:-600}"); do
        [ "$(clipboard_text)" != "$no_copy" ] && break
        sleep 0.05
    done
    clipboard_text
}

# The clipboard's plain text as the program put it there. Under Wine it is read inside Wine: its
# bridge to the X11 clipboard turns CR LF into LF.
clipboard_text() {
    if [ "$driver" = web ]; then
        web_do clipboard >/dev/null && cat "$WORK/web.data"
    elif [ "$driver" = wine ]; then
        wine "$TAVIMO_CLIPBOARD" get 2>/dev/null
    elif [ "$CLIENT_KIND" = wayland ]; then
        timeout 5 wl-paste -n -t 'text/plain;charset=utf-8' 2>/dev/null
    else
        xclip -o -selection clipboard 2>/dev/null
    fi
}

# Presses the copy button of result box N (3..6) and prints the clipboard; a second argument
# shortens the wait for the copy (tries of 50 ms).
copy_box() {
    local left=$(( 2400 + ($1 - 3) * 1440 ))
    mark_clipboard
    click_twips "$left" $(( $(height_twips) - 680 )) 732 230
    read_clipboard "${2:-600}"
}

# A screenshot of the client area, so that a pixel has the same coordinates for both programs; in
# a compositor cut out of its output, as the user sees it.
screenshot() {
    if [ "$driver" = web ]; then
        web_do screenshot "$1" >/dev/null
        return 0
    fi
    if [ -n "$COMPOSITOR" ]; then
        output_screenshot "$1"
        return
    fi
    import -window "$WID" "$1"
    if [ "$driver" = wine ]; then
        # Wine's frame is as wide at the right and the bottom as at the left.
        local size
        size=$(identify -format '%w %h' "$1")
        mogrify -crop "$((${size% *} - 2 * client_x))x$((${size#* } - client_y - client_x))+$client_x+$client_y" \
            +repage "$1"
    fi
}

# Takes the screenshot once pixel x y shows "r,g,b", that is once the window has drawn what the
# test expects there; after ten seconds as it is.
screenshot_when() { # file x y r,g,b
    for _ in $(seq 50); do
        screenshot "$1"
        [ "$(pixel "$1" "$2" "$3")" = "$4" ] && return 0
        sleep 0.2
    done
}

pixel() { # file x y -> "r,g,b"
    convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)],%[fx:int(255*p{'"$2"','"$3"'}.g)],%[fx:int(255*p{'"$2"','"$3"'}.b)]' info:
}

# Prints the text of an input (txt1 or txt2), read through the clipboard. An empty input copies
# nothing: it reads as the marker $no_copy.
read_input() { # input
    mark_clipboard
    click_control "$1"
    send_keys ctrl+a ctrl+c
    read_clipboard 100
}

# CR LF text as hex, for byte-for-byte comparisons.
hex() { od -An -tx1 | tr -d ' \n'; }

# The first box after a search from 1 to 30, one prime per line, as hex.
one_to_thirty=$(printf '素数は,\r\n2\r\n3\r\n5\r\n7\r\n11\r\n13\r\n17\r\n19\r\n23\r\n29\r\nです。' | hex)

# Whether the program still runs: a child that has ended stays as a zombie until waited for, so
# kill -0 alone would call it alive.
alive() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null | tr -d ' ')
    [ -n "$state" ] && [[ $state != Z* ]]
}

# Waits up to five seconds for the program to end, as after a click on Exit; fails if it runs on.
wait_ended() {
    for _ in $(seq 100); do
        alive "$APP_PID" || return 0
        settle 0.05
    done
    return 1
}
