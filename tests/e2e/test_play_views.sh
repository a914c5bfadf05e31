#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# Play in the real program: after the intro is skipped and PLAY GAME chosen,
# Gobbler is seen on its row from above, the score beside the maze changes
# as it eats, "T" switches to the camera behind Gobbler (which then stands
# in the middle of the window) and back, and Escape returns to the menu.
# Gobbler is never steered, so it stays on row 5 whatever the ghosts do: a
# ghost that met it would put it back on its start cell, on row 5 too.
source "$(dirname "$0")/lib.sh"

# Pixels of a window region (w x h at x, y from the top left) that pass a
# test; prints their number. Yellow: red and green over 45 %, blue under
# 30 %; lit: the three over half of one.
count() { count_in "$1" "$2x$3+$4+$5" "$6"; }
yellow='r > 114.75 && g > 114.75 && b < 76.5'
lit='r + g + b > 127.5'

# From above, 800 x 552: row 5, where Gobbler starts and runs right, lies
# about 117 pixels from the top; column 13 about 384 from the left, and a
# cell is about 12.7 pixels. The middle of the window is the ghost house.
# The score lies from about (639, 461) on.
on_row_5() { [ "$(count "$1" 280 40 360 97 "$yellow")" -gt 150 ]; }
in_middle() { [ "$(count "$1" 30 30 385 261 "$yellow")" -gt 400 ]; }
above() { on_row_5 "$1" && [ "$(count "$1" 30 30 385 261 "$yellow")" -lt 100 ]; }
score_changed() { [ "$(differ "$first" "$1" 150x60+625+450)" -gt 10 ]; }

start_x
start_game
await intro_up 15 || fail "the intro did not show"
press s
await menu_first 10 || fail "s did not bring up the menu"
press p
await maze_up 10 || fail "p on PLAY GAME did not start play"
first=$img
on_row_5 "$first" || fail "no Gobbler on row 5 from above ($(count "$first" 280 40 360 97 "$yellow") yellow pixels)"
above "$first" || fail "Gobbler in the middle of the view from above"
score_first=$(count "$first" 150 60 625 450 "$lit")
[ "$score_first" -gt 20 ] || fail "no score beside the maze ($score_first lit pixels)"
await score_changed 5 || fail "the score did not change on screen while Gobbler ate along row 5"

# Behind the player: the camera looks at Gobbler, in the middle of the window.
press t
await in_middle 5 || fail "no Gobbler in the middle of the 3D view ($(count "$img" 30 30 385 261 "$yellow") yellow pixels)"

# And back to the view from above.
press t
await above 5 || fail "T did not switch back to the view from above"

press Escape
await menu_first 5 || fail "Escape did not return to the menu"
[ ! -s "$E2E_TMP/stderr" ] || fail "wrote to stderr: $(head -c 300 "$E2E_TMP/stderr")"
echo "play: Gobbler from above and behind, the score changes, T switches views"
