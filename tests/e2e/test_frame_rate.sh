#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The level-change screen of the real program draws at most 60 frames a
# second, however fast the machine: each of its frames adds 5 points, so
# its rate is the pace of the score. A library preloaded into the game
# (bench/shim/swapcount.cpp) counts the frames it shows and notes the time
# of the latest; "x" in play brings up the screen, and three seconds of its
# frames, timed by the frames themselves, must come at no more than 61 a
# second (60, and one at the edge of the count).
source "$(dirname "$0")/lib.sh"

SWAPCOUNT=${SWAPCOUNT:-$(dirname "$MAZERUSH")/libswapcount.so}
[ -e "$SWAPCOUNT" ] || fail "no frame counter at $SWAPCOUNT (built beside mazerush)"
FRAMES="$E2E_TMP/frames"

# Runs a command with the frame counter preloaded after the game's own
# preloads; the counter keeps "frames seconds" in $FRAMES.
count_frames() {
    exec env LD_PRELOAD="${LD_PRELOAD:+$LD_PRELOAD:}$SWAPCOUNT" MAZERUSH_SWAPCOUNT="$FRAMES" "$@"
}

# Waits up to $2 s for a frame at least $1 s (on the counter's clock) after
# the latest frame counted now; leaves its count and time in FRAME_N and
# FRAME_T.
await_frames_for() {
    local from until=$((SECONDS + $2))
    read -r _ from <"$FRAMES"
    while :; do
        game_running || fail "mazerush stopped"
        read -r FRAME_N FRAME_T <"$FRAMES"
        awk -v a="$from" -v b="$FRAME_T" -v s="$1" 'BEGIN { exit !(b - a >= s) }' && return 0
        [ $SECONDS -le $until ] || fail "no frame $1 s after the one at $from s within $2 s"
        sleep 0.1
    done
}

start_x
start_game count_frames
await intro_up 15 || fail "the intro did not show"
press s
await menu_first 10 || fail "s did not bring up the menu"
press p
await maze_up 10 || fail "p did not start play"

# The screen lasts 7 s: half a second after "x" it is up, and the three
# seconds counted then end well before it does.
press x
await_frames_for 0.5 10
n0=$FRAME_N t0=$FRAME_T
await_frames_for 3 10
n1=$FRAME_N t1=$FRAME_T
maze_gone "$(shot)" || fail "the level change was not up when its frames had been counted"

rate=$(awk -v n="$((n1 - n0))" -v s="$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')" \
    'BEGIN { printf "%.1f", n / s }')
awk -v r="$rate" 'BEGIN { exit !(r <= 61) }' ||
    fail "the level change drew $rate frames a second ($((n1 - n0)) frames from $t0 s to $t1 s)"
echo "level change: $rate frames a second ($((n1 - n0)) frames from $t0 s to $t1 s)"
