#!/usr/bin/env bash
# Play in the real program, key by key, seen from above. Gobbler runs right
# from its start cell along row 5 to the wall and the pellets behind it are
# gone while those on the left of its start stay; "p" freezes the picture
# and "z" then raises the score on screen and nothing else; "p" again lets
# Gobbler go, and the down key at the junction in the corner turns it down
# the right-hand side; "t" puts the camera behind it and back; "x" brings up
# the level-change screen, then play on the next level in a full maze; and
# Escape returns to the menu, from which a fresh game starts.
source "$(dirname "$0")/lib.sh"

# Whether Gobbler stands on cell (row, column) of screenshot $1: its yellow
# fills much of the 7 x 7 pixels at the cell's point, open mouth and all (one
# cell off, its edge covers a few).
gob_on() {
    [ "$(count_in "$1" "$(around "$(above_point "$2" "$3")" 3)" "$HUE_YELLOW")" -gt 15 ]
}
gob_at_wall() { gob_on "$1" 5 26; }
# The column of row 5 near the start on which Gobbler stands in screenshot
# $1 (play has run a step or a few by the time the picture is frozen); fails
# if it is on none of them.
gob_col() {
    local c
    for c in $(seq 13 24); do
        gob_on "$1" 5 "$c" && echo "$c" && return 0
    done
    return 1
}
gob_down_side() { gob_on "$1" 8 26; }

# How many of the cells (row, first column .. last column) of screenshot $1
# show a pellet at their point.
pellets_on_row() {
    local n=0 c
    for c in $(seq "$3" "$4"); do
        pixel_is "$1" "$(above_point "$2" "$c")" "$HUE_PINK" && n=$((n + 1))
    done
    echo $n
}

# The score: white text lying beside the maze, from row 26.3 to 29.5 and
# from column 28.7 on; the maze itself is everything left of column 28.
score_box=$(box "$(above_point 26.3 28.7)" "$(above_point 29.5 40)")
maze_box=$(box "$(above_point -0.5 -0.5)" "$(above_point 30.5 27.5)")
lit_score() { count_in "$1" "$score_box" "$HUE_LIT"; }

# The level-change screen: no blue maze; play: the blue maze, seen by the
# maze's left wall.
left_wall=$(box "$(above_point -0.5 -0.3)" "$(above_point 30.5 0.3)")
maze_up() { [ "$(count_in "$1" "$left_wall" "$HUE_BLUE")" -gt 1000 ]; }
maze_gone() { [ "$(count_in "$1" "$left_wall" "$HUE_BLUE")" -lt 20 ]; }
green_line() { [ "$(count_in "$1" "$maze_box" "$HUE_GREEN")" -gt 20 ]; }
menu_first() { menu_on "$1" 1; }

start_x
start_game
press s
await menu_first 10 || fail "s did not bring up the menu"

# --- Away from the start along row 5 ------------------------------------------

press p
sleep 0.2
press p
start=$(shot)
col=$(gob_col "$start") || fail "Gobbler is not near its start cell (5, 13)"
[ "$(pellets_on_row "$start" 5 $((col + 2)) 25)" -eq $((24 - col)) ] ||
    fail "not all pellets ahead of Gobbler on row 5"
score_start=$(lit_score "$start")
[ "$score_start" -gt 20 ] || fail "no score beside the maze"

press p
await gob_at_wall 8 || fail "Gobbler did not run right along row 5 to the wall at column 26"
ran=$img
# Ghosts may stand in front of a few of the cells.
eaten=$((12 - $(pellets_on_row "$ran" 5 14 25)))
[ "$eaten" -eq 12 ] || fail "only $eaten of the 12 pellets behind Gobbler on row 5 are gone"
[ "$(pellets_on_row "$ran" 5 1 12)" -ge 10 ] || fail "pellets left of the start cell are gone"
# WUSS, the first difficulty, brings only the first four ghosts: never the
# lime one.
[ "$(count_in "$ran" "$maze_box" "$HUE_LIME")" -le 2 ] || fail "a lime ghost plays on WUSS"

# --- Pause, the bonus key, resume and a turn -----------------------------------

press p
sleep 0.5
paused=$(shot)
sleep 0.7
still=$(shot)
[ "$(differ "$paused" "$still")" -eq 0 ] || fail "the picture moved while paused"
press z
sleep 0.4
bonus=$(shot)
[ "$(differ "$paused" "$bonus" "$score_box")" -gt 20 ] || fail "z did not change the score on screen"
[ "$(differ "$paused" "$bonus" "$maze_box")" -eq 0 ] || fail "z changed the maze's picture while paused"
[ "$(lit_score "$bonus")" -gt "$(lit_score "$paused")" ] || fail "the score did not grow longer with z"

press p 2
await gob_down_side 5 || fail "after p and the down key, Gobbler did not run down from the corner"
[ "$(pellets_on_row "$img" 6 26 26)$(pellets_on_row "$img" 7 26 26)" = 00 ] ||
    fail "the pellets Gobbler ran over on the right-hand side are still there"
gob_on "$img" 5 26 && fail "Gobbler still at the corner"

# --- The view behind Gobbler, and back -----------------------------------------

press t
sleep 0.4
behind=$(shot)
[ "$(count_in "$behind" "$(around "$(behind_point 8 26 8 26)" 6)" "$HUE_YELLOW")" -gt 60 ] ||
    fail "t: Gobbler is not in the middle of the window, under the camera behind it"
press t
sleep 0.4
# Gobbler may have been caught meanwhile: the whole left wall is the mark of
# the view from above.
maze_up "$(shot)" || fail "t again: not back to the view from above"

# --- The level change, then the next level -------------------------------------

press x
await maze_gone 5 || fail "x did not bring up the level-change screen"
await green_line 10 || fail "the green level line never passed on the level-change screen"
await maze_up 15 || fail "play did not come back after the level change"
press p
level2=$(shot)
col=$(gob_col "$level2") || fail "Gobbler did not start the next level from its start cell on row 5"
[ "$(pellets_on_row "$level2" 5 $((col + 2)) 25)" -eq $((24 - col)) ] &&
    [ "$(pellets_on_row "$level2" 6 26 26)$(pellets_on_row "$level2" 7 26 26)" = 11 ] ||
    fail "the next level did not start with a full maze"
press p
score_level2=$(lit_score "$level2")

# --- Escape: the menu, and a fresh game ------------------------------------------

press Escape
await menu_first 5 || fail "Escape did not return to the menu with PLAY GAME highlighted"
press p
sleep 0.2
press p
fresh=$(shot)
col=$(gob_col "$fresh") || fail "the fresh game did not start Gobbler on (5, 13)"
[ "$(pellets_on_row "$fresh" 5 $((col + 2)) 25)" -eq $((24 - col)) ] ||
    fail "the fresh game's row 5 is not full"
fresh_score=$(lit_score "$fresh")
# Two digits again, where the last game showed four.
[ "$fresh_score" -lt $((score_level2 * 3 / 4)) ] ||
    fail "the fresh game kept a score ($fresh_score lit pixels; $score_level2 before Escape)"
game_running || fail "mazerush ended"
[ ! -s "$E2E_TMP/stderr" ] || fail "wrote to stderr: $(head -c 300 "$E2E_TMP/stderr")"
echo "play: ran right eating row 5, paused, z, turned, t, the next level, a fresh game"
