#!/usr/bin/env bash
# The command line: --help and --version answered without a display, in Japanese under a Japanese
# message locale; anything else one line on standard error, exit status 2 and no window.
source "$(dirname "$0")/lib.sh"

run() { # arguments...; sets OUT, ERR and STATUS (LOCALE: the message locale, C.UTF-8 if unset)
    STATUS=0
    env LC_ALL="${LOCALE:-C.UTF-8}" "$TAVIMO_BIN" "$@" >"$WORK/out" 2>"$WORK/err" || STATUS=$?
    OUT=$(cat "$WORK/out")
    ERR=$(cat "$WORK/err")
}

unset DISPLAY
for option in --help -h; do
    run "$option"
    expect_eq "$option: exit status" 0 "$STATUS"
    [[ $OUT == "Usage: tavimo [--help | --version]"* ]] || fail "$option: ${OUT:0:60}"
    [[ $OUT == *"--version"*"QT_QPA_PLATFORM=wayland"* ]] || fail "$option lacks the options"
done
run --version
expect_eq "--version" "0 Tavimo $(sed -n 's/^project(Tavimo VERSION \([0-9.]*\).*/\1/p' \
    "$(dirname "$0")/../../CMakeLists.txt")" "$STATUS $OUT"
LOCALE=ja_JP.UTF-8 run --help
[[ $OUT == "使い方: tavimo [--help | --version]"* ]] || fail "Japanese --help: ${OUT:0:60}"

# Wrong arguments end the program before it looks for a display, and with one with no window.
start_display
for case in "--bogus|--bogus" "-x|-x" "numbers.txt|numbers.txt" "--help extra|extra" \
    "-platform xcb|-platform" "--version=2|--version=2"; do
    arguments=${case%|*}
    # shellcheck disable=SC2086
    run $arguments
    expect_eq "[$arguments]: exit status" 2 "$STATUS"
    expect_eq "[$arguments]: stdout" "" "$OUT"
    expect_eq "[$arguments]: lines on stderr" 1 "$(printf '%s\n' "$ERR" | wc -l)"
    [[ $ERR == "tavimo: ${case#*|} is not understood"* ]] || fail "[$arguments]: $ERR"
done
LOCALE=ja_JP.UTF-8 run --nope
expect_eq "Japanese error" "2 tavimo: --nope は使えません（使えるのは --help と --version だけです）" \
    "$STATUS $ERR"
expect_eq "windows on the display" "" "$(xdotool search --name '^Tavimo$' 2>/dev/null || true)"
finish
