#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The main menu in the real program, driven by real key presses: "s" skips
# the intro to the menu, whose title and highlighted first line show in
# their colours; the cursor keys move the highlight; "f" on the fog line
# changes the value shown but not the picture; "p" starts play in the fog's
# grey; Escape comes back to the menu with the fog off; "q" does nothing off
# the quit line and on it ends the program with status 0. Sitting in the
# menu, the program waits for a key and uses next to no processor time.
source "$(dirname "$0")/lib.sh"

# The window rectangle "WxH+X+Y" of the world rectangle (x0, y0)-(x1, y1) in
# the plane z = 0, as the menu's camera sees it: 60 degrees, 800 x 552, the
# eye at (4, 0, 10) looking down -z.
rect() {
    awk -v x0="$1" -v y0="$2" -v x1="$3" -v y1="$4" 'BEGIN {
        f = cos(3.14159265 / 6) / sin(3.14159265 / 6); a = 800 / 552
        l = 400 + 400 * f / a * (x0 - 4) / 10; r = 400 + 400 * f / a * (x1 - 4) / 10
        t = 276 - 276 * f * y1 / 10; b = 276 - 276 * f * y0 / 10
        printf "%dx%d+%d+%d", r - l, b - t, l, t }'
}

# How many pixels of the rectangle of screenshot $1 have the hue $3 (red,
# magenta, white, orange, lightblue; fog is the fog's grey itself). Light
# dims the text, never its hue; a pixel under 16 in every channel has none.
lit='(r >= 16 || g >= 16 || b >= 16)'
declare -A hue=(
    [red]="$lit && g * 3 < r && b * 3 < r"
    [magenta]="$lit && g * 3 < r && g * 3 < b && r * 2 > b && b * 2 > r"
    [white]="$lit && r * 4 > g * 3 && r * 4 > b * 3 && g * 4 > r * 3 && g * 4 > b * 3 && b * 4 > r * 3 && b * 4 > g * 3"
    [orange]="$lit && b * 4 < r && g * 4 > r && g * 4 < r * 3"
    [lightblue]="$lit && r * 4 < b * 3 && r * 4 > b && g * 4 < b * 3 && g * 4 > b"
    [fog]="$HUE_FOG")
count() { count_in "$1" "$2" "${hue[$3]}"; }

# Where the words stand, in world units; each line's initial is drawn larger
# over the space that leads the rest of its word.
title=$(rect 1.0 3.3 5.0 4.3)
initial1=$(rect 0.0 1.85 0.40 2.55)
rest1=$(rect 0.45 1.9 3.1 2.45)
rest2=$(rect 0.45 0.9 2.8 1.45)
fogValue=$(rect 5.0 -1.1 8.4 -0.55)

# Whether screenshot $1 has line 1 (or 2) highlighted and the other not.
first_on() { [ "$(count "$1" "$rest1" magenta)" -gt 20 ] && [ "$(count "$1" "$rest2" white)" -gt 20 ]; }
second_on() { [ "$(count "$1" "$rest2" magenta)" -gt 20 ] && [ "$(count "$1" "$rest1" white)" -gt 20 ]; }
# Whether the fog value of screenshot $1 is longer than "NO FOG".
fog_chosen() { [ "$(count "$1" "$fogValue" lightblue)" -gt $((noFog + 20)) ]; }
# Whether the window's corner is the fog's grey.
fog_up() { [ "$(count "$1" 10x10+0+0 fog)" = 100 ]; }

start_x
start_game
await intro_up 15 || fail "the intro did not show"
press s
await first_on 10 || fail "after s: no menu with PLAY GAME highlighted"
[ "$(count "$img" "$title" orange)" -gt 40 ] || fail "the title is not orange"
[ "$(count "$img" "$initial1" red)" -gt 5 ] || fail "the P of PLAY GAME is not red"
[ "$(count "$img" "$initial1" white)" -eq 0 ] || fail "white in the highlighted P"
[ "$(count "$img" "$rest1" white)" -eq 0 ] || fail "white in the highlighted line"
[ "$(count "$img" "$rest2" magenta)" -eq 0 ] || fail "magenta on a line not highlighted"
noFog=$(count "$img" "$fogValue" lightblue)
[ "$noFog" -gt 20 ] || fail "the fog value is not light blue"
[ "$(pixel "$img" 5 5)" = "0 0 0" ] || fail "the menu's background is not black"
expect_waiting "the menu"

press m
await second_on 10 || fail "after m: DIFFICULTY is not highlighted"
press i
await first_on 10 || fail "after i: PLAY GAME is not highlighted again"

# "NO FOG" becomes "EXP TYPE 1", a longer value, and the menu stays black.
press m m m f
await fog_chosen 10 || fail "f left the fog value"
[ "$(pixel "$img" 5 5)" = "0 0 0" ] || fail "fog shows in the menu"

press 8 8 8 p
await fog_up 10 || fail "play did not start in the fog's grey"

press Escape
await first_on 10 || fail "after Escape: no menu with PLAY GAME highlighted"
[ "$(pixel "$img" 5 5)" = "0 0 0" ] || fail "the fog stayed on after Escape"

# "q" on PLAY GAME does nothing: the key after it is still read.
press q m
await second_on 10 || fail "q on PLAY GAME ended the program or stopped its keys"
press m m m q
await_exit 5 "q on QUIT did not end the program"
[ "$GAME_STATUS" = 0 ] || fail "quitting gave status $GAME_STATUS: $(head -c 800 "$E2E_TMP/stderr")"
echo "menu: skipped to, highlighted, moved, fog chosen and played, abandoned, quit with 0"
