#!/usr/bin/env bash
# data_fallback_test.sh BUILD_DIR PREFIX: copies of the installed programs
# moved to a folder with no share/vantrel beside it, outside the build tree,
# find the data folder of PREFIX, the prefix the build was configured for.
# The build is installed into PREFIX when that lies inside the build folder
# (the test script configures it so); a prefix elsewhere is used only when
# its data folder is already there, and never written to.
set -euo pipefail
build=$(cd "$1" && pwd)
prefix=$2
data=$prefix/share/vantrel
if [[ $prefix == "$build"/* ]]; then
    cmake --install "$build" --prefix "$prefix" >/dev/null
elif [ ! -d "$data" ]; then
    echo "data fallback test: $prefix lies outside the build folder and holds no data; skipped"
    exit 77
fi

elsewhere=$(mktemp -d /tmp/vantrel-moved-XXXXXX)
trap 'rm -rf "$elsewhere"' EXIT
fail() { echo "data fallback test: $*" >&2; exit 1; }

mkdir -p "$elsewhere/bin" "$elsewhere/work"
cp "$prefix/bin/vantrel-cli" "$elsewhere/bin/"
cd "$elsewhere/work"
languages=$("$elsewhere/bin/vantrel-cli" languages)
echo "$languages" | grep -qx "data folder: $data" ||
    fail "a moved vantrel-cli does not use $data: $languages"
echo "$languages" | grep -qix "english" || fail "no English among: $languages"

# Beside the moved program, a data folder of its own wins.
mkdir -p "$elsewhere/share/vantrel/language"
cp "$data/language/ENGLISH.man" "$elsewhere/share/vantrel/language/"
languages=$("$elsewhere/bin/vantrel-cli" languages)
grep -qx "data folder: $elsewhere/share/vantrel" <<<"$languages" ||
    fail "the moved program's own share/vantrel is not used first: $languages"

echo "data fallback test: a moved program finds $data"
