#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The menu's settings in the real program, and what they do to play. The
# highlight walks down the five lines and back up, stopping at either end;
# on DIFFICULTY the raise key turns "WUSS" into the longer "EXPERT" (and no
# further), on VIEW IN 3D it turns "2D VIEW" into "3D VIEW", on FOG "f"
# chooses a fog; play then starts in the fog's grey with the camera behind
# Gobbler, which stands in the middle of the window. Escape brings back the
# menu with every setting at its first value.
source "$(dirname "$0")/lib.sh"

difficulty_value=$(value_box 1)
view_value=$(value_box 0)
fog_value=$(value_box -1)

# Types key $1 and waits (up to 5 s) for the highlight on line $2; leaves
# the screenshot in $img.
highlight_on() { menu_on "$1" "$line"; }
step_to() {
    line=$2
    press "$1"
    await highlight_on 5 || fail "after $1 the highlight is not on line $2"
}

fog_up() { [ "$(count_in "$1" 10x10+0+0 "$HUE_FOG")" = 100 ]; }

start_x
start_game
await intro_up 15 || fail "the intro did not show"
press s
await menu_first 10 || fail "s did not bring up the menu"
first=$img
wuss=$(blue_in "$first" "$difficulty_value")
[ "$wuss" -gt 20 ] || fail "no difficulty value beside DIFFICULTY"

# Down to QUIT and one more, then back up to PLAY GAME and one more.
for line in 2 3 4 5 5; do step_to m "$line"; done
for line in 4 3 2 1 1; do step_to i "$line"; done

# DIFFICULTY: WUSS, then GOOD, then EXPERT, which the raise key keeps. The
# keys are read in order, so the picture in which the highlight has moved on
# shows the difficulty that the keys before it left.
step_to m 2
press 6 6
step_to m 3
expert=$(blue_in "$img" "$difficulty_value")
[ "$expert" -gt $((wuss + 20)) ] || fail "the raise key did not make the difficulty EXPERT"
step_to i 2
press 6
step_to m 3
[ "$(blue_in "$img" "$difficulty_value")" = "$expert" ] || fail "the difficulty went past EXPERT"

# VIEW IN 3D: the raise key chooses "3D VIEW".
view_changed() { [ "$(differ "$first" "$1" "$view_value")" -gt 10 ]; }
press 6
await view_changed 5 || fail "the view value did not change"

# FOG: "f" chooses "EXP TYPE 1", longer than "NO FOG"; the menu stays black.
fog_chosen() { [ "$(blue_in "$1" "$fog_value")" -gt $(($(blue_in "$first" "$fog_value") + 20)) ]; }
step_to m 4
press f
await fog_chosen 5 || fail "f did not choose a fog"
pixel_is "$img" "4 4" "$HUE_BLACK" || fail "the fog shows in the menu"

# Play: fog grey all round, Gobbler in the middle under the camera behind it.
for line in 3 2 1; do step_to i "$line"; done
press p
await fog_up 5 || fail "play did not start in the fog's grey"
mid=$(around "$(behind_point 5 14 5 14)" 6)
[ "$(count_in "$img" "$mid" "$HUE_YELLOW")" -gt 60 ] ||
    fail "Gobbler is not in the middle of the window: the camera is not behind it"
# From above, Gobbler would lie at the top of the window, a quarter across.
[ "$(count_in "$img" "$(around "$(above_point 5 14)" 6)" "$HUE_YELLOW")" -lt 10 ] ||
    fail "play shows the view from above"

# Escape: the menu again, every setting back at its first value.
press Escape
await menu_first 5 || fail "Escape did not bring back the menu"
for value in "$difficulty_value" "$view_value" "$fog_value"; do
    [ "$(differ "$first" "$img" "$value")" -eq 0 ] || fail "a setting kept its value after Escape"
done
game_running || fail "mazerush ended"
[ ! -s "$E2E_TMP/stderr" ] || fail "wrote to stderr: $(head -c 300 "$E2E_TMP/stderr")"
echo "menu settings: walked, EXPERT, 3D VIEW, fog chosen; play in fog from behind; reset by Escape"
