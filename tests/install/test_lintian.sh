#!/usr/bin/env bash
# The Debian package as Debian's own checker sees it: made from this build directory with CPack,
# then lintian, which must report no error and no warning.
# Usage: test_lintian.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
if ! command -v lintian >/dev/null; then
    echo "SKIP: lintian is not installed (scripts/setup test installs it)" >&2
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    exit 1
fi
debs=("$work"/tavimo_*.deb)
# Errors and warnings only; lintian's exit status alone would also count its own complaints.
report=$(lintian --tag-display-limit 0 "${debs[0]}" 2>&1 | grep -E '^[EW]: ' || true)
if [ -n "$report" ]; then
    echo "$report" >&2
    echo "FAIL: lintian reports errors or warnings" >&2
    exit 1
fi
echo "lintian: no error and no warning on $(basename "${debs[0]}")"
