#!/usr/bin/env bash
# The maze in the real program: once play is reached (the intro skipped,
# PLAY GAME chosen, then paused at once so that nothing moves), the view from
# above shows blue walls, the yellow gate of the ghost house, pale pink
# pellets and the four copper power pellets, each at the screen point of its
# cell, and black where a corridor is empty.
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

press s
sleep 0.5
press p    # play starts; its first tick draws a frame
sleep 0.3
press p    # paused: the picture holds still
sleep 0.5
game_running || fail "mazerush ended on reaching play"
frame=$(shot)

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
# The red ghost steps onto the left gate cell at once; the right half of
# the gate stays in view.
check "yellow gate" 12 14.3 "$yellow"
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
sleep 0.3
game_running || fail "mazerush ended on Escape"
[ ! -s "$E2E_TMP/stderr" ] || fail "wrote to stderr: $(head -c 300 "$E2E_TMP/stderr")"
echo "maze: blue walls, yellow gate, pink pellets and copper power pellets from above"
