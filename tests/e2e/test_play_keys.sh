#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# Play in the real program, key by key, seen from above. Gobbler runs right
# from its start cell along row 5 to the wall and the pellets behind it are
# gone while those on the left of its start stay; "p" freezes the picture,
# the program then waiting for a key at next to no processor time, and "z"
# raises the score on screen and nothing else; "p" again lets
# Gobbler go, and the down key at the junction in the corner turns it down
# the right-hand side; "t" puts the camera behind it and back; "x" brings up
# the level-change screen, then play on the next level in a full maze; and
# Escape returns to the menu, from which a fresh game starts. The level
# change runs on a clock four times slower, so that the level line, in the
# maze's part of the view for 4 of its 7 s, stays there for some 17 s.
#
# The ghosts walk at random, and one that met Gobbler would put it back on
# its start cell. The game's random numbers have the same seed in every run
# (start_game sets MAZERUSH_SEED): with that seed the four ghosts of the
# first difficulty stay off row 5 right of column 12 and off the right-hand
# side down to row 8 for their first 160 steps, 64 s of play, where this
# test plays for about 10 s. Three lives on screen at each stage show that
# this still holds.
source "$(dirname "$0")/lib.sh"

gob_at_wall() { gob_on "$1" 5 26; }
# The column of row 5, from its start cell on, on which Gobbler stands in
# screenshot $1; fails if it is on none of them. In the first picture of a
# level its open jaws can fill the cells beside its start cell as much as
# that cell, so the pictures checked are awaited with gob_running.
gob_col() {
    local c
    for c in $(seq 13 26); do
        gob_on "$1" 5 "$c" && echo "$c" && return 0
    done
    return 1
}
gob_running() { gob_col "$1" >/dev/null; }
# Whether screenshot $1, taken as Gobbler runs right from its start cell at
# the start of a level, shows it on column $2 of row 5 with the pellets
# behind it eaten and every pellet ahead of it still there. The next cell's
# point lies under its mouth.
fresh_row_5() {
    [ "$(pellets_on_row "$1" 5 13 $(($2 - 1)))" -eq 0 ] &&
        [ "$(pellets_on_row "$1" 5 $(($2 + 2)) 25)" -eq $((24 - $2 < 0 ? 0 : 24 - $2)) ]
}
gob_down_side() { gob_on "$1" 8 26; }
# In the view behind Gobbler, on cell (8, 26), Gobbler is in the middle of
# the window.
gob_in_middle() {
    [ "$(count_in "$1" "$(around "$(behind_point 8 26 8 26)" 6)" "$HUE_YELLOW")" -gt 60 ]
}

# How many of the cells (row, first column .. last column) of screenshot $1
# show a pellet at their point.
pellets_on_row() {
    local n=0 c
    for c in $(seq "$3" "$4"); do
        pixel_is "$1" "$(above_point "$2" "$c")" "$HUE_PINK" && n=$((n + 1))
    done
    echo $n
}

lit_score() { count_in "$1" "$SCORE_BOX" "$HUE_LIT"; }

three_lives() {
    [ "$(lives_shown "$1")" = 3 ] ||
        fail "$2: a life was lost, so a ghost met Gobbler: the fixed seed no longer keeps the ghosts away"
}

green_line() { [ "$(count_in "$1" "$MAZE_BOX" "$HUE_GREEN")" -gt 20 ]; }

start_x
start_game on_clock 1
await intro_up 15 || fail "the intro did not show"
press s
await menu_first 10 || fail "s did not bring up the menu"

# --- Away from the start along row 5 ------------------------------------------

press p
await maze_up 10 || fail "p on PLAY GAME did not start play"
await gob_running 10
start=$img
col=$(gob_col "$start") || fail "Gobbler is not on row 5 right of its start cell (5, 13)"
fresh_row_5 "$start" "$col" || fail "Gobbler on (5, $col) has not eaten just the pellets from its start cell"
[ "$(lit_score "$start")" -gt 20 ] || fail "no score beside the maze"

