#!/usr/bin/env bash
# Compiles the photo sources against libexiv2 0.28's headers (Debian trixie's
# libexiv2-dev, unpacked into a scratch folder, never installed), with the
# warnings of the build as errors, for GCC and Clang. The build itself uses
# the system's libexiv2 (0.27 on Debian 12); this checks the other API.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch"/{lists/partial,cache/archives/partial,parts,unpacked}
# The system's own Debian source, for the next release.
sed -e 's/bookworm[a-z-]*/trixie/g' /etc/apt/sources.list.d/debian.sources |
    awk 'BEGIN { RS = ""; ORS = "\n\n" } /debian-security/ { next } { print; exit }' \
        >"$scratch/parts/trixie.sources"
apt=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$scratch/parts"
     -o Dir::State::Lists="$scratch/lists" -o Dir::Cache="$scratch/cache"
     -o APT::Sandbox::User=root)
apt-get "${apt[@]}" update -qq
(cd "$scratch" && apt-get "${apt[@]}" download -qq libexiv2-dev)
dpkg-deb -x "$scratch"/libexiv2-dev_*.deb "$scratch/unpacked"
headers="$scratch/unpacked/usr/include"
grep -q 'EXIV2_MINOR_VERSION (28' "$headers/exiv2/exv_conf.h"
for cxx in g++ clang++; do
    for source in "$root"/photos/*.cpp; do
        "$cxx" -std=c++20 -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor \
            -Wno-missing-field-initializers -Werror -fsyntax-only -I"$root" -isystem "$headers" \
            "$source"
    done
    echo "$cxx: the photo sources compile against libexiv2 0.28"
done
