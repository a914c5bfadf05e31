#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The intro of the real program ends on the menu by itself and is skipped
# with "s" from any point of it. With no key pressed, the intro plays
# through to the menu with PLAY GAME highlighted, on a clock twenty times
# faster. Then "s" is typed early, in the middle and late in the intro, each
# found by its background: the white of the credits, the orange or cyan of
# the ghosts' chase, and any after the blue of the fleeing eyes. Each time
# the menu comes up at once and stays, and other keys typed just before
# change nothing.
#
# Every game starts on a stopped clock, so that the intro's first picture
# waits for the test. The phase sought is awaited on a clock at most twice
# as fast as the real one (the chase shows 7 s, the blue 7 s), and once it
# shows the clock stops, so that the keys meet that very phase.
source "$(dirname "$0")/lib.sh"

background() { pixel "$1" 4 4; }
white_up() { [ "$(background "$1")" = "255 255 255" ]; }
chase_up() { [ "$(background "$1")" = "255 128 0" ] || [ "$(background "$1")" = "0 255 255" ]; }
blue_up() { [ "$(background "$1")" = "0 0 255" ]; }
after_blue() { ! blue_up "$1"; }

start_x

# --- No key: the intro runs to its end and the menu comes up ------------------

start_game on_clock 0
await intro_up 15 || fail "the intro did not show"
clock_speed 20
await menu_first 60 || fail "the intro did not end on the menu by itself"
stop_game
echo "intro: ran through to the menu with no key"

# --- "s" at three points of the intro -----------------------------------------

for point in early middle late; do
    start_game on_clock 0
    await intro_up 15 || fail "the intro did not show"
    clock_speed 2
    case $point in
        early) await white_up 5 || fail "the intro did not open on the white of its credits" ;;
        middle) await chase_up 30 || fail "the intro never showed the orange or cyan of the chase" ;;
        late)
            # The chase shows for 7 s, then the shake and Gobbler's chase
            # come before the fleeing eyes, awaited on the real clock.
            await chase_up 30 || fail "the intro never showed the orange or cyan of the chase"
            clock_speed 1
            await blue_up 30 || fail "the intro never showed the blue of the fleeing eyes"
            await after_blue 15 || fail "the intro stayed on the blue of the fleeing eyes"
            ;;
    esac
    clock_speed 0
    seen=$(background "$img")
    press a Return 1
    before=$(shot)
    intro_up "$before" || fail "a key other than s left the intro ($point)"
    menu_first "$before" && fail "the menu already showed ($point)"
    press s
    await menu_first 3 || fail "s in the $point intro ($seen) did not bring up the menu"
    # The intro is over: its clock running on changes nothing.
    clock_speed 5
    hold 1
    menu_first "$(shot)" || fail "the menu did not stay for $HELD s after s in the $point intro"
    stop_game
    echo "intro: s skipped it to the menu from its $point picture ($seen)"
done
