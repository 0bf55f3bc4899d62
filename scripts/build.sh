#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures (once) and builds the project in DIR
# (only the targets named in $VANTREL_TARGETS when that is set).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
# Configure on first use, and again whenever options are given, so that a
# folder shared by the run and test commands always has the options asked for.
if [ ! -f "$dir/build.ninja" ] || [ $# -gt 0 ]; then
    cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
fi
targets=()
for t in ${VANTREL_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" -j "${VANTREL_JOBS:-2}" "${targets[@]}"
