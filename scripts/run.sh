#!/usr/bin/env bash
# Builds the program and runs it. Until the desktop window lands this runs the
# command line:
#   scripts/run.sh            a tour: reads the device's settings, downloads its
#                             tracks (as a track file and as GPX), plan and POIs
#                             into ./vantrel-out and describes them; with no device attached it
#                             starts the simulated device for the session
#   scripts/run.sh ARGS...    runs vantrel-cli ARGS... (see --help)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DVANTREL_TESTS=OFF -DVANTREL_BENCH=OFF >&2
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

set -x
"$cli" settings
"$cli" download tracks "$out/tracks.trk" --raw "$out/tracks.raw"
"$cli" convert "$out/tracks.trk" "$out/tracks.kml"
"$cli" download tracks "$out/tracks.gpx"
"$cli" download plan "$out/plan.csv"
"$cli" download poi "$out/poi.wpt"
"$cli" info "$out/tracks.trk"
"$cli" info "$out/poi.wpt"
{ set +x; } 2>/dev/null
echo "Files are in $out" >&2
