#!/usr/bin/env bash
# The intro of the real program ends on the menu by itself and is skipped
# with "s" from any point of it. On a clock twenty times faster and with no
# key pressed, the intro plays through to the menu with PLAY GAME
# highlighted. Then, on a clock eight times faster, "s" is typed early, in
# the middle and late in the intro: each time the menu comes up at once and
# stays, and other keys typed just before change nothing.
source "$(dirname "$0")/lib.sh"

intro_up() { ! pixel_is "$1" "4 4" "$HUE_BLACK"; }
menu_first() { menu_on "$1" 1; }

start_x

# --- No key: the intro runs to its end and the menu comes up ------------------

start_game faster 20
await intro_up 10 || fail "the intro did not show"
await menu_first 30 || fail "the intro did not end on the menu by itself"
kill "$GAME_PID"
wait "$GAME_PID" 2>/dev/null
GAME_PID=""
echo "intro: ran through to the menu with no key"

# --- "s" at three points of the intro -----------------------------------------

# Seconds of real time on the clock eight times faster: about 2, 28 and 56 s
# of the intro's own time, in its first credit, its middle and its last
# phases.
declare -A backgrounds=()
for wait in 0.3 3.5 7; do
    start_game faster 8
    await intro_up 10 || fail "the intro did not show"
    sleep "$wait"
    press a Return 1
    before=$(shot)
    intro_up "$before" || fail "a key other than s left the intro (at $wait s)"
    menu_first "$before" && fail "the menu already showed at $wait s: the intro is too short for this test"
    backgrounds["$(pixel "$before" 4 4)"]=1
    press s
    await menu_first 3 || fail "s at $wait s did not bring up the menu"
    # The intro is over: its clock running on changes nothing.
    sleep 1
    menu_first "$(shot)" || fail "the menu did not stay after s at $wait s"
    kill "$GAME_PID"
    wait "$GAME_PID" 2>/dev/null
    GAME_PID=""
done
[ ${#backgrounds[@]} -ge 2 ] || fail "s was pressed on only ${#backgrounds[@]} kinds of intro picture"
echo "intro: s skipped it to the menu from ${#backgrounds[@]} backgrounds (${!backgrounds[*]})"
