#!/usr/bin/env bash
# spelling_test.sh SOURCE_DIR: every word the user reads in the shipped
# texts is spelt as the language's dictionary has it. The English and German
# language files are checked with hunspell's en_US and de_DE dictionaries,
# with the program's own words (its name, POI, ...) in words.txt beside this
# script; a line that names a component or a language is no text to read.
set -euo pipefail
source_dir=$1
words=$(dirname "$0")/words.txt
status=0

# The lines of a language file a user reads: all but the language's name
# (line 17) and the port box's placeholder (line 66), numbered from 0.
read_lines() {
    sed '1s/^\xEF\xBB\xBF//' "$1" | tr -d '\r' | awk 'NR != 18 && NR != 67'
}

check() {
    local dictionary=$1 what=$2
    local unknown
    unknown=$(hunspell -d "$dictionary" -p "$words" -l | sort -u)
    [ -z "$unknown" ] && return 0
    echo "spelling: $what holds words $dictionary does not know:" $unknown >&2
    return 1
}

read_lines "$source_dir/language/ENGLISH.man" | check en_US language/ENGLISH.man || status=1
read_lines "$source_dir/language/GERMAN.man" | check de_DE language/GERMAN.man || status=1
exit $status
