#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The maze in the real program: in the first picture of play (the intro
# skipped, PLAY GAME chosen), the view from above shows blue walls, the
# yellow gate of the ghost house, pale pink pellets and the four copper
# power pellets, each at the screen point of its cell, and black where a
# corridor is empty. Gobbler eats only on row 5, and the nearest cell looked
# at is 13 ghost steps of 0.4 s from the ghost house: over 5 s, far longer
# than the first picture of play takes to come.
source "$(dirname "$0")/lib.sh"

# Screen point "x y" (from the top left) of grid point (row, column) on the
# floor, seen by the camera above: eye 30 up, 60 degree field of view, the
# 800 x 552 window; rows run down the screen and columns to the right.
at() {
    awk -v r="$1" -v c="$2" 'BEGIN {
        t = sin(3.14159265 / 6) / cos(3.14159265 / 6); aspect = 800 / 552
        x = r - 15; z = 14 - c
        printf "%d %d\n", 400 - z / 30 / t / aspect * 400, 276 + x / 30 / t * 276
    }'
}

# The colour "r g b" at grid point (row, column) of a screenshot.
cell() {
    local xy
    xy=$(at "$2" "$3")
    pixel "$1" ${xy}
}

start_x
start_game

await intro_up 15 || fail "the intro did not show"
press s
await menu_first 10 || fail "s did not bring up the menu"
press p
await maze_up 10 || fail "p on PLAY GAME did not start play"
frame=$img

check() {
    local what=$1 row=$2 col=$3 test=$4 rgb r g b
    rgb=$(cell "$frame" "$row" "$col")
    read -r r g b <<<"$rgb"
    awk -v r="$r" -v g="$g" -v b="$b" "BEGIN { exit !($test) }" ||
        fail "no $what at row $row, column $col: colour $rgb"
}

blue='b > 25 && b > 2 * r + 5 && b > 2 * g + 5'
yellow='r > b + 20 && g > b + 20 && g * 10 > r * 7'
pink='r > 30 && r > g && g * 10 > r * 7 && g - b < 5 && b - g < 5'
copper='r > 20 && g * 10 < r * 6 && g > b'
black='r + g + b == 0'

for rc in "0 0" "0 10" "30 20" "20 0" "2 3" "6.5 13" "14 10" "14 17"; do
    check "blue wall" $rc "$blue"
done
# The ghosts step onto the gate at once, one cell wide: one half of the
# gate stays in view.
gate_left=$(cell "$frame" 12 12.7)
gate_right=$(cell "$frame" 12 14.3)
is_yellow() {
    local r g b
    read -r r g b <<<"$1"
    awk -v r="$r" -v g="$g" -v b="$b" "BEGIN { exit !($yellow) }"
}
is_yellow "$gate_left" || is_yellow "$gate_right" ||
    fail "no yellow gate at row 12: colours $gate_left and $gate_right"
for rc in "1 2" "29 25" "14 5" "20 6" "26 21"; do
    check "pink pellet" $rc "$pink"
done
for rc in "1 1" "1 26" "29 1" "29 26"; do
    check "copper power pellet" $rc "$copper"
done
for rc in "14 0" "3 3" "11 2"; do
    check "black empty cell" $rc "$black"
done

press Escape
await menu_first 5 || fail "Escape did not return to the menu"
[ ! -s "$E2E_TMP/stderr" ] || fail "wrote to stderr: $(head -c 300 "$E2E_TMP/stderr")"
echo "maze: blue walls, yellow gate, pink pellets and copper power pellets from above"
