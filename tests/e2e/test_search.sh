#!/usr/bin/env bash
# Searches through the real window: bounds typed, Run by Enter and by mouse, results read back
# through the copy buttons and the system clipboard.
source "$(dirname "$0")/lib.sh"
start_display
start_app
focus_window
if [ "$driver" = wine ]; then
    # The unit of the count at the start: 個 alone, at the right of its label. Its ink is the
    # pattern of the character drawn whole.
    read -r unit_left unit_top unit_right unit_bottom <<<"$(wine "$TAVIMO_CLIPBOARD" unit | tr -d '\r')"
    unit_band() { # screenshot, width from the right, convert's further arguments and output
        local file=$1 width=$2
        shift 2
        convert "$file" -crop "${width}x$((unit_bottom - unit_top))+$((unit_right - width))+$unit_top" \
            +repage -fuzz 20% -fill black +opaque white "$@"
    }
    # Taken once the window has drawn the character (Wine draws after the window shows).
    for _ in $(seq 20); do
        screenshot "$WORK/start.png"
        unit_band "$WORK/start.png" 20 -trim +repage "$WORK/ko.png"
        [ "$(identify -format %w "$WORK/ko.png")" -gt 5 ] && break
        settle
    done
fi

type_into txt1 1
type_into txt2 30
press_enter
expect_eq "1 to 30 by Enter" "$one_to_thirty" "$(copy_box 3 | hex)"

type_into txt1 30
type_into txt2 1
click_run
expect_eq "30 to 1 by a click on Run" "$one_to_thirty" "$(copy_box 3 | hex)"

# The horizontal list of 0 to 40000 stays in one box, wrapped, and copies byte for byte: every
# prime found by factor(1), each followed by a comma.
click_xy
type_into txt1 0
type_into txt2 40000
click_run 1
expected=$(printf '素数は,%s\r\nです。' "$(seq 2 40000 | factor | awk 'NF == 2 { printf "%s,", $2 }')")
# (Compared by checksum and length: the text is 24 KB.)
expect_eq "0 to 40000 horizontally" "$(printf '%s' "$expected" | cksum)" "$(copy_box 3 | cksum)"
if [ "$driver" = wine ]; then
    # The box breaks the lines itself; Ctrl+C of the whole box copies the text without them.
    expect_eq "0 to 40000 by Ctrl+C in the box" "$(printf '%s' "$expected" | cksum)" \
        "$(read_input txt3 | cksum)"
fi
click_xy

# A four-box result: the window widens to 7900 twips and the last box ends with the notice.
type_into txt1 1
type_into txt2 1000000
click_run
expect_eq "window size after four boxes" "527 270" "$(wait_size "527 270")"
last=$(copy_box 6)
expect_eq "last prime of the fourth box" "224737" "$(printf '%s' "$last" | tr -d '\r' | sed -n '5001p')"
if [ "$driver" = wine ]; then
    # The count of the capped search ends where the text of its unit (個以上) begins: its 個 is
    # drawn whole, as at the start.
    whole=false
    for _ in $(seq 10); do # until the window has drawn the count
        screenshot "$WORK/capped.png"
        unit_band "$WORK/capped.png" $((unit_right - unit_left)) "$WORK/capped-unit.png"
        if compare -metric AE -subimage-search "$WORK/capped-unit.png" "$WORK/ko.png" null: 2>/dev/null; then
            whole=true
            break
        fi
        settle
    done
    $whole || fail "the count covers a part of 個 in its unit after the capped search"
fi
case "$last" in
    ‥つづき$'\r\n'163847$'\r\n'*$'\r\n'224737$'\r\n'‥‥‥$'\r\n'\[移\]を押して続きを検索してください。\(素数は1個重複します\)) ;;
    *) fail "fourth box: ${last:0:30}…${last: -60}" ;;
esac
screenshot_when "$WORK/four.png" 332 150 "255,255,255"
expect_eq "third box shown" "255,255,255" "$(pixel "$WORK/four.png" 332 150)"
[ -n "${TAVIMO_SCREENSHOTS:-}" ] && cp "$WORK/four.png" "$TAVIMO_SCREENSHOTS/four-boxes.png"

# Texts that are not natural numbers are answered in the first box.
type_into txt1 abc
press_enter
expect_eq "message for letters" "双方に自然数(スペース無し)を入れてください" "$(copy_box 3)"
type_into txt1 9E99
press_enter
expect_eq "message for a bound beyond the search" "双方に1073577990以下の自然数を入れてください。" "$(copy_box 3)"

alive "$APP_PID" || fail "the program ended"
finish
