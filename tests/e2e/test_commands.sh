#!/usr/bin/env bash
# Move, Run again, Clear and Exit through the real window.
source "$(dirname "$0")/lib.sh"
start_display
start_app
focus_window

type_into txt1 1
type_into txt2 1000000
click_run 2
click_move
expect_eq "txt1 after Move" "224737" "$(read_input txt1)"
expect_eq "txt2 after Move" "1000000" "$(read_input txt2)"
click_run 2
first=$(copy_box 3)
case "$first" in
    素数は$'\r\n'224737$'\r\n'224743$'\r\n'*) ;;
    *) fail "the continued search: ${first:0:40}" ;;
esac

click_clear
expect_eq "txt3 after Clear" "" "$(copy_box 3 | hex)"
expect_eq "txt1 after Clear (nothing to copy)" "$no_copy" "$(read_input txt1)"
expect_eq "window keeps its width after Clear" "527 270" "$(wait_size "527 270")"

# Move with the inputs emptied by Clear: the first input receives the last prime of the
# continued search (the 20000th prime from 224737 on).
click_move
expect_eq "txt1 after Move on empty inputs" "479903" "$(read_input txt1)"

# A paste of twelve characters by Shift+Insert takes the eight that fit.
put_clipboard 123456789012
type_into txt1 ""
send_keys shift+Insert
settle 0.2
expect_eq "txt1 after Shift+Insert of 12 characters" "12345678" "$(read_input txt1)"
# A single-line box takes a pasted text up to its first line break: a line copied from a result box.
put_clipboard $'48611\r\n48619\r\n'
type_into txt1 ""
send_keys shift+Insert
settle 0.2
expect_eq "txt1 after a paste of two lines" "48611" "$(read_input txt1)"

# A side button going down on Run prepares the window for the search, as any button does; only a
# click of the primary button searches.
type_into txt1 1
type_into txt2 30
click_control cmdJIKKO 8
settle 0.3
expect_eq "txt3 after a side button on Run" "調べてます。" "$(copy_box 3)"
# Ctrl+Enter types a line break into a result box, where Enter would press Run.
click_control txt3
send_keys ctrl+End ctrl+Return
type_text x
expect_eq "txt3 after Ctrl+Enter and x at its end" "$(printf '調べてます。\r\nx' | hex)" "$(copy_box 3 | hex)"

if [ "$driver" = wine ]; then
    # The box that had the focus has it again when the window is activated again.
    type_into txt1 12
    wine "$TAVIMO_CLIPBOARD" deactivate || fail "the window was not deactivated"
    xdotool type --delay 20 34
    settle 0.2
    expect_eq "txt1 typed into after the window was activated again" "1234" "$(read_input txt1)"
fi

# The beep switch: on and off again; the program goes on whether or not a sound device exists.
click_beep
type_into txt2 224800
press_enter
alive "$APP_PID" || fail "the program ended after a search with the beep on"
click_beep

# Bounds in exponent form: a capped search from 1E9 ends at a ten-digit prime, Move writes all ten
# digits into the input, and Run continues from that prime. A rejected press first arms the
# long-run warning, so the search takes two presses.
type_into txt1 abc
press_enter
type_into txt1 1E9
type_into txt2 1.07E9
press_enter
case "$(copy_box 3)" in
    数分、またはそれ以上かかる場合も有りますが？*) ;;
    *) fail "no long-run warning before the search from 1E9" ;;
esac
press_enter 2
click_move
expect_eq "txt1 after the ten-digit Move" "1000415519" "$(read_input txt1)"
expect_eq "txt2 after the ten-digit Move" "1.07E9" "$(read_input txt2)"
if [ -n "${TAVIMO_SCREENSHOTS:-}" ]; then
    click_control txt1
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
