#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and
# the npm packages of the map's world layer (pinned in map/world).
# Idempotent: only packages that are missing are fetched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
    # toolchain
    build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
    # tests and benchmarks
    libgtest-dev libgmock-dev libbenchmark-dev
    # core libraries; ICU for Unicode normalisation and character names
    libpugixml-dev libfreetype-dev libfontconfig-dev libicu-dev
    # locale sources: the decimal-comma test compiles a tiny locale with them
    locales
    # plan glyphs: one outline face covering Latin, Greek, Cyrillic and CJK
    fonts-wqy-zenhei
    # the desktop window: Qt 6 widgets, web views for the map pages, the chart,
    # a narrow face for the settings dialog where Tahoma is missing
    qt6-base-dev qt6-webengine-dev qt6-charts-dev libgl-dev fonts-dejavu-extra
    # the window's translations: Qt's lupdate and lrelease with their CMake
    # functions, and Qt's own texts (its dialogs and buttons) in German and Chinese
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    # the map pages' map library
    libjs-leaflet
    # the map's tile cache and the offline maps (MBTiles files)
    libsqlite3-dev
    # window tests without a display
    xvfb xauth
    # the spelling of the shipped texts
    hunspell hunspell-en-us hunspell-de-de
    # GPX checks: schema validation and an independent GPX reader
    libxml2-utils gpsbabel
    # device times to UTC: the system's leap-second list
    tzdata
    # altitudes above sea level: the EGM96 geoid grid (egm96_15.gtx) of
    # proj-data, and PROJ itself, which the tests check the heights against
    proj-data libproj-dev
    # geotagging a photo from a written GPX track
    libimage-exiftool-perl
    # photos placed on the tracks: reading and writing their metadata
    libexiv2-dev
    # the Debian package and its checks: shlibdeps and file for CPack, the
    # desktop entry and AppStream validators
    dpkg-dev file desktop-file-utils appstream
)

# npm brings the world layer's data; any node with npm will do.
if ! command -v npm >/dev/null; then
    packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: missing packages: ${missing[*]} (run as root or install them)" >&2
        exit 1
    fi
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The map's world layer: Natural Earth's countries as TopoJSON (world-atlas)
# and topojson-client, at the versions map/world/package-lock.json pins,
# installed into map/world/node_modules when missing or older than the lock.
world=$root/map/world
if [ ! -f "$world/node_modules/.package-lock.json" ] ||
    [ "$world/package-lock.json" -nt "$world/node_modules/.package-lock.json" ]; then
    echo "setup: installing the world layer's npm packages into $world/node_modules"
    npm ci --prefix "$world" --ignore-scripts --no-audit --no-fund --loglevel=error
fi
