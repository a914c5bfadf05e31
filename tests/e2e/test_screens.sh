#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The screens around play in the real program. On a clock twice as fast,
# the intro plays through its coloured phases by itself (the shortest of
# those that count shows 3.5 s) and ends on the menu's black. Then, in a
# second run on a clock at half speed, "X" in play brings up the
# level-change screen (no maze, the yellow name, the green level line
# passing, some 13 s in view), and after its seven seconds (14 s here) the
# maze and play return. Both games start on a stopped clock, which the test
# sets going once it has seen the intro, or play.
source "$(dirname "$0")/lib.sh"

# How many pixels of a screenshot, sampled down to 200 x 138, are of each
# kind, as "blue yellow green": blue the maze's walls, yellow Gobbler and his
# name, green the level line. Text is lit by the ambient light alone, at a
# fifth of its colour.
counts() {
    "$PIXELS" "$1" sample 4 'b > 90 && r < b / 2 && g < b / 2' sample 4 'r > 40 && g > 40 && b < r / 3' \
        sample 4 'g > 40 && r < g / 3 && b < g / 3' | paste -s -d ' '
}

corner() {
    pixel "$1" 4 4
}
black_up() { [ "$(corner "$1")" = "0 0 0" ]; }

start_x

# --- The intro by itself, to the menu -------------------------------------

# Every screenshot is taken and its corner noted until three in a row are
# black: the menu.
start_game on_clock 0
await intro_up 15 || fail "the intro did not show"
clock_speed 2
declare -A seen=()
blacks=0
until_end=$((SECONDS + 120))
while [ $blacks -lt 3 ] && [ $SECONDS -le $until_end ]; do
    game_running || fail "mazerush stopped during the intro"
    last=$(shot)
    if black_up "$last"; then
        blacks=$((blacks + 1))
    else
        seen["$(corner "$last")"]=1
        blacks=0
    fi
    rm -f "$last"
done
[ $blacks -ge 3 ] || fail "the intro did not end on the menu"
[ ${#seen[@]} -ge 4 ] || fail "the intro showed only ${#seen[@]} backgrounds: ${!seen[*]}"
echo "intro: ${#seen[@]} backgrounds (${!seen[*]}), then the menu"
stop_game

# --- The level change and back to play ------------------------------------

start_game on_clock 0
await intro_up 15 || fail "the intro did not show"
press s
await black_up 10 || fail "S did not bring up the menu"
press p
await maze_up 10 || fail "no maze in play"

# Game time since X, on the clock at half speed.
now() { date +%s.%N; }
game_seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", (b - a) / 2 }'; }
clock_speed 0.5
x_typed=$(now)
press x
await maze_gone 10 || fail "X did not take the maze away"
first_seen=$(now)
read -r _ yellow _ < <(counts "$img")
[ "$yellow" -gt 5 ] || fail "no yellow Gobbler or name on the level-change screen"
# Looks until play is back: each look's start and end bound the moment the
# screen changed.
green=0
last_up=$first_seen
back=""
until_back=$((SECONDS + 40))
while [ -z "$back" ] && [ $SECONDS -le $until_back ]; do
    game_running || fail "mazerush stopped during the level change"
    look=$(now)
    last=$(shot)
    read -r blue _ g < <(counts "$last")
    rm -f "$last"
    if [ "$blue" -gt 200 ]; then
        back=$(now)
    else
        last_up=$look
        [ "$g" -gt "$green" ] && green=$g
    fi
done
[ -n "$back" ] || fail "play did not come back after the level change"
[ "$green" -gt 2 ] || fail "the green level line never passed through the view"
# The screen was up at least from its first sight to the start of the last
# look that still showed it, and at most from X to the end of the look that
# showed play again; seven seconds of game time must lie in between, with a
# second's room for the frames on either side.
shortest=$(game_seconds "$first_seen" "$last_up")
longest=$(game_seconds "$x_typed" "$back")
awk -v a="$shortest" -v b="$longest" 'BEGIN { exit !(a < 8.0 && b > 6.0) }' ||
    fail "the level change lasted between $shortest and $longest s of game time, not 7 s"
echo "level change: up for between $shortest and $longest s of game time"
