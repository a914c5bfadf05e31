#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The Debian package. It packages a release build of its own, made by
# scripts/make-package exactly as `make package` makes it (a few seconds: the
# game is small), not the tree under test: that is a sanitizer build, whose
# program needs the sanitizer runtime, and lintian is to judge the package a
# player gets. The package's control fields are a game's (section games,
# maintainer with an address, the dependencies dpkg-shlibdeps found, a
# description), it carries exactly the program in /usr/games, stripped, and
# the data files, all valid, lintian finds no error or warning in it, and
# the program unpacked into a temporary root opens its window "Gobbler" when
# started as the desktop entry starts it. The package is reproducible: the
# same source, copied to another directory and built there again seconds
# later, gives the same bytes.
source "$(dirname "$0")/installed.sh"

deb=$("$SOURCE_DIR/scripts/make-package" "$E2E_TMP/build" 1) || fail "make-package failed"

# The copy's files get the time of the copy (tar -m), and its path and that
# of its build differ from the first build's: a time or a path that reached
# the package would show. The first build took seconds, and the times in
# the archives are whole seconds.
copy="$E2E_TMP/another/copy"
mkdir -p "$copy"
tar -C "$SOURCE_DIR" --exclude=./build -cf - . | tar -C "$copy" -xmf - || fail "could not copy the source"
again=$("$copy/scripts/make-package" "$E2E_TMP/another/build" 1) || fail "make-package failed on the copy"
if ! cmp -s "$deb" "$again"; then
    cp "$deb" "$BUILD_DIR/e2e-package-first.deb"
    cp "$again" "$BUILD_DIR/e2e-package-again.deb"
    fail "two builds of the same source differ; diffoscope shows how:" \
        "$BUILD_DIR/e2e-package-first.deb $BUILD_DIR/e2e-package-again.deb"
fi
version=$(version_of "$E2E_TMP/build")
[ "$(basename "$deb")" = "mazerush_${version}_amd64.deb" ] || fail "the package is $deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = mazerush ] || fail "package name $(field Package)"
[ "$(field Version)" = "$version" ] || fail "package version $(field Version), not $version"
[ "$(field Section)" = games ] || fail "section $(field Section)"
field Maintainer | grep -qE '^[^<]+ <[^@> ]+@[^> ]+>$' || fail "maintainer $(field Maintainer)"
for lib in libc6 libglut3.12 libstdc++6 libopenal1 libsdl2; do
    field Depends | grep -q "$lib" || fail "depends on no $lib: $(field Depends)"
done
[ "$(field Description | wc -l)" -gt 3 ] || fail "no long description: $(field Description)"

root="$E2E_TMP/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
files=$(cd "$root" && find . -type f | sort | tr '\n' ' ')
expected="./usr/games/mazerush ./usr/share/applications/mazerush.desktop \
./usr/share/doc/mazerush/changelog.gz ./usr/share/doc/mazerush/copyright \
./usr/share/icons/hicolor/128x128/apps/mazerush.png ./usr/share/man/man6/mazerush.6.gz \
./usr/share/metainfo/mazerush.metainfo.xml "
[ "$files" = "$expected" ] || fail "the package carries: $files"
file "$root/usr/games/mazerush" | grep -q ', stripped' || fail "the program is not stripped"
# Linked with libglut.so.3 (Debian 13's freeglut), the program asks for a
# freeglut that has that name, which Debian 12's 3.4.0-1 has not.
if objdump -p "$root/usr/games/mazerush" | grep -qE 'NEEDED +libglut\.so\.3$'; then
    field Depends | grep -qF 'libglut3.12 (>= 3.4.0-2)' || fail "libglut.so.3, yet depends on $(field Depends)"
fi
check_installed_data "$root/usr" "$version"

# Debian 13's lintian fails the metainfo when AppStream 1.0 has any warning
# at all, and it has two that only a web home would mend: an id in
# reverse-domain form (ours is the desktop entry's name, mazerush) and a
# homepage URL; the game has neither domain nor homepage. Errors in the
# metainfo are still caught: check_installed_data above fails on any.
lintian --display-info --suppress-tags appstream-metadata-validation-failed "$deb" \
    >"$E2E_TMP/lintian.txt" 2>&1
! grep -E '^[EW]:' "$E2E_TMP/lintian.txt" || fail "lintian finds errors or warnings"
echo "lintian, no error or warning; infos: $(grep '^I:' "$E2E_TMP/lintian.txt" | tr '\n' ';')"

# The desktop entry starts "mazerush", found on a PATH that holds /usr/games.
start_installed mazerush PATH="$root/usr/games:$PATH"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes, valid; the packaged game runs"
