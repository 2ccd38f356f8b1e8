#!/usr/bin/env bash
# Runs the same vemo-data commands with the Linux build and with the Windows build under Wine,
# in the Czech locale, and compares standard output, standard error (but for the system's words
# for a file error's cause, and the help's paragraph on the system), exit status and written
# files byte for byte. Inputs: the sample files and files with awkward line ends made here;
# outputs: new and replaced files, and targets that cannot be written.
# Usage: windows-compare-data-tool.sh LINUX_VEMO_DATA WINDOWS_VEMO_DATA_EXE
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
linux=$(realpath "$1")
windows=$(realpath "$2")
work=$(mktemp -d "$root/build/compare.XXXXXX")
trap 'rm -rf "$work"' EXIT
export LC_ALL=cs_CZ.UTF-8

mkdir -p "$work/in"
cp "$root"/sample/*.sdf "$root"/sample/*.csv "$work/in/"
cd "$work/in"
# Awkward files: CR-only, LF-only and mixed line ends, a NUL inside, an empty file.
tr '\n' '\r' <maut_55a.csv | tr -d '\n' >cr_only.csv
tr -d '\r' <au_maut.csv >lf_only.csv
{ head -c 300 maut_55a.csv; printf '\n\r\n\r'; tail -c 300 maut_55a.csv; } >mixed.csv
{ head -c 200 data.sdf; printf '\0'; tail -c 200 data.sdf; } >with_nul.sdf
: >empty.sdf

commands=(
    "--help"
    ""
    "frobnicate"
    "decode"
    "decode missing.sdf"
    "decode data.sdf"
    "--raw decode data2.sdf"
    "decode with_nul.sdf"
    "decode nul.sdf"
    "decode empty.sdf"
    "motorways data.sdf"
    "motorways --austrian data2.sdf"
    "--raw motorways --austrian data2.sdf"
    "sections data.sdf A3"
    "sections data.sdf A7"
    "sections --austrian data2.sdf A1"
    "--raw sections --austrian data2.sdf A10"
    "check data.sdf"
    "check --austrian data2.sdf"
    "encode maut_55a.csv out_de.sdf"
    "encode --austrian au_maut.csv out_at.sdf"
    "encode cr_only.csv out_cr.sdf"
    "encode --austrian lf_only.csv out_lf.sdf"
    "encode mixed.csv out_mixed.sdf"
    "encode missing.csv out_missing.sdf"
    "encode maut_55a.csv data.sdf"
    "encode --austrian au_maut.csv data2.sdf"
    "encode maut_55a.csv ."
    "encode maut_55a.csv no_folder/data.sdf"
)

differ=0
n=0
for command in "${commands[@]}"; do
    for side in linux windows; do
        rm -rf "$work/$side"
        cp -r "$work/in" "$work/$side"
        status=0
        # shellcheck disable=SC2086
        if [ $side = linux ]; then
            (cd "$work/$side" && "$linux" $command >../$side.out 2>../$side.err) || status=$?
        else
            (cd "$work/$side" && "$root/scripts/wine-run.sh" "$windows" $command \
                >../$side.out 2>../$side.err) || status=$?
        fi
        echo "$status" >"$work/$side.status"
    done
    n=$((n + 1))
    # A file error ends with the system's own words for its cause, which differ between the
    # systems ("No such file or directory", "Soubor nebyl nalezen"); the rest must not.
    for side in linux windows; do
        sed -E -i 's/^((vemo-data: )?(Nelze vytvo.{1,2}it soubor .*|Stream write error)): [^:]*$/\1: <reason>/' \
            "$work/$side.err"
    done
    # The help's last paragraph speaks of the system's own settings and documentation.
    for side in linux windows; do
        sed -i '/^Bez --raw /,$d' "$work/$side.out"
    done
    for part in out err status; do
        if ! cmp -s "$work/linux.$part" "$work/windows.$part"; then
            echo "DIFFERENT $part: vemo-data $command" >&2
            diff <(od -c "$work/linux.$part") <(od -c "$work/windows.$part") | head -10 >&2
            differ=1
        fi
    done
    if ! diff -r "$work/linux" "$work/windows" >/dev/null; then
        echo "DIFFERENT files: vemo-data $command" >&2
        differ=1
    fi
done
[ $differ = 0 ] && echo "vemo-data: $n commands, identical output, status and files on Linux and Windows"
exit $differ
