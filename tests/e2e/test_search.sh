#!/usr/bin/env bash
# Searches through the real window: bounds typed, Run by Enter and by mouse, results read back
# through the copy buttons and the system clipboard.
source "$(dirname "$0")/lib.sh"
start_display
start_app
focus_window

type_into txt1 1
type_into txt2 30
press_enter
expect_eq "1 to 30 by Enter" "$one_to_thirty" "$(copy_box 3 | hex)"

type_into txt1 30
type_into txt2 1
click_run
expect_eq "30 to 1 by a click on Run" "$one_to_thirty" "$(copy_box 3 | hex)"

# The horizontal list of 0 to 40000 stays in one box, wrapped. Wine's edit control measures the
# rest of a paragraph again for every line it wraps, which takes minutes for this one paragraph
# of 25000 characters: under Wine the list ends at 5000.
click_xy
type_into txt1 0
if [ "$driver" = wine ]; then
    upper=5000 last_prime=4999
else
    upper=40000 last_prime=39989
fi
type_into txt2 "$upper"
click_run 1
horizontal=$(copy_box 3)
case "$horizontal" in
    素数は,2,3,5,7,11,*,"$last_prime",$'\r\n'です。) ;;
    *) fail "0 to $upper horizontally: ${horizontal:0:40}…${horizontal: -20}" ;;
esac
click_xy

# A four-box result: the window widens to 7900 twips and the last box ends with the notice.
type_into txt1 1
type_into txt2 1000000
click_run
expect_eq "window size after four boxes" "527 270" "$(wait_size "527 270")"
last=$(copy_box 6)
expect_eq "last prime of the fourth box" "224737" "$(printf '%s' "$last" | tr -d '\r' | sed -n '5001p')"
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
