#!/usr/bin/env bash
# deb_test.sh CPACK BUILD_DIR VERSION: builds the Debian package from the build
# folder, checks its control data, unpacks it into a scratch root and runs
# the programs from there; the desktop entry and the AppStream data must
# validate cleanly.
set -euo pipefail
cpack=$1
build=$2
version=$3
scratch=$(mktemp -d /tmp/vantrel-deb-XXXXXX)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "deb test: $*" >&2; exit 1; }

"$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
debs=("$scratch"/out/vantrel_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "no single vantrel_*.deb in ${debs[*]}"
fi
deb=${debs[0]}
[ "$(basename "$deb")" = "vantrel_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "unexpected package name $(basename "$deb")"

# Control data: the version, library dependencies found by dpkg-shlibdeps
# and the ones no library shows.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for d in libc6 libstdc++6 libjs-leaflet; do
    [[ $depends == *"$d"* ]] || fail "Depends lacks $d: $depends"
done
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer"

# Every dependency is installable here: apt resolves the package as a user's
# `apt install ./vantrel_*.deb` would, without installing it.
if command -v apt-get >/dev/null; then
    apt-get install --simulate -o Debug::NoLocking=1 "$deb" >"$scratch/apt.log" 2>&1 ||
        { cat "$scratch/apt.log" >&2; fail "apt cannot install the package"; }
    grep -q '^Inst vantrel ' "$scratch/apt.log" || { cat "$scratch/apt.log" >&2; fail "apt would not install it"; }
fi

root=$scratch/root
dpkg -x "$deb" "$root"
usr=$root/usr
for f in bin/vantrel-cli bin/vantrel-sim; do
    [ -x "$usr/$f" ] || fail "/usr/$f is missing"
done
for f in lib/udev/rules.d/60-vantrel.rules share/applications/vantrel.desktop \
    share/icons/hicolor/scalable/apps/vantrel.svg share/metainfo/org.vantrel.companion.metainfo.xml \
    share/man/man1/vantrel.1 share/man/man1/vantrel-cli.1 share/man/man1/vantrel-sim.1 \
    share/bash-completion/completions/vantrel-cli share/doc/vantrel/copyright \
    share/vantrel/language/ENGLISH.man; do
    [ -f "$usr/$f" ] || fail "/usr/$f is missing"
done
outside=$(dpkg-deb -c "$deb" | grep -v ' \./usr/' || true)
[ -z "$outside" ] || fail "files outside /usr: $outside"

# The programs run from the unpacked root, with its data folder.
cd "$scratch"
[ "$("$usr/bin/vantrel-cli" --version)" = "vantrel-cli $version" ] || fail "vantrel-cli --version"
[ "$("$usr/bin/vantrel-sim" --version)" = "vantrel-sim $version" ] || fail "vantrel-sim --version"
# (Outputs are read whole before they are searched: a search that stops at
# the first match must not cut the program off.)
help=$("$usr/bin/vantrel-cli" --help)
grep -q "^usage: vantrel-cli COMMAND" <<<"$help" || fail "vantrel-cli --help: $help"
languages=$("$usr/bin/vantrel-cli" languages)
grep -qx "data folder: $usr/share/vantrel" <<<"$languages" ||
    fail "vantrel-cli does not use the package's data folder: $languages"
if [ -e "$usr/bin/vantrel" ]; then
    [ "$("$usr/bin/vantrel" --version)" = "vantrel $version" ] || fail "vantrel --version"
    help=$("$usr/bin/vantrel" --help)
    grep -q "^usage: vantrel " <<<"$help" || fail "vantrel --help: $help"
    for f in map/pages/track.txt images/logostart.bmp; do
        [ -f "$usr/share/vantrel/$f" ] || fail "/usr/share/vantrel/$f is missing"
    done
fi

# Menu entry and software-centre data as the desktop's tools read them.
hints=$(desktop-file-validate "$usr/share/applications/vantrel.desktop" 2>&1) ||
    fail "desktop-file-validate: $hints"
[ -z "$hints" ] || fail "desktop-file-validate: $hints"
metainfo=$usr/share/metainfo/org.vantrel.companion.metainfo.xml
appstreamcli validate --strict --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 ||
    { cat "$scratch/appstream.log" >&2; fail "appstreamcli validate"; }
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo has no release $version"
echo "deb test: $(basename "$deb") unpacks and runs"
