#!/usr/bin/env bash
# Move, Run again, Clear and Exit through the real window.
source "$(dirname "$0")/lib.sh"
start_display
start_app
focus_window

type_into 120 1
type_into 700 1000000
click_run 2
click_move
expect_eq "txt1 after Move" "224737" "$(read_input 120)"
expect_eq "txt2 after Move" "1000000" "$(read_input 700)"
click_run 2
first=$(copy_box 3)
case "$first" in
    素数は$'\r\n'224737$'\r\n'224743$'\r\n'*) ;;
    *) fail "the continued search: ${first:0:40}" ;;
esac

click_clear
expect_eq "txt3 after Clear" "" "$(copy_box 3 | hex)"
expect_eq "txt1 after Clear (nothing to copy)" "$no_copy" "$(read_input 120)"
expect_eq "window keeps its width after Clear" "527 270" "$(wait_size "527 270")"

# Move with the inputs emptied by Clear: the first input receives the last prime of the
# continued search (the 20000th prime from 224737 on).
click_move
expect_eq "txt1 after Move on empty inputs" "479903" "$(read_input 120)"

# The beep switch: on and off again; the program goes on whether or not a sound device exists.
click_beep
type_into 700 224800
press_enter
alive "$APP_PID" || fail "the program ended after a search with the beep on"
click_beep

# Bounds in exponent form: a capped search from 1E9 ends at a ten-digit prime, Move writes all ten
# digits into the input, and Run continues from that prime. A rejected press first arms the
# long-run warning, so the search takes two presses.
type_into 120 abc
press_enter
type_into 120 1E9
type_into 700 1.07E9
press_enter
case "$(copy_box 3)" in
    数分、またはそれ以上かかる場合も有りますが？*) ;;
    *) fail "no long-run warning before the search from 1E9" ;;
esac
press_enter 2
click_move
expect_eq "txt1 after the ten-digit Move" "1000415519" "$(read_input 120)"
expect_eq "txt2 after the ten-digit Move" "1.07E9" "$(read_input 700)"
if [ -n "${TAVIMO_SCREENSHOTS:-}" ]; then
    click_twips 480 120 1332 372
    send_keys End
    screenshot_when "$WORK/move.png" 33 128 "0,144,0" # Run carries the default emphasis
    cp "$WORK/move.png" "$TAVIMO_SCREENSHOTS/ten-digit-move.png"
fi
click_run 2
case "$(copy_box 3)" in
    素数は$'\r\n'1000415519$'\r\n'*) ;;
    *) fail "the search continued after the ten-digit Move: $(copy_box 3 | head -c 40)" ;;
esac

# Exit ends the process at once (within a second; Wine's own teardown of a process takes a few)
# with status 0.
click_exit
status=""
tries=50
[ "$driver" = wine ] && tries=250
for _ in $(seq "$tries"); do
    if ! alive "$APP_PID"; then
        wait "$APP_PID" && status=0 || status=$?
        break
    fi
    sleep 0.02
done
expect_eq "exit status after Exit" "0" "$status"
finish
