#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The real program starts on an X server, opens its 800 x 552 window titled
# "Gobbler", keeps running in the intro while no key is pressed, and writes
# nothing to standard output or standard error.
source "$(dirname "$0")/lib.sh"

start_x
start_game

geometry=$("$PIXELS" "$(shot)" size | tr " " x)
[ "$geometry" = "800x552" ] || fail "window is $geometry, not 800x552"

await intro_up 15 || fail "the intro did not show"
hold 3
game_running || fail "mazerush stopped during the first $HELD s of the intro"

stop_game
[ ! -s "$E2E_TMP/stdout" ] || fail "wrote to stdout: $(head -c 200 "$E2E_TMP/stdout")"
[ ! -s "$E2E_TMP/stderr" ] || fail "wrote to stderr: $(head -c 200 "$E2E_TMP/stderr")"
echo "startup: window 800x552, intro kept running for $HELD s, no output"
