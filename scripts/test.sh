#!/usr/bin/env bash
# Installs what is missing, builds and runs every test, with compiler
# warnings as errors.
#   scripts/test.sh           two Release builds of everything, each running
#                             every test: GCC in build/, and Clang in
#                             build-clang/ instrumented with AddressSanitizer,
#                             UBSan and fuzzing coverage, which also runs each
#                             fuzz target briefly; then the serial and device
#                             tests again under ThreadSanitizer
#   scripts/test.sh --asan    all tests in an AddressSanitizer+UBSan build only
#   scripts/test.sh --tsan    all tests in a ThreadSanitizer build only
#   scripts/test.sh --quick   all tests in the GCC build only (no Clang, no sanitizers)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-full}
case "$mode" in
--asan | --tsan | --quick | full) ;;
*)
    echo "usage: $0 [--asan|--tsan|--quick]" >&2
    exit 2
    ;;
esac
"$root/scripts/setup.sh"

started=$SECONDS
stage() {  # stage NAME COMMAND...: runs COMMAND and says how long it took
    local name=$1 from=$SECONDS
    shift
    "$@"
    echo "test.sh: $name took $((SECONDS - from)) s" >&2
}

run_ctest() {  # run_ctest DIR [ctest args...]
    local dir=$1
    shift
    ctest --test-dir "$dir" --output-on-failure --no-tests=error -j 2 --timeout 600 "$@"
}

# build DIR [cmake options...]: a build with the tests and warnings as errors.
build() {
    local dir=$1
    shift
    "$root/scripts/build.sh" "$dir" -DBUILD_TESTING=ON -DVANTREL_WERROR=ON "$@"
}

sanitized() {  # sanitized KIND DIR [ctest args...]
    local kind=$1 dir=$2
    shift 2
    build "$dir" -DVANTREL_SANITIZE="$kind" -DVANTREL_BENCH=OFF -DVANTREL_GUI=OFF
    run_ctest "$dir" "$@"
}

gcc_build() {
    # Installed copies of this build fall back to its own prefix folder.
    CC=gcc CXX=g++ build "$root/build" -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=ON \
        -DVANTREL_GUI=ON -DCMAKE_INSTALL_PREFIX="$root/build/prefix"
}

# One Clang build serves the Clang compile, a sanitized run of every test and
# the fuzz targets: the instrumentation for fuzzing costs the tests little.
clang_build() {
    CC=clang CXX=clang++ build "$root/build-clang" -DCMAKE_BUILD_TYPE=Release -DVANTREL_FUZZ=ON \
        -DVANTREL_BENCH=OFF -DVANTREL_GUI=ON -DCMAKE_INSTALL_PREFIX="$root/build-clang/prefix"
}

case "$mode" in
--asan) sanitized address "$root/build-asan" -LE fuzz ;;
--tsan) sanitized thread "$root/build-tsan" -LE fuzz ;;
--quick | full)
    stage "the GCC build" gcc_build
    stage "the GCC build's tests" run_ctest "$root/build" -LE fuzz
    if [ "$mode" = full ]; then
        stage "the Clang build" clang_build
        stage "the Clang build's tests under ASan and UBSan" run_ctest "$root/build-clang" -LE fuzz
        # Short coverage-guided runs of every fuzz target.
        stage "the fuzz runs" run_ctest "$root/build-clang" -L fuzz
        # The threaded serial code and the link it feeds (transfers driven by
        # the port's notifications) once more under ThreadSanitizer.
        export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
        VANTREL_TARGETS="test_serial test_device" stage "the serial and device tests under TSan" \
            sanitized thread "$root/build-tsan" -L "serial|device"
    fi
    ;;
esac
echo "test.sh: all done in $((SECONDS - started)) s" >&2
