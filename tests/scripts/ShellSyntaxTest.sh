#!/usr/bin/env bash
# Every shell script of the repository parses: a script that cannot is found
# here and not by whoever first runs it (some, like check-deb, need root and
# the network, so nothing else runs them).
set -uo pipefail
cd "$(dirname "$0")/../.."
failures=0
for script in scripts/* .ci/run tests/*/*.sh; do
    case "$(head -n1 "$script")" in
    *bash*) bash -n "$script" || failures=$((failures + 1)) ;;
    *sh) sh -n "$script" || failures=$((failures + 1)) ;;
    esac
done
exit "$failures"
