#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The real program when the world around it misbehaves. Its window destroyed
# from outside on every screen and while hidden, the game cut off by xkill,
# its X server stopped: each time it ends within 5 s with status 1 and one
# line of its own on stderr. A wall clock set back an hour in play does not
# stand it still. Keys reach the game before the window's end, so the
# screen is the one the keys typed last lead to.
source "$(dirname "$0")/lib.sh"

# Starts the game on clock $1 and types keys $2.. once the intro is up.
start_with_keys() {
    start_game on_clock "$1"
    await intro_up 15 || fail "the intro did not show"
    press "${@:2}"
}

# Ends the game's window by $1 (destroy: XDestroyWindow, as xdotool's
# windowclose does on Debian 12 and 13; xkill; server) on screen $2 and
# checks how the game ended.
expect_end() {
    case $1 in
    destroy) xdotool windowclose "$GAME_WIN" ;;
    xkill) xkill -id "$GAME_WIN" >/dev/null ;;
    server) stop_x ;;
    esac
    await_exit 5 "mazerush ran on for 5 s after $1 on $2"
    local said
    said=$(head -c 600 "$E2E_TMP/stderr")
    [ "$GAME_STATUS" = 1 ] && [ "$(wc -l <"$E2E_TMP/stderr")" = 1 ] && [[ "$said" == "mazerush: "* ]] ||
        fail "after $1 on $2: status $GAME_STATUS, stderr: $said"
    echo "$1 on $2: status 1, \"$said\""
}

start_x
start_with_keys 1 && expect_end destroy intro
start_with_keys 1 s && expect_end destroy menu
start_with_keys 1 s p && expect_end destroy play
start_with_keys 1 s p p && expect_end destroy pause
start_with_keys 1 s p x && expect_end destroy "level change"
start_with_keys 1 s && xdotool windowunmap --sync "$GAME_WIN" && expect_end destroy "hidden menu"
start_with_keys 1 s && expect_end xkill menu

# Play on a stopped clock, then the clock set back an hour and running:
# Gobbler, sent left, eats and the score changes.
start_with_keys 0 s p
await maze_up 10 || fail "p did not start play"
score_before=$img
clock_speed "1 -3600"
press j
await score_changed 10 || fail "with the clock set back an hour, Gobbler ate nothing in 10 s"
echo "play with the clock set back an hour: the score changed"
stop_game

# EXPERT (m 6 6 raises the difficulty, i goes back to PLAY GAME) on a clock
# ten times as fast, for game over; then play, and the X server stops.
start_with_keys 10 s m 6 6 i p
await game_over_up 120 || fail "the ghosts did not end the game"
expect_end destroy "game over"
start_with_keys 1 s p && expect_end server play
