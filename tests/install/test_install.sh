#!/usr/bin/env bash
# The install tree: the program, its desktop entry, icons, AppStream metadata and licence, each
# where a Linux desktop looks for it, valid, and naming one another by the same application id.
# Usage: test_install.sh BUILD_DIR SOURCE_DIR VERSION
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh" "$1/src/tavimo"
build=$1
source=$2
version=$3
id=io.github.tavimo.Tavimo

# The value of one key of the desktop entry's main group.
entry() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }

cmake --install "$build" --prefix "$WORK/usr" >/dev/null
root=$WORK/usr

desktop=$root/share/applications/$id.desktop
metainfo=$root/share/metainfo/$id.metainfo.xml
png=$root/share/icons/hicolor/32x32/apps/$id.png
svg=$root/share/icons/hicolor/scalable/apps/$id.svg
for file in "$desktop" "$metainfo" "$png" "$svg" "$root/share/doc/tavimo/copyright" \
    "$root/share/doc/tavimo/changelog.gz" "$root/share/man/man1/tavimo.1.gz" \
    "$root/share/man/ja/man1/tavimo.1.gz"; do
    [ -s "$file" ] || fail "missing: ${file#"$WORK"/}"
done
[ -x "$root/bin/tavimo" ] || fail "missing: usr/bin/tavimo"
# Nothing else: no test program, library or header finds its way into the package.
expect_eq "installed files" 9 "$(find "$root" -type f | wc -l)"
# The manual pages as man shows them: the name line in each language.
man -l "$root/share/man/man1/tavimo.1.gz" 2>/dev/null | grep -q 'tavimo - list the prime numbers' ||
    fail "the English manual page"
man -l "$root/share/man/ja/man1/tavimo.1.gz" 2>/dev/null | grep -q 'tavimo - 2つの自然数' ||
    fail "the Japanese manual page"
[ "$failures" -eq 0 ] || exit 1

desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" >"$WORK/appstream.log" 2>&1 ||
    { cat "$WORK/appstream.log" >&2; fail "appstreamcli validate"; }

# The entry as a desktop shows it.
expect_eq "Name" "Tavimo" "$(entry Name)"
expect_eq "Categories" "Education;Math;" "$(entry Categories)"
expect_eq "Terminal" "false" "$(entry Terminal)"
[ -n "$(entry Comment)" ] || fail "no English Comment"
entry 'Comment\[ja\]' | grep -q '素数' || fail "no Japanese Comment[ja]: [$(entry 'Comment\[ja\]')]"

# One id throughout: the entry's file name, its icon, the metadata and what it launches; the
# command the entry runs is the installed program.
expect_eq "Icon" "$id" "$(entry Icon)"
expect_eq "Exec" "tavimo" "$(entry Exec)"
xml() { sed -n "s|.*<$1[^>]*>\(.*\)</$1>.*|\1|p" "$metainfo" | head -n 1; }
expect_eq "metadata id" "$id" "$(xml id)"
expect_eq "metadata launchable" "$id.desktop" "$(xml launchable)"
expect_eq "metadata binary" "tavimo" "$(xml binary)"
grep -q '<summary xml:lang="ja">' "$metainfo" || fail "no Japanese summary"
# The licence that the metadata names is the one in LICENSE, and the release is this version.
expect_eq "project licence" "MIT" "$(xml project_license)"
head -n 1 "$root/share/doc/tavimo/copyright" | grep -q '^MIT License$' || fail "LICENSE is not MIT"
grep -q "<release version=\"$version\"" "$metainfo" || fail "no release $version in the metadata"

# The 32 px icon is the program's own image, pixel for pixel.
expect_eq "icon size" "32x32" "$(identify -format '%wx%h' "$png")"
differing=$(compare -metric AE "$source/src/platform/qt/tavimo.xpm" "$png" null: 2>&1 || true)
expect_eq "pixels of the PNG icon that differ from the program's image" 0 "$differing"

# The scalable icon, drawn at 32 px, looks like that image: the same colours in the same places,
# the glyph's strokes where the image has them (a blank green square is about 0.34 away).
rsvg-convert -w 32 -h 32 "$svg" -o "$WORK/svg32.png"
distance=$(compare -metric RMSE "$WORK/svg32.png" "$png" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
awk -v d="$distance" 'BEGIN { exit !(d < 0.2) }' ||
    fail "the scalable icon at 32 px is $distance (RMSE) away from the 32 px image"
pixel() { convert "$WORK/svg32.png" -alpha off -format "%[pixel:p{$1,$2}]" info:; }
expect_eq "scalable icon: border" "srgb(0,255,0)" "$(pixel 1 16)"
expect_eq "scalable icon: background" "srgb(0,128,0)" "$(pixel 4 4)"
expect_eq "scalable icon: the stroke through 素" "srgb(255,255,255)" "$(pixel 15 25)"
rsvg-convert -w 256 -h 256 "$svg" -o "$WORK/svg256.png" || fail "the scalable icon at 256 px"

finish
