#!/usr/bin/env bash
# Compares two builds of one package byte for byte: a Debian package, a zip, a tar or any other
# file. Equal files: prints "identical" and exits 0. Else names the first member that differs,
# in archive order, and why (its entry: mode, owner, size or time; or its content), going into
# the tars of a Debian package, and exits 1. A difference outside every member (a gzip header,
# the zip's directory) is named as the archive's own. diffoscope explains a difference in depth.
# Usage: compare-packages.sh FIRST SECOND
set -euo pipefail
names="$1 and $2"
first=$(realpath "$1")
second=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

differ() {
    echo "$names differ: $*" >&2
    exit 1
}

# Why two members differ in content: for text (a control file, md5sums) the first line that
# differs, else where the bytes part.
content_difference() {
    if grep -Iq . "$1" && grep -Iq . "$2"; then
        local n op
        read -r n op < <(diff "$1" "$2" | sed -n '1s/^\([0-9]*\)[0-9,]*\([acd]\).*/\1 \2/p')
        [ "$op" != a ] || n=$((n + 1))
        echo "content, line $n: $(sed -n "${n}p" "$1") | $(sed -n "${n}p" "$2")"
    else
        echo "content, $(cmp "$1" "$2" 2>&1 | sed 's/^.* differ: //; s/^cmp: //')"
    fi
}

# compare_entries WHERE NAMES_A NAMES_B ENTRIES_A ENTRIES_B CONTENT_FUNCTION: walks two archives
# members in order (one name a line in NAMES_*, its entry line at the same place in ENTRIES_*)
# and stops at the first whose content (CONTENT_FUNCTION NAME) or entry differs.
compare_entries() {
    local where=$1 content=$6 i=0 name
    local -a names_a names_b entries_a entries_b
    mapfile -t names_a <"$2"
    mapfile -t names_b <"$3"
    mapfile -t entries_a <"$4"
    mapfile -t entries_b <"$5"
    for name in "${names_a[@]}"; do
        [ "$i" -lt ${#names_b[@]} ] || differ "$where: $name is missing from the second"
        [ "$name" = "${names_b[$i]}" ] || differ "$where: member $((i + 1)) is $name, in the second ${names_b[$i]}"
        "$content" "$name"
        [ "${entries_a[$i]}" = "${entries_b[$i]}" ] ||
            differ "$where: $name (entry: ${entries_a[$i]} | ${entries_b[$i]})"
        i=$((i + 1))
    done
    [ "$i" -ge ${#names_b[@]} ] || differ "$where: ${names_b[$i]} is missing from the first"
}

tar_content() {
    [ -f "$work/tar.a/$1" ] && [ ! -L "$work/tar.a/$1" ] || return 0
    cmp -s "$work/tar.a/$1" "$work/tar.b/$1" ||
        differ "$tar_where: $1 ($(content_difference "$work/tar.a/$1" "$work/tar.b/$1"))"
}

# compare_tar WHERE A B: the tar archives A and B (compressed or not), member by member. The
# entries are listed with the owners' names, and the same again with their numbers.
compare_tar() {
    tar_where=$1
    local a=$2 b=$3 side
    for side in a b; do
        local archive=$a
        [ $side = a ] || archive=$b
        tar -tf "$archive" >"$work/names.$side"
        tar -tv --full-time -f "$archive" >"$work/entries.$side"
        tar -tv --full-time --numeric-owner -f "$archive" >"$work/numeric.$side"
        rm -rf "$work/tar.$side"
        mkdir -p "$work/tar.$side"
        tar -xf "$archive" -C "$work/tar.$side"
    done
    compare_entries "$tar_where" "$work/names.a" "$work/names.b" "$work/entries.a" "$work/entries.b" tar_content
    compare_entries "$tar_where" "$work/names.a" "$work/names.b" "$work/numeric.a" "$work/numeric.b" true
    differ "$tar_where: the archive's own bytes (compression or header), every member being equal"
}

# A Debian package's ar members: content first, so that a tar inside is searched for its
# member rather than reported by its size.
ar_content() {
    ar p "$first" "$1" >"$work/ar.a.$1"
    ar p "$second" "$1" >"$work/ar.b.$1"
    cmp -s "$work/ar.a.$1" "$work/ar.b.$1" && return 0
    case "$1" in
        *.tar*) compare_tar "$1" "$work/ar.a.$1" "$work/ar.b.$1" ;;
        *) differ "$1 ($(content_difference "$work/ar.a.$1" "$work/ar.b.$1"))" ;;
    esac
}

compare_deb() {
    ar t "$first" >"$work/names.a"
    ar t "$second" >"$work/names.b"
    ar tv "$first" >"$work/entries.a"
    ar tv "$second" >"$work/entries.b"
    compare_entries "the package" "$work/names.a" "$work/names.b" "$work/entries.a" "$work/entries.b" ar_content
    differ "the ar archive's own bytes, every member being equal"
}

# A zip member's content, then its entry: times, permissions, extra fields (the header offsets
# follow from the members before it).
zip_content() {
    unzip -p "$first" "$1" >"$work/member.a"
    unzip -p "$second" "$1" >"$work/member.b"
    cmp -s "$work/member.a" "$work/member.b" ||
        differ "$1 ($(content_difference "$work/member.a" "$work/member.b"))"
    local line
    line=$(diff <(zipinfo -v "$first" "$1" | grep -v 'offset of') <(zipinfo -v "$second" "$1" | grep -v 'offset of') |
        grep '^[<>]' | head -2 | tr '\n' ' ') || true
    [ -z "$line" ] || differ "$1 (entry: $line)"
}

compare_zip() {
    zipinfo -1 "$first" >"$work/names.a"
    zipinfo -1 "$second" >"$work/names.b"
    compare_entries "the zip" "$work/names.a" "$work/names.b" "$work/names.a" "$work/names.b" zip_content
    differ "the zip's own bytes (its directory or comment), every member being equal"
}

if cmp -s "$first" "$second"; then
    echo "identical: $(basename "$first") ($(sha256sum <"$first" | cut -d' ' -f1))"
    exit 0
fi
case "$first" in
    *.deb) compare_deb ;;
    *.zip) compare_zip ;;
    *.tar | *.tar.*) compare_tar "$(basename "$first")" "$first" "$second" ;;
    *) differ "$(cmp "$first" "$second" 2>&1 | sed 's/^[^:]*: //' || true)" ;;
esac
