#!/usr/bin/env bash
# The Debian package, made from this build directory with CPack: its fields, its file list, its
# desktop entry and metadata, and its program started under Xvfb, found by its caption and used
# for one search.
# By default nothing is installed: the package is checked and its program started from an
# unpacked copy. With CI=true or TAVIMO_TEST_INSTALL=1 it is installed with apt (as root, or with
# sudo without a password), the installed /usr/bin/tavimo is started, and the package is removed
# again however the test ends.
# Usage: test_package.sh BUILD_DIR
build=$(cd "$1" && pwd)
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh" /usr/bin/tavimo
id=io.github.tavimo.Tavimo

install=false
if [ "${CI:-}" = true ] || [ "${TAVIMO_TEST_INSTALL:-0}" = 1 ]; then
    install=true
fi
# Whether any of the package is on the system, half-installed or unpacked included.
installed() {
    case $(dpkg-query -W -f='${Status}' tavimo 2>/dev/null) in
    "" | *" not-installed" | *" config-files") return 1 ;;
    *) return 0 ;;
    esac
}

sudo=()
if $install; then
    if [ "$(id -u)" -ne 0 ]; then
        if ! sudo -n true 2>/dev/null; then
            echo "Installing the package needs root, or sudo without a password." >&2
            exit 1
        fi
        sudo=(sudo -n)
    fi
    if installed; then
        echo "A tavimo package is installed already; remove it first (apt-get remove tavimo)," \
            "as this test would replace it and remove it afterwards." >&2
        exit 1
    fi
fi

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$WORK/package" >"$WORK/cpack.log" 2>&1; then
    cat "$WORK/cpack.log" >&2
    echo "cpack could not make the package" >&2
    exit 1
fi
debs=("$WORK"/package/tavimo_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || { echo "no tavimo_*.deb was made" >&2; exit 1; }

expect_eq "Package" "tavimo" "$(dpkg-deb -f "$deb" Package)"
expect_eq "Architecture" "$(dpkg --print-architecture)" "$(dpkg-deb -f "$deb" Architecture)"
# dpkg-shlibdeps found the Qt libraries the program links (with Debian 13's 64-bit time suffix,
# t64, where the release has it); the face, the sound and Qt's Japanese texts are named.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libcanberra0 fonts-ipafont-gothic \
    sound-theme-freedesktop qt6-translations-l10n; do
    [[ ", $depends," =~ ,\ $package(t64)?[\ ,] ]] || fail "Depends lacks $package: $depends"
done

# The program, its entry, its icons, its metadata, its manual pages, its changelog and its
# licence, and nothing else.
expected_files="./usr/bin/tavimo
./usr/share/applications/$id.desktop
./usr/share/doc/tavimo/changelog.gz
./usr/share/doc/tavimo/copyright
./usr/share/icons/hicolor/32x32/apps/$id.png
./usr/share/icons/hicolor/scalable/apps/$id.svg
./usr/share/man/ja/man1/tavimo.1.gz
./usr/share/man/man1/tavimo.1.gz
./usr/share/metainfo/$id.metainfo.xml"
expect_eq "files of the package" "$expected_files" \
    "$(dpkg-deb -c "$deb" | grep -v '^d' | awk '{print $NF}' | sort)"
mkdir "$WORK/contents"
dpkg-deb -x "$deb" "$WORK/contents"
contents=$WORK/contents
[ -x "$contents/usr/bin/tavimo" ] || fail "usr/bin/tavimo is not executable"
desktop-file-validate "$contents/usr/share/applications/$id.desktop" ||
    fail "desktop-file-validate on the package's entry"
appstreamcli validate --no-net "$contents/usr/share/metainfo/$id.metainfo.xml" \
    >"$WORK/appstream.log" 2>&1 || { cat "$WORK/appstream.log" >&2; fail "appstreamcli validate"; }
[ "$failures" -eq 0 ] || finish

entry=$contents/usr/share/applications/$id.desktop
if $install; then
    # However the test ends, the package goes again.
    remove_package() {
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q tavimo \
            >"$WORK/remove.log" 2>&1 || cat "$WORK/remove.log" >&2
        if installed; then
            echo "FAIL: the tavimo package is still installed" >&2
            exit 1
        fi
        cleanup
    }
    trap remove_package EXIT
    trap 'exit 1' INT TERM HUP
    # apt reads the file as its own unprivileged user.
    chmod a+rx "$WORK" "$WORK/package"
    if ! "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall \
        --no-install-recommends "$deb" >"$WORK/apt.log" 2>&1; then
        cat "$WORK/apt.log" >&2
        echo "apt-get could not install the package" >&2
        exit 1
    fi
    expect_eq "package state" "install ok installed" "$(dpkg-query -W -f='${Status}' tavimo)"
    cmp -s "$contents/usr/bin/tavimo" /usr/bin/tavimo ||
        fail "/usr/bin/tavimo is not the program of this package"
    entry=/usr/share/applications/$id.desktop
    desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
    [ -f "/usr/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "the scalable icon is not installed"
else
    # The program from the unpacked package; it needs nothing beside itself in the package.
    TAVIMO_BIN=$contents/usr/bin/tavimo
fi

# The program opens its window; a desktop ties that window to the entry by its class.
start_display
start_app
focus_window
wm_class=$(xprop -id "$WID" WM_CLASS | sed 's/.*, "\(.*\)"/\1/')
expect_eq "window class = the entry's StartupWMClass" \
    "$(sed -n 's/^StartupWMClass=//p' "$entry")" "$wm_class"
# The icon may follow the window's first showing by a moment.
for _ in $(seq 20); do
    xprop -id "$WID" _NET_WM_ICON | grep -q 'Icon (32 x 32)' && break
    settle 0.1
done
if ! xprop -id "$WID" _NET_WM_ICON | grep -q 'Icon (32 x 32)'; then
    xprop -id "$WID" | cut -c1-160 >&2
    fail "the window has no 32 x 32 icon"
fi

type_into txt1 1
type_into txt2 30
press_enter
expect_eq "1 to 30 in the packaged program" "$one_to_thirty" "$(copy_box 3 | hex)"

click_exit
wait_ended || fail "Exit did not end the packaged program"
finish
