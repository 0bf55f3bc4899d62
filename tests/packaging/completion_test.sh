#!/usr/bin/env bash
# completion_test.sh CLI COMPLETION: the bash completion of vantrel-cli offers
# every command that `vantrel-cli --help` lists, every option that each
# command's usage line names, the kinds of data download and upload take,
# and file names where a command takes files.
set -euo pipefail
cli=$1
# shellcheck source=/dev/null
source "$2"
compopt() { :; }  # only meaningful inside a real completion

fail() { echo "completion test: $*" >&2; exit 1; }

# offered WORD...: what the completion offers for `vantrel-cli WORD...`, the
# last word being the one under the cursor.
offered() {
    COMP_WORDS=(vantrel-cli "$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _vantrel_cli
    printf '%s\n' "${COMPREPLY[@]}"
}

expect_offered() {  # expect_offered EXPECTED WORD...
    local expected=$1
    shift
    local words
    words=$(offered "$@")
    grep -qx -- "$expected" <<<"$words" || fail "'vantrel-cli $*' does not offer $expected"
}

commands=$("$cli" --help | sed -n '/^Commands:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
[ -n "$commands" ] || fail "no commands in vantrel-cli --help"
for option in --help --version; do
    expect_offered "$option" --
done
for command in $commands; do
    expect_offered "$command" ""
    usage=$("$cli" "$command" --help | head -1)
    for option in --help $(grep -o -- '--[a-z][a-z-]*' <<<"$usage"); do
        expect_offered "$option" "$command" --
    done
    kinds=$(awk '{ print $3 }' <<<"$usage")
    # Kinds are words the command takes as they are (tracks|plan|poi), not
    # placeholders in capitals (PHOTO|FOLDER...).
    if [[ $kinds == *"|"* && $kinds != *[A-Z]* ]]; then
        for kind in ${kinds//|/ }; do
            expect_offered "$kind" "$command" ""
        done
    fi
done

# File names for files, nothing for numbers.
folder=$(mktemp -d /tmp/vantrel-completion-XXXXXX)
trap 'rm -rf "$folder"' EXIT
cd "$folder"
touch track.trk route.rte
expect_offered track.trk convert tr
expect_offered route.rte upload plan ro
expect_offered track.trk info --zone 1 tr
[ -z "$(offered convert track.trk --split-gap "")" ] || fail "--split-gap offers words"
expect_offered gpx download tracks - --format ""
expect_offered --format=kml convert track.trk - --format=k
expect_offered -q convert -
echo "completion test: $(wc -w <<<"$commands") commands and their options are offered"
