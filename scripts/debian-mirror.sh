# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# debian-mirror.sh: the Debian mirror that the fresh systems of
# test-on-debian and package-check are made from, sourced by both. It is the
# one this machine's apt installs Debian from, so that a machine that
# reaches Debian only through a mirror or proxy of its own runs them too;
# MAZERUSH_DEBIAN_MIRROR overrides it.

# Prints the mirror: MAZERUSH_DEBIAN_MIRROR when set, else the first URI of
# the apt source that holds this Debian's own release (its codename as a
# suite: not -updates or -security, nor another vendor's archive), from the
# deb822 files in sources.list.d (Debian 12 and 13 write debian.sources),
# else from the one-line "deb URI SUITE ..." lists (sources.list). Fails,
# saying why, when there is none. ROOT ($1, empty for this machine) is the
# directory under which etc/ is read.
debian_mirror() {
    local root=${1:-} codename uri="" files=() f
    if [ -n "${MAZERUSH_DEBIAN_MIRROR:-}" ]; then
        echo "$MAZERUSH_DEBIAN_MIRROR"
        return 0
    fi
    codename=$(. "$root/etc/os-release" 2>/dev/null && [ "${ID:-}" = debian ] && echo "${VERSION_CODENAME:-}")
    if [ -n "$codename" ]; then
        for f in "$root"/etc/apt/sources.list.d/*.sources; do [ ! -f "$f" ] || files+=("$f"); done
        if [ ${#files[@]} -gt 0 ]; then
            # A stanza ends at a blank line or the end of its file; an
            # indented line goes on with the field above.
            uri=$(awk -v suite="$codename" '
                function end_stanza() {
                    if (deb && hit && enabled && first != "" && found == "") found = first
                    deb = hit = 0; enabled = 1; first = ""
                }
                BEGIN { enabled = 1 }
                FNR == 1 { end_stanza() }
                /^[ \t]*#/ { next }
                /^[ \t]*$/ { end_stanza(); next }
                /^[^ \t]/ { field = tolower($1); $1 = "" }
                {
                    for (i = 1; i <= NF; i++) {
                        if (field == "types:" && $i == "deb") deb = 1
                        if (field == "suites:" && $i == suite) hit = 1
                        if (field == "uris:" && first == "") first = $i
                        if (field == "enabled:" && tolower($i) == "no") enabled = 0
                    }
                }
                END { end_stanza(); print found }' "${files[@]}")
        fi
        if [ -z "$uri" ]; then
            files=()
            for f in "$root"/etc/apt/sources.list "$root"/etc/apt/sources.list.d/*.list; do
                [ ! -f "$f" ] || files+=("$f")
            done
            # deb [options] URI SUITE COMPONENT...
            [ ${#files[@]} -eq 0 ] || uri=$(awk -v suite="$codename" '$1 == "deb" {
                    i = 2
                    if ($i ~ /^\[/) while (i <= NF && $i !~ /\]$/) i++
                    if ($i ~ /^\[/ || $i ~ /\]$/) i++
                    if ($(i + 1) == suite) { print $i; exit }
                }' "${files[@]}")
        fi
    fi
    if [ -z "$uri" ]; then
        if [ -z "$codename" ]; then
            echo -n "$root/etc/os-release names no Debian release" >&2
        else
            echo -n "no apt source in $root/etc/apt holds suite $codename" >&2
        fi
        echo "; MAZERUSH_DEBIAN_MIRROR can name the Debian mirror to use" >&2
        return 1
    fi
    echo "$uri"
}
