#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures (once) and builds the project in DIR
# (only the targets named in $VANTREL_TARGETS when that is set).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja "$@"
fi
targets=()
for t in ${VANTREL_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" -j "${VANTREL_JOBS:-2}" "${targets[@]}"
