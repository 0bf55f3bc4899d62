#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   scripts/test.sh           all tests, short fuzz runs, then the serial tests
#                             again under ThreadSanitizer and AddressSanitizer
#   scripts/test.sh --asan    all tests in an AddressSanitizer+UBSan build only
#   scripts/test.sh --tsan    all tests in a ThreadSanitizer build only
#   scripts/test.sh --quick   all tests in the plain build only (no fuzz, no sanitizers)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-full}
"$root/scripts/setup.sh"

run_ctest() {  # run_ctest DIR [ctest args...]
    local dir=$1
    shift
    ctest --test-dir "$dir" --output-on-failure -j 2 --timeout 600 "$@"
}

sanitized() {  # sanitized KIND DIR [ctest args...]
    local kind=$1 dir=$2
    shift 2
    "$root/scripts/build.sh" "$dir" -DVANTREL_SANITIZE="$kind" -DVANTREL_BENCH=OFF -DVANTREL_GUI=OFF
    run_ctest "$dir" "$@"
}

case "$mode" in
--asan) sanitized address "$root/build-asan" -LE fuzz ;;
--tsan) sanitized thread "$root/build-tsan" -LE fuzz ;;
--quick | full)
    "$root/scripts/build.sh" "$root/build" -DVANTREL_TESTS=ON -DVANTREL_BENCH=ON
    run_ctest "$root/build" -LE fuzz
    if [ "$mode" = full ]; then
        # Short coverage-guided runs of every fuzz target.
        CC=clang CXX=clang++ "$root/scripts/build.sh" "$root/build-fuzz" -DVANTREL_FUZZ=ON
        run_ctest "$root/build-fuzz" -L fuzz
        # The threaded serial code once more under both sanitizers.
        export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
        VANTREL_TARGETS=test_serial sanitized thread "$root/build-tsan" -L serial
        VANTREL_TARGETS=test_serial sanitized address "$root/build-asan" -L serial
    fi
    ;;
*)
    echo "usage: $0 [--asan|--tsan|--quick]" >&2
    exit 2
    ;;
esac
