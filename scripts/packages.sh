# Installs the Debian packages given to install_packages that are not installed yet: with apt-get
# as root, through sudo for another user; without either it installs nothing and says what to run
# as root. Sourced by scripts/setup and scripts/bench.
# shellcheck shell=bash

install_packages() {
    local package missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "Installing the missing packages needs root and there is no sudo here: run" \
                "'apt-get install --no-install-recommends ${missing[*]}' as root, then this" \
                "command again." >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
