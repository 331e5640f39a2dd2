#!/usr/bin/env bash
# scripts/apt-mirror on apt folders of each form, and scripts/check-deb
# naming no package mirror of its own.
set -uo pipefail
scripts="$(cd "$(dirname "$0")/../../scripts" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# Each case: a name, the expected output (empty: none found), then file and
# content pairs of its apt folder.
check() {
    local name="$1" expected="$2" apt="$work/$1"
    shift 2
    mkdir -p "$apt/sources.list.d"
    while [ "$#" -gt 0 ]; do printf '%b' "$2" >"$apt/$1"; shift 2; done
    local got status=0
    got="$("$scripts/apt-mirror" "$apt" 2>/dev/null)" || status=$?
    if [ -n "$expected" ]; then
        [ "$status" -eq 0 ] && [ "$got" = "$expected" ] || fail "$name: got '$got' ($status)"
    else
        [ "$status" -eq 1 ] && [ -z "$got" ] || fail "$name: got '$got' ($status), want none"
    fi
}

check one-line "file:/srv/mirror/debian bookworm" \
    sources.list "# deb file:/srv/old/debian buster main\n\ndeb [arch=amd64 signed-by=/k.gpg] file:/srv/mirror/debian bookworm main\n"
check list-d "file:/srv/list/debian bookworm" \
    sources.list.d/a.list "deb-src file:/srv/src/debian bookworm main\ndeb file:/srv/list/debian bookworm main\n"
check deb822 "file:/srv/mirror/debian bookworm" \
    sources.list.d/debian.sources "Types: deb-src\nURIs: file:/srv/src/debian\nSuites: bookworm\n\nTypes: deb\nEnabled: no\nURIs: file:/srv/off/debian\nSuites: sid\n\n# a comment\nTypes: deb deb-src\nURIs: file:/srv/mirror/debian file:/srv/second/debian\nSuites: bookworm bookworm-updates\nComponents: main"
check none "" sources.list.d/off.sources "Types: deb\nEnabled: no\nURIs: file:/srv/off/debian\nSuites: sid\n"

! grep -Eq '[a-z]+://' "$scripts/check-deb" || fail "check-deb names a host"

[ "$failures" -eq 0 ] && echo "apt-mirror: all cases passed"
exit "$failures"
