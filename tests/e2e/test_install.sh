#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The installed game: cmake --install into a temporary prefix puts mazerush
# in bin/ and, under share/, its desktop entry, its 128 x 128 icon, its
# AppStream metainfo, its manual page in section 6, its copyright and its
# changelog, and nothing else; what lies under share/ is valid and of the
# project's version, and the installed program opens its window "Gobbler".
source "$(dirname "$0")/installed.sh"

prefix="$E2E_TMP/prefix"
cmake --install "$BUILD_DIR" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "$E2E_TMP/install.log")"

files=$(cd "$prefix" && find . -type f | sort | tr '\n' ' ')
expected="./bin/mazerush ./share/applications/mazerush.desktop ./share/doc/mazerush/changelog.gz \
./share/doc/mazerush/copyright ./share/icons/hicolor/128x128/apps/mazerush.png \
./share/man/man6/mazerush.6.gz ./share/metainfo/mazerush.metainfo.xml "
[ "$files" = "$expected" ] || fail "installed files are: $files"
[ -x "$prefix/bin/mazerush" ] || fail "bin/mazerush is not executable"

version=$(version_of "$BUILD_DIR")
[ -n "$version" ] || fail "the build tree has no project version"
check_installed_data "$prefix" "$version"
start_installed "$prefix/bin/mazerush"
echo "install: bin/mazerush and valid data files of version $version; the installed game runs"
