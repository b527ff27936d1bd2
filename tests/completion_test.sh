#!/usr/bin/env bash
# Runs the bash completion on typed lines as bash would at the end of each, and checks what it
# offers (after readline's split at '=' and ':'). Usage: completion_test.sh COMPLETION-FILE
set -u
# shellcheck source=/dev/null
source "$1"
# shellcheck disable=SC2317 # called by the completion
compopt() { :; } # the builtin works only while bash itself is completing

failures=0
# expect LINE CANDIDATE...: completing at the end of LINE offers exactly CANDIDATE...
expect() {
    local line=$1
    shift
    COMP_LINE=$line
    COMP_POINT=${#line}
    _trovanel
    if [[ "${COMPREPLY[*]}" != "$*" ]]; then
        echo "'$line': offered '${COMPREPLY[*]}', expected '$*'"
        failures=$((failures + 1))
    fi
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
touch "$scratch/capture.bin"
mkdir "$scratch/printers"

# Commands and the options before one
expect "trovanel " show set send ports preset
expect "trovanel s" show set send
expect "trovanel --" --help --version

# set: names, then each name's values in the unit, port and mode lists
expect "trovanel set " unit= length= gap= tear= cut= port= mode=
expect "trovanel set length=100 g" gap=
expect "trovanel set unit=" mm inch
expect "trovanel set unit=i" inch
expect "trovanel set unit=mm port=L" LPT1 LPT2
expect "trovanel set mode=" transfer direct
expect "trovanel set gap="
expect "trovanel set --" --check --diff --json --verbose --help
expect "trovanel show -" --json --help

# send: a port after --port, schemes and paths after --to
expect "trovanel send " --port --to --preset --dry-run --if-changed --check --json --verbose --help
expect "trovanel send --i" --if-changed
expect "trovanel send --port " COM1 COM2 LPT1 LPT2
expect "trovanel send --port COM2 --d" --dry-run
expect "trovanel send --to " serial: parallel: socket:// file: usb:// cups: ipp:// ipps:// dnssd://
expect "trovanel send --to so" socket://
expect "trovanel send --to socket:" //
expect "trovanel send --to file:$scratch/c" "$scratch/capture.bin"
expect "trovanel send --to serial:$scratch/p" "$scratch/printers/"
expect "trovanel send --to $scratch/" "$scratch/capture.bin" "$scratch/printers/"

# ports and ports set PORT URI
expect "trovanel ports " set
expect "trovanel ports -" --json --timeout --help
expect "trovanel ports set " COM1 COM2 LPT1 LPT2
expect "trovanel ports set LPT1 u" usb://
# queue names of the print server in CUPS_SERVER after cups:
expect "trovanel ports set LPT1 cups:" empty labels rejecting secret slow stopped
expect "trovanel send --to cups:s" secret slow stopped
expect "trovanel ports set LPT1 usb://Acme/LP-2824 "

# presets: subcommands, each one's options, and the names the program lists
# shellcheck disable=SC2317 # called by the completion
trovanel() { XDG_CONFIG_HOME=$scratch/config XDG_CONFIG_DIRS=$scratch/xdg "$TROVANEL_PROGRAM" "$@"; }
(cd "$scratch" && trovanel preset save "Shipping 4x6" && trovanel preset save Tags &&
    trovanel preset save Tall)
expect "trovanel preset " list show save apply delete export import --help
expect "trovanel preset l" list
expect "trovanel preset list --" --json --names --help
expect "trovanel preset save Tags --" --description --force --help
expect "trovanel preset apply Tags --" --check --diff --json --verbose --help
expect "trovanel preset apply " "Shipping\\ 4x6" Tags Tall
expect "trovanel preset delete T" Tags Tall
expect "trovanel send --preset S" "Shipping\\ 4x6"
expect "trovanel preset import $scratch/ca" "$scratch/capture.bin"

exit $((failures > 0))
