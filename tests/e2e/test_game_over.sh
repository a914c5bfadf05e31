#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The game-over screen in the real program, reached for real: EXPERT is
# chosen in the menu (its value shows, longer than WUSS), so that eight
# ghosts play at Gobbler's speed, on a clock ten times faster once play
# starts; Gobbler runs right along row 5 into the corner and waits there
# until the ghosts have caught it three times. Then the maze gives way to the
# game-over screen, Gobbler lying under "Game Over", which stays, the
# program waiting for a key at next to no processor time; "q" brings back
# the menu. Eight ghosts walking at random meet a Gobbler that stands
# still within a few minutes of game time; the test waits up to 20.
source "$(dirname "$0")/lib.sh"

# Eight ghosts that walk at random in lockstep from one cell can hide the
# lime one, the seventh, behind those before it for many steps: which
# difficulty plays is read from the menu, before play.
difficulty_value=$(value_box 1)
second_line() { menu_on "$1" 2; }

start_x
start_game on_clock 0
await intro_up 15 || fail "the intro did not show"
press s
await menu_first 10 || fail "s did not bring up the menu"
wuss=$(blue_in "$img" "$difficulty_value")
press m 6 6
await second_line 5 || fail "m did not move the highlight to DIFFICULTY"
# The keys are read in order: once "i" has moved the highlight back, the
# value shows what the two raises left.
press i
await menu_first 5 || fail "i did not move the highlight back to PLAY GAME"
[ "$(blue_in "$img" "$difficulty_value")" -gt $((wuss + 20)) ] || fail "the difficulty is not EXPERT"
clock_speed 10
press p
await maze_up 5 || fail "play did not start"
await game_over_up 120 || fail "the ghosts did not end the game"
expect_waiting "the game-over screen"
game_over_up "$(shot)" || fail "the game-over screen did not stay for $HELD s"
press q
await menu_first 5 || fail "q on the game-over screen did not bring back the menu"
echo "game over: on EXPERT, the ghosts caught Gobbler three times; the screen stayed for $HELD s; q returned to the menu"
