#!/usr/bin/env bash
# The window as a user first sees it, and how it follows the user's resizes.
source "$(dirname "$0")/lib.sh"
start_display
start_app

expect_eq "window size at start-up (5000 × 4050 twips)" "333 270" "$(wait_size "333 270")"

screenshot_when "$WORK/start.png" 45 122 "0,255,0" # drawn: Run's face
[ -n "${TAVIMO_SCREENSHOTS:-}" ] && cp "$WORK/start.png" "$TAVIMO_SCREENSHOTS/start.png"
expect_eq "window background" "0,128,0" "$(pixel "$WORK/start.png" 5 300)"
expect_eq "window background between the frames" "0,128,0" "$(pixel "$WORK/start.png" 10 105)"
expect_eq "Run button face" "0,255,0" "$(pixel "$WORK/start.png" 45 122)"
expect_eq "Exit button face" "0,255,0" "$(pixel "$WORK/start.png" 45 218)"
expect_eq "txt1 background" "255,255,255" "$(pixel "$WORK/start.png" 40 12)"
expect_eq "txt3 background" "255,255,255" "$(pixel "$WORK/start.png" 150 180)"
expect_eq "Line1 between the inputs" "255,255,255" "$(pixel "$WORK/start.png" 80 40)"
expect_eq "copy button face" "0,255,0" "$(pixel "$WORK/start.png" 165 230)"

# The inputs hold their start-up texts: a copy of the first result box proves the window answers,
# and the hint text arrives byte for byte with its CR LF line breaks.
hint=$(printf '\r\n２つの数の差が大きい\r\nとかなり時間がかかります。\r\n' | od -An -tx1 | tr -d ' \n')
expect_eq "copy of the start-up hint" "$hint" "$(copy_box 3 | od -An -tx1 | tr -d ' \n')"

# A user resize moves the copy-button strip to the new bottom edge (top = H − 680 twips).
resize_window 600 500 --sync
expect_eq "window size after the resize" "600 500" "$(wait_size "600 500")"
copy_strip_y=$(( (7500 - 680 + 115) / 15 ))
screenshot_when "$WORK/resized.png" 165 "$copy_strip_y" "0,255,0"
expect_eq "copy button at the new bottom" "0,255,0" "$(pixel "$WORK/resized.png" 165 "$copy_strip_y")"
expect_eq "result box reaches down" "255,255,255" "$(pixel "$WORK/resized.png" 300 400)"

# Very small and very large sizes: the program keeps running and answering.
for size in "20 20" "1 1" "1590 990" "333 270"; do
    resize_window $size
    settle 0.3
    alive "$APP_PID" || fail "the program ended at size $size"
done
wait_size "333 270" >/dev/null
expect_eq "copy after the extreme sizes" "$hint" "$(copy_box 3 | od -An -tx1 | tr -d ' \n')"

finish
