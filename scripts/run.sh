#!/usr/bin/env bash
# Builds the program and runs it. Until the desktop window lands this runs the
# command line: with no arguments it lists the serial ports the system offers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF >&2
if [ $# -eq 0 ]; then
    set -- ports
fi
exec "$root/build/cli/vantrel-cli" "$@"