await gob_at_wall 20 || fail "Gobbler did not run right along row 5 to the wall at column 26"
ran=$img
three_lives "$ran" "at the wall"
# Ghosts may stand in front of a few of the cells.
eaten=$((12 - $(pellets_on_row "$ran" 5 14 25)))
[ "$eaten" -eq 12 ] || fail "only $eaten of the 12 pellets behind Gobbler on row 5 are gone"
[ "$(pellets_on_row "$ran" 5 1 12)" -ge 10 ] || fail "pellets left of the start cell are gone"
# WUSS, the first difficulty, brings only the first four ghosts: never the
# lime one.
[ "$(count_in "$ran" "$MAZE_BOX" "$HUE_LIME")" -le 2 ] || fail "a lime ghost plays on WUSS"

# --- Pause, the bonus key, resume and a turn -----------------------------------

# Pause draws nothing; "z" after it does, so a picture that shows a z was
# drawn after the pause. The first new score after p and z may still be the
# pellet at the wall, eaten a tick after Gobbler got there, so a second z
# gives the picture certainly drawn after the pause. A third "z" a while
# later must change the score and nothing else: the picture held still in
# between.
press p z
score_before=$ran
await score_changed 5 || fail "z did not change the score on screen after p"
press z
score_before=$img
await score_changed 5 || fail "a second z did not change the score on screen after p"
paused=$img
expect_waiting "paused play"
press z
score_before=$paused
await score_changed 5 || fail "a third z did not change the score on screen while paused"
bonus=$img
[ "$(differ "$paused" "$bonus" "$MAZE_BOX")" -eq 0 ] ||
    fail "the maze's picture changed while paused, over $HELD s and a press of z"
[ "$(lit_score "$bonus")" -gt "$(lit_score "$ran")" ] || fail "the score did not grow longer with z"

press p 2
await gob_down_side 5 || fail "after p and the down key, Gobbler did not run down from the corner"
three_lives "$img" "down the side"
[ "$(pellets_on_row "$img" 6 26 26)$(pellets_on_row "$img" 7 26 26)" = 00 ] ||
    fail "the pellets Gobbler ran over on the right-hand side are still there"
gob_on "$img" 5 26 && fail "Gobbler still at the corner"

# --- The view behind Gobbler, and back -----------------------------------------

press t
await gob_in_middle 5 || fail "t: Gobbler is not in the middle of the window, under the camera behind it"
press t
await maze_up 5 || fail "t again: not back to the view from above"
three_lives "$img" "back from the view behind"

# --- The level change, then the next level -------------------------------------

clock_speed 0.25
press x
await maze_gone 5 || fail "x did not bring up the level-change screen"
await green_line 30 || fail "the green level line never passed on the level-change screen"
clock_speed 1
await maze_up 30 || fail "play did not come back after the level change"
await gob_running 10
level2=$img
col=$(gob_col "$level2") || fail "Gobbler did not start the next level from its start cell on row 5"
fresh_row_5 "$level2" "$col" &&
    [ "$(pellets_on_row "$level2" 6 26 26)$(pellets_on_row "$level2" 7 26 26)" = 11 ] ||
    fail "the next level did not start with a full maze"
score_level2=$(lit_score "$level2")

# --- Escape: the menu, and a fresh game ------------------------------------------

press Escape
await menu_first 5 || fail "Escape did not return to the menu with PLAY GAME highlighted"
press p
await maze_up 10 || fail "p on PLAY GAME did not start a fresh game"
await gob_running 10
fresh=$img
col=$(gob_col "$fresh") || fail "the fresh game did not start Gobbler on (5, 13)"
fresh_row_5 "$fresh" "$col" || fail "the fresh game's row 5 is not full"
fresh_score=$(lit_score "$fresh")
# Two digits again, where the last game showed four.
[ "$fresh_score" -lt $((score_level2 * 3 / 4)) ] ||
    fail "the fresh game kept a score ($fresh_score lit pixels; $score_level2 before Escape)"
game_running || fail "mazerush ended"
[ ! -s "$E2E_TMP/stderr" ] || fail "wrote to stderr: $(head -c 300 "$E2E_TMP/stderr")"
echo "play: ran right eating row 5, paused, z, turned, t, the next level, a fresh game"
