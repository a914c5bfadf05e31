#!/usr/bin/env bash
# The intro of the real program ends on the menu by itself and is skipped
# with "s" from any point of it. On a clock twenty times faster and with no
# key pressed, the intro plays through to the menu with PLAY GAME
# highlighted. Then, on a clock five times faster, "s" is typed early, in
# the middle and late in the intro, each found by its background: the white
# of the credits, the orange or cyan of the ghosts' chase (14 s of the
# intro's time), and any after the blue of the fleeing eyes (the last 16 s).
# Each time the menu comes up at once and stays, and other keys typed just
# before change nothing.
source "$(dirname "$0")/lib.sh"

background() { pixel "$1" 4 4; }
white_up() { [ "$(background "$1")" = "255 255 255" ]; }
chase_up() { [ "$(background "$1")" = "255 128 0" ] || [ "$(background "$1")" = "0 255 255" ]; }
blue_up() { [ "$(background "$1")" = "0 0 255" ]; }
after_blue() { ! blue_up "$1"; }

start_x

# --- No key: the intro runs to its end and the menu comes up ------------------

start_game on_clock 20
await intro_up 15 || fail "the intro did not show"
await menu_first 60 || fail "the intro did not end on the menu by itself"
stop_game
echo "intro: ran through to the menu with no key"

# --- "s" at three points of the intro -----------------------------------------

for point in early middle late; do
    start_game on_clock 5
    await intro_up 15 || fail "the intro did not show"
    case $point in
        early) await white_up 5 || fail "the intro did not open on the white of its credits" ;;
        middle) await chase_up 30 || fail "the intro never showed the orange or cyan of the chase" ;;
        late)
            await blue_up 30 || fail "the intro never showed the blue of the fleeing eyes"
            await after_blue 15 || fail "the intro stayed on the blue of the fleeing eyes"
            ;;
    esac
    seen=$(background "$img")
    press a Return 1
    before=$(shot)
    intro_up "$before" || fail "a key other than s left the intro ($point)"
    menu_first "$before" && fail "the menu already showed ($point)"
    press s
    await menu_first 3 || fail "s in the $point intro ($seen) did not bring up the menu"
    # The intro is over: its clock running on changes nothing.
    hold 1
    menu_first "$(shot)" || fail "the menu did not stay for $HELD s after s in the $point intro"
    stop_game
    echo "intro: s skipped it to the menu from its $point picture ($seen)"
done
