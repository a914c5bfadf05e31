#!/usr/bin/env bash
# The game-over screen in the real program, reached for real: on a clock
# ten times faster, EXPERT is chosen in the menu, so that eight ghosts play
# at Gobbler's speed (the lime one, of the last four, shows in the maze);
# Gobbler runs right along row 5 into the corner and waits there until the
# ghosts have caught it three times. Then the maze gives way to the
# game-over screen, Gobbler lying under "Game Over", which stays; "q" brings
# back the menu.
source "$(dirname "$0")/lib.sh"

left_wall=$(box "$(above_point -0.5 -0.3)" "$(above_point 30.5 0.3)")
maze_box=$(box "$(above_point -0.5 -0.5)" "$(above_point 30.5 27.5)")
maze_up() { [ "$(count_in "$1" "$left_wall" "$HUE_BLUE")" -gt 1000 ]; }
lime_ghost() { [ "$(count_in "$1" "$maze_box" "$HUE_LIME")" -gt 10 ]; }
menu_first() { menu_on "$1" 1; }

# The game-over screen: no maze; Gobbler lying at (4, -1) in front of the
# camera; the white words above it, from x = 0 at y = 1 (nearer the eye, at
# z = 3).
over_gob=$(around "$(screen_point 4 -1)" 8)
over_words=$(box "$(screen_point 0 1 3)" "$(screen_point 5 2.2 3)")
game_over() {
    ! maze_up "$1" &&
        [ "$(count_in "$1" "$over_gob" "$HUE_YELLOW")" -gt 100 ] &&
        [ "$(count_in "$1" "$over_words" "$HUE_WHITE")" -gt 100 ]
}

start_x
start_game faster 10
press s
await menu_first 10 || fail "s did not bring up the menu"
press m 6 6 i p
await maze_up 5 || fail "play did not start"
await lime_ghost 20 || fail "no lime ghost in play: EXPERT did not bring eight ghosts"
await game_over 120 || fail "the ghosts did not end the game"
sleep 1
game_over "$(shot)" || fail "the game-over screen did not stay"
press q
await menu_first 5 || fail "q on the game-over screen did not bring back the menu"
echo "game over: eight ghosts caught Gobbler three times; q returned to the menu"
