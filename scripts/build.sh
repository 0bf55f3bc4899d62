#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures (once) and builds the project in DIR.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$root" -B "$dir" -G Ninja "$@"
fi
cmake --build "$dir" -j "${VANTREL_JOBS:-2}"
