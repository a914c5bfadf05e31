# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# installed.sh: what the install and package tests share, sourced by them.
# They check what lands on a system with the tools Debian checks it with
# (desktop-file-validate, appstreamcli, man, dpkg-deb, lintian), then run the
# start-up case of the end-to-end program ($E2E) on the program they put in
# place, which opens its window "Gobbler" and plays the intro.
#
# Environment (ctest sets it): E2E, SOURCE_DIR, BUILD_DIR.

set -uo pipefail
: "${E2E:?E2E must name the end-to-end program}"
: "${SOURCE_DIR:?SOURCE_DIR must name the source tree}"
: "${BUILD_DIR:?BUILD_DIR must name the build tree}"
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/mazerush-installed.XXXXXX")
trap 'rm -rf "$E2E_TMP"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The project's version, as the build tree in $1 has it.
version_of() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

# Runs the start-up case on program $1 (a path, or a name found on the PATH
# the rest of the arguments may set, as env takes them).
start_installed() {
    local program=$1
    shift
    env "$@" MAZERUSH="$program" "$E2E" --gtest_filter='Startup.OpensItsWindowAndPlaysTheIntroSilently' \
        >"$E2E_TMP/e2e.log" 2>&1 || fail "the program put in place does not start as it should: $(tail -n 20 "$E2E_TMP/e2e.log")"
}

# Checks the files installed under prefix $1 (e.g. a prefix of cmake
# --install, or usr/ of the unpacked package) besides the program, for
# version $2: the desktop entry (desktop-file-validate finds nothing), its
# icon (the project's picture, which the end-to-end cases check), the
# AppStream metainfo (appstreamcli finds no error; its id and launchable
# are the entry's), the manual page (formats with no warning) and the
# changelog, all of that version.
check_installed_data() {
    local prefix=$1 version=$2 out id
    local entry="$prefix/share/applications/mazerush.desktop"
    local icon="$prefix/share/icons/hicolor/128x128/apps/mazerush.png"
    local metainfo="$prefix/share/metainfo/mazerush.metainfo.xml"
    local manpage="$prefix/share/man/man6/mazerush.6.gz"
    local docs="$prefix/share/doc/mazerush"

    out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate warns: $out"
    grep -qx 'Exec=mazerush' "$entry" || fail "the entry does not start mazerush"
    grep -qx 'Icon=mazerush' "$entry" || fail "the entry does not name the icon mazerush"
    grep -qx 'Type=Application' "$entry" || fail "the entry is not an application"
    grep -q '^Categories=.*Game;' "$entry" || fail "the entry is not in the Game category"

    cmp -s "$icon" "$SOURCE_DIR/data/mazerush.png" || fail "the icon is not the project's data/mazerush.png"

    out=$(appstreamcli validate --no-net "$metainfo" 2>&1)
    ! grep -q '^E:' <<<"$out" || fail "appstreamcli validate: $out"
    id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
    [ "$id.desktop" = "$(basename "$entry")" ] || fail "metainfo id $id is not the desktop entry's"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $id.desktop"
    grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo's release is not $version"

    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=w -l "$manpage" 2>&1 >"$E2E_TMP/man.txt") ||
        fail "man could not format the manual page: $out"
    [ -z "$out" ] || fail "the manual page formats with warnings: $out"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS RULES 'EXIT STATUS' FILES; do
        grep -qx "$section" "$E2E_TMP/man.txt" || fail "the manual page has no $section section"
    done
    grep -q "^mazerush $version " "$E2E_TMP/man.txt" || fail "the manual page is not of version $version"

    # The copyright file is Debian's machine-readable one, of the GPL, version
    # 2 or later.
    [ "$(head -n 1 "$docs/copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
        fail "the copyright file is not machine-readable"
    grep -qx 'License: GPL-2+' "$docs/copyright" || fail "the copyright file names no GPL-2+"
    zcat "$docs/changelog.gz" | head -n 1 | grep -q "^mazerush ($version) " ||
        fail "the changelog does not start with version $version"
}
