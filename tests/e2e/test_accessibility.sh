#!/usr/bin/env bash
# What a screen reader finds of the running program, on the AT-SPI bus (Linux) or through Windows'
# accessible objects (Wine): every shown control under a Japanese name with a description, and
# names that follow the captions as they change.
source "$(dirname "$0")/lib.sh"
start_display
# Qt serves the accessibility bus without waiting for a screen reader to ask for it.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_app
focus_window

# Debian's own Python, which holds pyatspi, whatever python3 comes first on the PATH.
# The program registers with the bus shortly after its window shows. Under Wine the tests' program
# reads the same lines from inside.
tree() {
    local attempt
    if [ "$driver" = wine ]; then
        wine "$TAVIMO_CLIPBOARD" accessible
        return
    fi
    for attempt in $(seq 40); do
        timeout 30 /usr/bin/python3 "$(dirname "$0")/atspi_tree.py" 2>"$WORK/atspi.log" && return
        settle 0.25
    done
    cat "$WORK/atspi.log" >&2
    return 1
}
described() { # role name -> the description of the shown control, or "missing"
    awk -F'\t' -v role="$1" -v name="$2" \
        '$1 == role && $2 == name { print $3; found = 1; exit } END { if (!found) print "missing" }' \
        <<<"$controls"
}

controls=$(tree) || { fail "Tavimo is not on the accessibility bus"; finish; }
for name in 実行 消去 縦 音無 移 終了 コピー; do
    [ "$(described "push button" "$name")" != missing ] || fail "no button named $name"
done
for name in 開始の数 終了の数 結果1; do
    [ "$(described text "$name")" != missing ] || fail "no text control named $name"
done
expect_eq "Run's description" "2つの数の間にある素数を検索" "$(described "push button" 実行)"
expect_eq "the first input's description" "素数を探す範囲の一方の端の自然数。8文字まで" \
    "$(described text 開始の数)"
# Every control read out has a description, and names and descriptions are Japanese.
while IFS=$'\t' read -r role name description; do
    [ -n "$description" ] || fail "$role $name has no description"
    grep -qP '[\x{3000}-\x{9fff}]' <<<"$name$description" || fail "$role [$name] [$description] is not Japanese"
done <<<"$controls"

# The names follow the captions: the orientation switch, and the count after a search.
click_xy
type_into txt1 1
type_into txt2 30
press_enter
controls=$(tree) || fail "reading the accessibility tree again"
[ "$(described "push button" 横)" != missing ] || fail "the orientation switch is not read as 横"
[ "$(described label 10)" != missing ] || fail "the count is not read as 10"
finish
