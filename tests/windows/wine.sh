# Wine for the Windows program's tests: a private prefix with the fonts the window needs, and a
# wineserver started apart from the caller's pipes. Sourced by tests/e2e/lib.sh (its Wine driver),
# tests/windows/test_installer.sh and scripts/windows.
# shellcheck shell=bash

export WINEDEBUG=-all
# No Mono or Gecko installer dialogs on the prefix's first start.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
WINE_HELPERS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Prepares the prefix $WINEPREFIX once: Wine's own files; Tahoma and Marlett, which Debian's
# fonts-wine puts where this Wine does not look; the Japanese faces of Windows replaced by the IPA
# faces; Wine's own frame and caption drawn under a window manager too, as without one.
wine_prefix() {
    [ -f "$WINEPREFIX/.tavimo-ready" ] && return 0
    mkdir -p "$WINEPREFIX"
    wine wineboot --init </dev/null >/dev/null 2>&1
    wineserver -w
    cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
        /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    # regedit reads a UTF-16 file for the Japanese names.
    iconv -f UTF-8 -t UTF-16 >"$WINEPREFIX/tavimo.reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAGothic"
"Yu Gothic UI"="IPAPGothic"
"Meiryo UI"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"
REG
    wine regedit /S "$WINEPREFIX/tavimo.reg" </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tavimo-ready"
}

# Starts the prefix's wineserver and Wine's services with no terminal or pipe of the caller's
# (ctest waits for every process that holds its output pipe), on the present DISPLAY if any.
wine_start() {
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Ends every process of the prefix: the wineserver and the Windows processes it serves.
wine_stop() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
}
