# bash completion for vantrel-cli: its commands, each command's options and
# kinds, file names where a command takes files, serial ports after --port,
# the formats after --format.

_vantrel_cli_track_options() {  # the options that edit the tracks written
    echo "--from --to --split-at --merge --max-speed"
}

_vantrel_cli_options() {  # the options of command $1
    case $1 in
    assemble | convert) echo "--zone --split-gap $(_vantrel_cli_track_options) --format --quiet -q --help" ;;
    info) echo "--zone --format --csv --help" ;;
    download) echo "--port --raw --zone --split-gap $(_vantrel_cli_track_options) --format --quiet -q --help" ;;
    upload) echo "--port --zone --format --quiet -q --help" ;;
    settings) echo "--port --help" ;;
    geotag)
        echo "--track --camera-zone --offset --clock-photo --clock-time --max-gap --overwrite"
        echo "--sidecar --dry-run --zone --port --quiet -q --help"
        ;;
    *) echo "--help" ;;
    esac
}

_vantrel_cli_ports() {  # the serial ports' device files starting with $1
    compgen -f -- "${1:-/dev/tty}" | grep -E '^/dev/tty(USB|ACM|S)[0-9]+$'
}

_vantrel_cli_reply() {  # COMPREPLY from the lines a command prints
    mapfile -t COMPREPLY < <("$@")
}

_vantrel_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local commands="download upload settings assemble convert info geotag ports languages maps version help"
    COMPREPLY=()
    if [ "$COMP_CWORD" -eq 1 ]; then
        _vantrel_cli_reply compgen -W "$commands --help --version" -- "$cur"
        return
    fi
    local command=${COMP_WORDS[1]}
    case $prev in
    --port)
        _vantrel_cli_reply _vantrel_cli_ports "$cur"
        return
        ;;
    --zone | --split-gap | --offset | --max-gap | --clock-time | --from | --to | --split-at | --max-speed)
        return
        ;; # a number or time
    --sidecar)
        _vantrel_cli_reply compgen -W "auto always never" -- "$cur"
        return
        ;;
    --camera-zone)
        _vantrel_cli_reply compgen -W "UTC $(awk '!/^#/ { print $3 }' /usr/share/zoneinfo/zone1970.tab 2>/dev/null)" -- "$cur"
        return
        ;;
    --format)
        _vantrel_cli_reply compgen -W "gpx kml csv trk rte wpt" -- "$cur"
        return
        ;;
    --raw | --track | --clock-photo)
        compopt -o filenames
        _vantrel_cli_reply compgen -f -- "$cur"
        return
        ;;
    esac
    # --opt=VALUE: the value after the equals sign, as after --opt VALUE.
    if [[ $cur == --format=* ]]; then
        _vantrel_cli_reply compgen -P --format= -W "gpx kml csv trk rte wpt" -- "${cur#--format=}"
        return
    fi
    if [[ $cur == -* ]]; then
        _vantrel_cli_reply compgen -W "$(_vantrel_cli_options "$command")" -- "$cur"
        return
    fi
    # The kind of data comes first for download and upload.
    if [ "$COMP_CWORD" -eq 2 ]; then
        case $command in
        download)
            _vantrel_cli_reply compgen -W "tracks plan poi" -- "$cur"
            return
            ;;
        upload)
            _vantrel_cli_reply compgen -W "plan poi" -- "$cur"
            return
            ;;
        esac
    fi
    case $command in
    download | upload | assemble | convert | info | geotag)
        compopt -o filenames
        _vantrel_cli_reply compgen -f -- "$cur"
        ;;
    esac
}

complete -F _vantrel_cli vantrel-cli
