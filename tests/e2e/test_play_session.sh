#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# A session of real play: Gobbler runs right along its row to the wall, is
# steered up the right-hand side onto the power pellet in the corner and
# stays there in the power period, its teeth showing, while the ghosts
# wander blue; Escape abandons the game in the middle of it, and QUIT in the
# menu ends the program with status 0. The test build's sanitizers watch the
# whole session: nothing may be reported and no heap record lost at exit.
#
# The game's random numbers have the same seed in every run (start_game sets
# MAZERUSH_SEED), so the ghosts take the same walk each time: with that seed
# they stay off row 5 right of column 12 and off the right-hand side up to
# row 1 for their first 160 steps (64 s of play), where this session plays
# for about 5 s.
source "$(dirname "$0")/lib.sh"

start_x
start_game
await intro_up 15 || fail "the intro did not show"
press s
await menu_first 10 || fail "s did not bring up the menu"
press p
at_wall() { gob_on "$1" 5 26; }
await at_wall 20 || fail "Gobbler did not run along row 5 to the wall at column 26"
press 8
on_power_pellet() { gob_on "$1" 1 26; }
await on_power_pellet 10 || fail "Gobbler did not run up the right-hand side to the power pellet"
# The ghosts turn blue: the cyan and the green one are nowhere in the maze,
# and the bright blue of their bodies (about 400 pixels each) joins the 564
# pixels of the walls' highlights.
ghosts_scared() {
    [ "$(count_in "$1" "$MAZE_BOX" 'g > 80 && r * 3 < g && (b * 3 < g || b > 80)')" -eq 0 ] &&
        [ "$(count_in "$1" "$MAZE_BOX" 'r < 10 && g < 10 && b >= 250')" -gt 1200 ]
}
await ghosts_scared 5 || fail "the ghosts did not turn blue in the power period"
press Escape
await menu_first 10 || fail "Escape did not return to the menu"
press 2 2 2 2 q
await_exit 10 "mazerush did not end on QUIT"
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS, not 0: $(grep -m 3 -E 'ERROR|SUMMARY' "$E2E_TMP/stderr")"
[ ! -s "$E2E_TMP/stderr" ] || fail "wrote to stderr: $(head -c 600 "$E2E_TMP/stderr")"
[ ! -s "$E2E_TMP/stdout" ] || fail "wrote to stdout: $(head -c 200 "$E2E_TMP/stdout")"
echo "play session: played, abandoned, quit with status 0, nothing reported"
