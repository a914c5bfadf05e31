#!/usr/bin/env bash
# Play in the real program: after the intro is skipped and PLAY GAME chosen,
# Gobbler is seen on its row from above, the score beside the maze changes
# as it eats, "T" switches to the camera behind Gobbler (which then stands
# in the middle of the window) and back, and Escape returns to the menu.
source "$(dirname "$0")/lib.sh"

# Pixels of a window region (w x h at x, y from the top left) that pass an
# fx test; prints their number.
count() {
    convert "$1" -crop "$2x$3+$4+$5" +repage -fx "$6" -format '%[fx:int(mean*w*h+0.5)]' info:
}
yellow='(r>0.45&&g>0.45&&b<0.3)?1:0'
lit='(r+g+b>0.5)?1:0'

start_x
start_game

press s
sleep 0.5
press p
sleep 0.3

# From above, 800 x 552: row 5, where Gobbler starts and runs right, lies
# about 117 pixels from the top; column 13 about 384 from the left, and a
# cell is about 12.7 pixels. The score lies from about (639, 461) on.
first=$(shot)
n=$(count "$first" 280 40 360 97 "$yellow")
[ "$n" -gt 150 ] || fail "no Gobbler on row 5 from above ($n yellow pixels)"
# The middle of the window is the ghost house from above.
n=$(count "$first" 30 30 385 261 "$yellow")
[ "$n" -lt 100 ] || fail "Gobbler in the middle of the view from above ($n yellow pixels)"
score_first=$(count "$first" 150 60 625 450 "$lit")
[ "$score_first" -gt 20 ] || fail "no score beside the maze ($score_first lit pixels)"

sleep 1.5
second=$(shot)
score_diff=$(compare -metric AE "$first" "$second" -crop 150x60+625+450 null: 2>&1 || true)
score_diff=${score_diff%% *}
[ "${score_diff%.*}" -gt 10 ] || fail "the score did not change on screen ($score_diff pixels)"

# Behind the player: the camera looks at Gobbler, in the middle of the window.
press t
sleep 0.4
behind=$(shot)
n=$(count "$behind" 30 30 385 261 "$yellow")
[ "$n" -gt 400 ] || fail "no Gobbler in the middle of the 3D view ($n yellow pixels)"

# And back to the view from above.
press t
sleep 0.4
above=$(shot)
n=$(count "$above" 280 40 360 97 "$yellow")
[ "$n" -gt 150 ] || fail "T did not switch back to the view from above ($n yellow pixels)"
n=$(count "$above" 30 30 385 261 "$yellow")
[ "$n" -lt 100 ] || fail "T did not switch back: Gobbler still in the middle ($n yellow pixels)"

press Escape
sleep 0.3
game_running || fail "mazerush ended on Escape"
[ ! -s "$E2E_TMP/stderr" ] || fail "wrote to stderr: $(head -c 300 "$E2E_TMP/stderr")"
echo "play: Gobbler from above and behind, the score changes, T switches views"
