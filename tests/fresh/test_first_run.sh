#!/usr/bin/env bash
# The README's first command as a new user meets it: `scripts/run` without a display, in a fresh
# minimal Debian root (debootstrap, nothing installed but the base system), must install what it
# needs, build, and print the demonstration's result for 1 to 30. Catches a package that only the
# build machine happens to have.
# Run as root from a git checkout; the committed files and the changes to them are taken, not the
# build folders. The base root is made once and kept in $TAVIMO_FRESH_CACHE/fresh-SUITE (default
# /var/cache/tavimo); each run works on a copy of it, which is removed afterwards.
#   tests/fresh/test_first_run.sh                           # this machine's Debian release
#   TAVIMO_FRESH_SUITE=trixie tests/fresh/test_first_run.sh # Debian 13
set -euo pipefail
cd "$(dirname "$0")/../.."
project=$PWD

if [ "$(id -u)" -ne 0 ]; then
    echo "This test makes and enters a Debian root (debootstrap, mount, chroot): run it as root." >&2
    exit 1
fi
# shellcheck source=../../scripts/packages.sh
source scripts/packages.sh
install_packages debootstrap git

suite=${TAVIMO_FRESH_SUITE:-$(. /etc/os-release && echo "$VERSION_CODENAME")}
cache=${TAVIMO_FRESH_CACHE:-/var/cache/tavimo}
base=$cache/fresh-$suite

# The Debian mirror this machine's apt uses (deb822 or one-line sources), and its security one.
host_uris() {
    {
        sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null
        sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]\+\).*/\2/p' \
            /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null
    } | tr ' ' '\n' | grep -v '^$' || true
}
mirror=$(host_uris | grep -v -- '-security' | head -n 1)
security=$(host_uris | grep -- '-security' | head -n 1)
[ -n "$mirror" ] || { echo "No Debian mirror found in this machine's apt sources." >&2; exit 1; }

root=""
mounted=()
# However the test ends: everything it mounted is unmounted, and the copy removed.
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" || true
    done
    mounted=()
    if [ -n "$root" ] && [ -d "$root" ]; then
        # Never remove through a mount that is still there.
        if findmnt -rn -o TARGET | grep -q "^$root/"; then
            echo "Left $root in place: something is still mounted in it." >&2
        else
            rm -rf --one-file-system "$root"
        fi
    fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

if [ ! -x "$base/usr/bin/apt-get" ]; then
    echo "Making a minimal Debian $suite root in $base (once; a few minutes)..."
    mkdir -p "$cache"
    making=$(mktemp -d "$cache/making-$suite.XXXX")
    if ! debootstrap --variant=minbase "$suite" "$making" "$mirror" >"$making.log" 2>&1; then
        tail -n 20 "$making.log" >&2
        rm -rf --one-file-system "$making"
        echo "debootstrap could not make the root (log: $making.log)." >&2
        exit 1
    fi
    rm -f "$making.log"
    rm -rf --one-file-system "$base"
    mv "$making" "$base"
fi

root=$(mktemp -d "${TMPDIR:-/tmp}/tavimo-fresh-$suite.XXXX")
cp -a "$base/." "$root/"
rm -f "$root/etc/apt/sources.list" "$root"/etc/apt/sources.list.d/*
{
    printf 'Types: deb\nURIs: %s\nSuites: %s %s-updates\nComponents: main\n' "$mirror" "$suite" "$suite"
    printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
    if [ -n "$security" ]; then
        printf '\nTypes: deb\nURIs: %s\nSuites: %s-security\nComponents: main\n' "$security" "$suite"
        printf 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg\n'
    fi
} >"$root/etc/apt/sources.list.d/debian.sources"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# The checkout's tracked files as they are now, uncommitted changes included.
mkdir -p "$root/srv/project"
snapshot=$(git -C "$project" stash create 2>/dev/null || true)
git -C "$project" archive "${snapshot:-HEAD}" | tar -x -C "$root/srv/project"

for m in proc sys dev dev/pts; do
    mkdir -p "$root/$m"
    mount --bind "/$m" "$root/$m"
    mounted+=("$root/$m")
done

log=$cache/first-run-$suite.log
echo "scripts/run without a display on a fresh Debian $suite root (log: $log)..."
status=0
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    /bin/bash -c 'cd /srv/project && scripts/run' >"$log" 2>&1 || status=$?

expected=$(printf '    %s\n' '素数は,' 2 3 5 7 11 13 17 19 23 29 'です。')
printed=$(grep -F -x -A 11 '    素数は,' "$log" | head -n 12 || true)
if [ "$status" -ne 0 ] || [ "$printed" != "$expected" ]; then
    tail -n 40 "$log" >&2
    echo "FAIL: scripts/run on a fresh Debian $suite root exited $status and did not print" \
        "the result for 1 to 30 (log: $log)." >&2
    exit 1
fi
echo "$printed"
echo "scripts/run on a fresh Debian $suite root printed the result for 1 to 30."
