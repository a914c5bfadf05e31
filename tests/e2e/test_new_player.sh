#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# What a new player tries first, in the real program: the arrow keys move
# the menu's highlight as "2" and "8" do (the special-key callback is the
# game's), and a game abandoned while paused leaves no pause behind: after
# P and Escape in play, P on the menu shows the maze of a running game, not
# the menu's frame standing still.
source "$(dirname "$0")/lib.sh"

second_on() { menu_on "$1" 2; }
left_wall_blue() { count_in "$1" "$LEFT_WALL" "$HUE_BLUE"; }

start_x
start_game
await intro_up 15 || fail "the intro did not show"
press s
await menu_first 10 || fail "s did not bring up the menu"
press Down
await second_on 10 || fail "the Down arrow did not move the highlight to DIFFICULTY"
press Up
await menu_first 10 || fail "the Up arrow did not move the highlight back to PLAY GAME"

press p
await maze_up 10 || fail "p did not start play"
press p Escape
await menu_first 10 || fail "Escape from paused play did not bring up the menu"
press p
await maze_up 10 ||
    fail "p after a game abandoned while paused shows no maze ($(left_wall_blue "$img") blue pixels on its left wall)"
echo "new player: arrows move the menu's highlight; after a paused game, P shows the maze ($(left_wall_blue "$img") blue pixels on its left wall)"
