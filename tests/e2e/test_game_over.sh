#!/usr/bin/env bash
# The game-over screen in the real program, reached for real: on a clock
# ten times faster, EXPERT is chosen in the menu, so that eight ghosts play
# at Gobbler's speed (the lime one, of the last four, shows in the maze);
# Gobbler runs right along row 5 into the corner and waits there until the
# ghosts have caught it three times. Then the maze gives way to the
# game-over screen, Gobbler lying under "Game Over", which stays, the
# program waiting for a key at next to no processor time; "q" brings back
# the menu. Eight ghosts walking at random meet a Gobbler that stands
# still within a few minutes of game time; the test waits up to 20.
source "$(dirname "$0")/lib.sh"

lime_ghost() { [ "$(count_in "$1" "$MAZE_BOX" "$HUE_LIME")" -gt 10 ]; }

start_x
start_game on_clock 10
await intro_up 15 || fail "the intro did not show"
press s
await menu_first 10 || fail "s did not bring up the menu"
press m 6 6 i p
await maze_up 5 || fail "play did not start"
await lime_ghost 20 || fail "no lime ghost in play: EXPERT did not bring eight ghosts"
await game_over_up 120 || fail "the ghosts did not end the game"
expect_waiting "the game-over screen"
game_over_up "$(shot)" || fail "the game-over screen did not stay for $HELD s"
press q
await menu_first 5 || fail "q on the game-over screen did not bring back the menu"
echo "game over: eight ghosts caught Gobbler three times; the screen stayed for $HELD s; q returned to the menu"
