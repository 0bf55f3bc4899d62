#!/usr/bin/env bash
# install_test.sh BUILD_DIR: installs the build into a temporary prefix and
# checks what the prefix holds, running the installed programs from a folder
# that has nothing to do with the source or build tree.
set -euo pipefail
build=$1
prefix=$(mktemp -d /tmp/vantrel-prefix-XXXXXX)
elsewhere=$(mktemp -d /tmp/vantrel-elsewhere-XXXXXX)
trap 'rm -rf "$prefix" "$elsewhere"' EXIT

fail() { echo "install test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$elsewhere"

for f in bin/vantrel-cli bin/vantrel-sim; do
    [ -x "$prefix/$f" ] || fail "$f is missing"
done
for f in share/applications/vantrel.desktop share/icons/hicolor/scalable/apps/vantrel.svg \
    lib/udev/rules.d/60-vantrel.rules share/man/man1/vantrel.1 share/man/man1/vantrel-cli.1 \
    share/man/man1/vantrel-sim.1 share/vantrel/language/ENGLISH.man; do
    [ -f "$prefix/$f" ] || fail "$f is missing"
done
# The window and the data only it reads, when the build has the window.
if [ -f "$build/window/vantrel" ]; then
    [ -x "$prefix/bin/vantrel" ] || fail "bin/vantrel is missing"
    for f in map/pages/track.txt map/pages/plan.txt map/pages/poi.txt map/pages/vantrel-map.js \
        images/iconLogo.ico images/logostart.bmp; do
        [ -f "$prefix/share/vantrel/$f" ] || fail "share/vantrel/$f is missing"
    done
fi
grep -q 'ID_MM_DEVICE_IGNORE}="1"' "$prefix/lib/udev/rules.d/60-vantrel.rules" ||
    fail "the udev rule does not keep modem managers away"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/vantrel.desktop"
fi

"$prefix/bin/vantrel-cli" --help | grep -q "^usage: vantrel-cli COMMAND" || fail "--help"
"$prefix/bin/vantrel-cli" convert --help | grep -q "split-gap" || fail "convert --help"
"$prefix/bin/vantrel-sim" --help | grep -q "^usage: vantrel-sim" || fail "vantrel-sim --help"
languages=$("$prefix/bin/vantrel-cli" languages)
grep -qx "data folder: $prefix/share/vantrel" <<<"$languages" ||
    fail "the installed program does not use its prefix's data: $languages"
grep -qix "english" <<<"$languages" || fail "no English among: $languages"
if command -v groff >/dev/null; then
    for page in vantrel vantrel-cli vantrel-sim; do
        if groff -man -ww -z "$prefix/share/man/man1/$page.1" 2>&1 | grep .; then
            fail "$page.1 has formatting errors"
        fi
    done
fi
echo "install test: $prefix holds a working install"
