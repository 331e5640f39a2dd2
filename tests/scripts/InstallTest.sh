#!/usr/bin/env bash
# What the install rules (and so the .deb) carry besides the programs: both
# man pages with their added sections, and the documentation folder.
set -uo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/root"
cmake --install "$build" --prefix "$root" >/dev/null || exit 1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Whether a gzipped file has a line matching; grep reads it all, so that
# zcat never meets a closed pipe.
has() { zcat "$1" 2>/dev/null | grep -c "$2" >/dev/null; }

doc="$root/share/doc/ppspin"
head -n1 "$doc/copyright" 2>/dev/null | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "no machine-readable copyright file"
has "$doc/README.md.gz" '^# ppspin' || fail "no README"
[ -s "$doc/examples/quench-study.ipynb" ] || fail "no example notebook"
man="$root/share/man/man1"
has "$man/ppspin.1.gz" '^\.SH FILES' || fail "ppspin(1) has no FILES"
for section in 'MEASURED FILES' EXAMPLES; do
    has "$man/ppspin-cli.1.gz" "^\.SH \"*$section" || fail "ppspin-cli(1) has no $section"
done
exit "$failures"
