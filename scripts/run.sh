#!/usr/bin/env bash
# Builds the program and runs it:
#   scripts/run.sh            the desktop window; with no device attached it
#                             starts the simulated device for the session.
#                             Without a display the window runs headless and
#                             saves a picture of every tab (after downloading
#                             from the device) into ./vantrel-out/screenshots
#   scripts/run.sh ARGS...    runs vantrel-cli ARGS... (see --help)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DBUILD_TESTING=OFF -DVANTREL_BENCH=OFF >&2
cli="$root/build/cli/vantrel-cli"
if [ $# -gt 0 ]; then
    exec "$cli" "$@"
fi

out=${VANTREL_OUT:-$PWD/vantrel-out}
mkdir -p "$out"
sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true; }
trap cleanup EXIT

if [ -z "${VANTREL_PORT:-}" ] && ! "$cli" ports | grep -q cp210x; then
    echo "No device attached: starting the simulated device." >&2
    link=$(mktemp -u /tmp/vantrel-sim-XXXXXX)
    "$root/build/sim/vantrel-sim" --link "$link" --tracks 6 --points 1200 >"$out/sim.log" 2>&1 &
    sim_pid=$!
    for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
    export VANTREL_PORT=$link
fi

window="$root/build/window/vantrel"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: running the window headless for screenshots." >&2
    QT_QPA_PLATFORM=offscreen "$window" --screenshots "$out/screenshots"
    echo "Screenshots of every tab are in $out/screenshots" >&2
else
    "$window"
fi
