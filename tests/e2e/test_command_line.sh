#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The command line, answered before any window opens: with no X display at
# all, --help prints the usage to standard output and --version the
# project's version, both with exit status 0 and nothing on standard error;
# a word that neither the game nor GLUT takes, or a GLUT option missing its
# value, is refused with one line naming it and the hint, exit status 2.
# GLUT's own options still reach GLUT: -display alone tells the game where
# to open its window.
source "$(dirname "$0")/lib.sh"

: "${BUILD_DIR:?BUILD_DIR must name the build tree}"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
[ -n "$version" ] || fail "the build tree has no project version"

# Runs the program with the given arguments and no display; leaves its exit
# status in STATUS and its output in OUT and ERR. The deadline ends a
# program that wrongly goes on to play.
run_bare() {
    env -u DISPLAY timeout 20 "$MAZERUSH" "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err"
    STATUS=$?
    OUT=$(cat "$E2E_TMP/out")
    ERR=$(cat "$E2E_TMP/err")
}

run_bare --version
[ "$STATUS" = 0 ] || fail "--version: exit status $STATUS, stderr: $ERR"
[ "$OUT" = "mazerush $version" ] || fail "--version printed: $OUT"
[ -z "$ERR" ] || fail "--version wrote to stderr: $ERR"

# GLUT's options before --help are taken as GLUT's, value and all.
run_bare -iconic -display :99 --help
[ "$STATUS" = 0 ] || fail "--help: exit status $STATUS, stderr: $ERR"
[ "$(head -n 1 <<<"$OUT")" = "Usage: mazerush [X options]" ] || fail "--help printed: $OUT"
for option in --version -display -geometry -iconic -direct -indirect -gldebug -sync "man 6 mazerush"; do
    grep -qe "$option" <<<"$OUT" || fail "--help does not name $option: $OUT"
done
[ -z "$ERR" ] || fail "--help wrote to stderr: $ERR"

for bad in "--bogus|unrecognized option '--bogus'" "-sync extra|unexpected argument 'extra'" \
    "-geometry|a value must follow the option '-geometry'"; do
    # shellcheck disable=SC2086  # the arguments are split on purpose
    run_bare ${bad%%|*}
    [ "$STATUS" = 2 ] || fail "${bad%%|*}: exit status $STATUS, not 2"
    [ -z "$OUT" ] || fail "${bad%%|*} wrote to stdout: $OUT"
    [ "$ERR" = "mazerush: ${bad#*|}"$'\n'"Try 'mazerush --help'." ] || fail "${bad%%|*}: stderr is: $ERR"
done

# -display, with DISPLAY unset, opens the window on the test's X server.
start_x
display=$DISPLAY
# (start_game puts the program last: it is the shell's $1.)
start_game env -u DISPLAY sh -c 'exec "$1" -display "$0"' "$display"
echo "command line: --version, --help, refusals with status 2; -display reaches GLUT"
