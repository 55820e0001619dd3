#!/usr/bin/env bash
# The Debian package: made from this build directory with CPack, installed with apt, and the
# installed /usr/bin/tavimo started under Xvfb, found by its caption and used for one search. The
# package stays installed afterwards (CI runs this as root on a throwaway machine).
# Usage: test_package.sh BUILD_DIR
build=$(cd "$1" && pwd)
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh" /usr/bin/tavimo
id=io.github.tavimo.Tavimo

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! sudo -n true 2>/dev/null; then
        echo "SKIP: installing the package needs root, or sudo without a password" >&2
        exit 77
    fi
    sudo=(sudo -n)
fi

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$WORK/package" >"$WORK/cpack.log" 2>&1; then
    cat "$WORK/cpack.log" >&2
    echo "cpack could not make the package" >&2
    exit 1
fi
debs=("$WORK"/package/tavimo_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || { echo "no tavimo_*.deb was made" >&2; exit 1; }

# dpkg-shlibdeps found the Qt libraries the program links; the face and the sound are named.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libcanberra0 fonts-ipafont-gothic \
    sound-theme-freedesktop; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done

# apt reads the file as its own unprivileged user.
chmod a+rx "$WORK" "$WORK/package"
if ! "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall \
    --no-install-recommends "$deb" >"$WORK/apt.log" 2>&1; then
    cat "$WORK/apt.log" >&2
    echo "apt-get could not install the package" >&2
    exit 1
fi
expect_eq "package state" "install ok installed" "$(dpkg-query -W -f='${Status}' tavimo)"
mkdir "$WORK/contents"
dpkg-deb -x "$deb" "$WORK/contents"
cmp -s "$WORK/contents/usr/bin/tavimo" /usr/bin/tavimo ||
    fail "/usr/bin/tavimo is not the program of this package"
installed_entry=/usr/share/applications/$id.desktop
desktop-file-validate "$installed_entry" || fail "desktop-file-validate $installed_entry"
[ -f "/usr/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "the scalable icon is not installed"

# The installed program opens its window; a desktop ties that window to the entry by its class.
start_display
start_app
focus_window
wm_class=$(xprop -id "$WID" WM_CLASS | sed 's/.*, "\(.*\)"/\1/')
expect_eq "window class = the entry's StartupWMClass" \
    "$(sed -n 's/^StartupWMClass=//p' "$installed_entry")" "$wm_class"
xprop -id "$WID" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the window has no 32 x 32 icon"

type_into 120 1
type_into 700 30
press_enter
expect_eq "1 to 30 in the installed program" "$one_to_thirty" "$(copy_box 3 | hex)"

click_exit
wait_ended || fail "Exit did not end the installed program"
finish
