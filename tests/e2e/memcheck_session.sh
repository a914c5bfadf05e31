#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# A whole session of the real program under valgrind's memcheck: the intro
# skipped, the menu (eight ghosts chosen, so that meetings come soon), play
# onto the power pellet in the top right corner with the ghosts about it, a
# level change, play until a ghost has cost a life, Escape back to the menu
# and QUIT. Nothing definitely or indirectly lost may be laid to the
# program's own code, and no invalid read or write may show. Only what the
# GL driver and the X libraries allocate themselves is suppressed
# (tests/valgrind.supp matches the allocating frames, not the whole stack).
#
# Under valgrind a frame takes a second or so, and a piece steps at most
# once a frame: Gobbler reaches the wall in 13 frames and the power pellet
# in 4 more, where a ghost needs at least 21 steps to reach either.
#
# Not in the default run (valgrind makes every frame slow): `make memcheck`.
# Environment: MAZERUSH, a build without sanitizers; SOURCE_DIR.
source "$(dirname "$0")/lib.sh"

: "${SOURCE_DIR:?SOURCE_DIR must name the source tree}"
LOG="${MEMCHECK_LOG:-$E2E_TMP/memcheck.log}"

start_x
start_game valgrind --tool=memcheck --trace-children=yes --keep-debuginfo=yes --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --error-exitcode=3 --num-callers=30 \
    --suppressions="$SOURCE_DIR/tests/valgrind.supp" --log-file="$LOG"

second_line() { menu_on "$1" 2; }
at_wall() { gob_on "$1" 5 26; }
on_power_pellet() { gob_on "$1" 1 26; }
life_lost() { [ "$(lives_shown "$1")" -lt 3 ]; }

await intro_up 120 || fail "the intro did not show: $(tail -n 20 "$LOG")"
press s
await menu_first 60 || fail "s did not bring up the menu"
press 2 6 6   # difficulty up twice: eight ghosts
await second_line 60 || fail "the menu did not move to DIFFICULTY"
press 8       # back to the first line, after the difficulty keys
await menu_first 60 || fail "the menu did not move back to PLAY GAME"
press p
await at_wall 120 || fail "Gobbler did not run along row 5 to the wall"
press 8       # up the right-hand side onto the power pellet
await on_power_pellet 60 || fail "Gobbler did not reach the power pellet"
press x       # a level change
await maze_gone 60 || fail "x did not bring up the level-change screen"
await maze_up 120 || fail "play did not come back after the level change"
await life_lost 300 || fail "no ghost caught Gobbler"
press Escape
await menu_first 60 || fail "Escape did not return to the menu"
press 2 2 2 2 q
await_exit 120 "mazerush did not end on QUIT"
grep -E "definitely lost|indirectly lost|Invalid (read|write)|ERROR SUMMARY" "$LOG"
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS (3: memcheck found errors); see $LOG"
grep -q "ERROR SUMMARY: 0 errors" "$LOG" || fail "memcheck reported errors; see $LOG"
echo "memcheck session: nothing lost in the program's own code, no invalid access"
