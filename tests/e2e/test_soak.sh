#!/usr/bin/env bash
# A soak of the real program: hundreds of random real actions, then 200 capped searches; the
# program must stay alive, keep answering correctly, and not grow.
source "$(dirname "$0")/lib.sh"
start_display
start_app
focus_window
seed=${TAVIMO_SOAK_SEED:-20261207}
actions=${TAVIMO_SOAK_ACTIONS:-300}
RANDOM=$seed
echo "soak: seed $seed, $actions actions (TAVIMO_SOAK_SEED and TAVIMO_SOAK_ACTIONS replay them)"

fragments=(1 30 7 0 -5 12345678 99999999 1E9 2E9 9E99 1e-3 7.5 7.0 1,000 "1 0" abc inf nan
    "" １２３ －５ ‥から 40000 40001 199999 1000000 224737 " 8")
# Sets $text to a random text of up to 8 characters. Called directly, never in a $(...) subshell:
# bash reseeds RANDOM there, and the seed has to replay the same run.
random_text() {
    text=${fragments[RANDOM % ${#fragments[@]}]}
    if [ $((RANDOM % 4)) -eq 0 ]; then
        text+=${fragments[RANDOM % ${#fragments[@]}]}
    fi
    text=${text:0:8}
}
sizes=("333 270" "20 20" "1 1" "166 60" "45 44" "63 63" "600 500" "1200 900" "527 270" "433 270")

one_to_thirty_h=$(printf '素数は,2,3,5,7,11,13,17,19,23,29,\r\nです。' | hex)

# The window still answers a plain request correctly, in whichever orientation is in force.
check_answers() {
    xdotool windowsize "$WID" 333 270
    wait_size "333 270" >/dev/null
    type_into txt1 1
    type_into txt2 30
    press_enter 0.5
    local got
    got=$(copy_box 3 | hex)
    [ "$got" = "$one_to_thirty" ] || [ "$got" = "$one_to_thirty_h" ] ||
        fail "after action $1 (seed $seed) the copy of 1 to 30 was $(copy_box 3 | head -c 60)"
}

for action in $(seq "$actions"); do
    case $((RANDOM % 12)) in
        0) random_text; type_into txt1 "$text" ;;
        1) random_text; type_into txt2 "$text" ;;
        2) click_run 0.4 ;;
        3) press_enter 0.4 ;;
        4) click_clear ;;
        5) click_xy ;;
        6) click_beep ;;
        7) click_move ;;
        8) copy_box $((3 + RANDOM % 4)) 4 >/dev/null || true ;; # the box may be hidden
        9 | 10)
            xdotool windowsize "$WID" ${sizes[RANDOM % ${#sizes[@]}]}
            settle 0.2
            ;;
        11) xdotool key Tab Tab space; settle 0.3 ;;
    esac
    alive "$APP_PID" || { fail "the program ended at action $action (seed $seed)"; break; }
    [ $((action % 50)) -eq 0 ] && check_answers "$action"
done
alive "$APP_PID" && check_answers "$actions"

# 200 capped searches from the keyboard: resident memory after them stays within 10 % of its
# size after the first. The random actions may have left the long-run warning armed, so the first
# press can be answered by the warning; the second press then searches.
rss() { ps -o rss= -p "$APP_PID" | tr -d ' '; }
capped_start=$(printf '素数は\r\n2\r\n3\r\n5\r\n7\r\n11\r\n13\r\n17\r\n19\r\n23\r\n29\r\n' | hex)
type_into txt1 1
type_into txt2 1000000
press_enter 1
press_enter 1
first_copy=$(copy_box 3 | hex)
[ "${first_copy:0:${#capped_start}}" = "$capped_start" ] ||
    fail "the first capped search was not shown: $(copy_box 3 | head -c 60)"
settle 1
first=$(rss)
for _ in $(seq 199); do
    xdotool key Return
    sleep 0.05
done
settle 1
# The copy is answered once every search before it has been; the last answer is the first one
# again. (copy_box marks the clipboard first: a copy that never comes does not pass as the first.)
[ "$(copy_box 3 | hex)" = "$first_copy" ] || fail "the last capped search differs from the first"
after=$(rss)
echo "resident memory: ${first} KiB after the first capped search, ${after} KiB after 200"
[ "$after" -le $((first + first / 10)) ] || fail "memory grew from ${first} KiB to ${after} KiB"
alive "$APP_PID" || fail "the program ended during the capped searches"
finish
