#!/usr/bin/env bash
# The page's end-to-end checks in headless Chromium.
#   page-test.sh PPSPIN.html PPSPIN-CLI [CHROMIUM]
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 PPSPIN.html PPSPIN-CLI [CHROMIUM]" >&2; exit 2; }
here="$(cd "$(dirname "$0")" && pwd)"
chromium="${3:-/usr/bin/chromium}"
if [ ! -d "$here/../../web/node_modules/playwright-core" ]; then
    echo "playwright-core is missing: run scripts/install-deps" >&2
    exit 1
fi
exec node "$here/page-checks.mjs" "$1" "$2" "$chromium"
