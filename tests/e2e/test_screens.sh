#!/usr/bin/env bash
# The screens around play in the real program. On a clock twenty times
# faster, the intro plays through its coloured phases by itself and ends on
# the menu's black. Then, in a second run on a clock twice as fast, "X" in
# play brings up the level-change screen (no maze, the yellow name, the green
# level line passing), and after its seven seconds the maze and play return.
source "$(dirname "$0")/lib.sh"

# The game on a faster clock, with the clock library preloaded into the game
# itself (so that the process started is the game's, and the sanitizer
# runtime lets the library come first). Allocations are unwound the quick
# way: a full unwind deadlocks once the software renderer has compiled code.
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
[ -n "$FAKETIME_LIB" ] || fail "libfaketime is not installed"
fast() {
    local speed=$1
    shift
    exec env LD_PRELOAD="$FAKETIME_LIB" FAKETIME="+0 x$speed" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}:fast_unwind_on_malloc=1:verify_asan_link_order=0" "$@"
}

# How many pixels of a screenshot, sampled down to 200 x 138, are of each
# kind, as "blue yellow green": blue the maze's walls, yellow Gobbler and his
# name, green the level line. Text is lit by the ambient light alone, at a
# fifth of its colour.
counts() {
    convert "$1" -sample '200x138!' -depth 8 txt:- |
        sed -nE 's/^[0-9]+,[0-9]+: \(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/p' |
        awk '$3 > 90 && $1 < $3 / 2 && $2 < $3 / 2 { blue++ }
             $1 > 40 && $2 > 40 && $3 < $1 / 3 { yellow++ }
             $2 > 40 && $1 < $2 / 3 && $3 < $2 / 3 { green++ }
             END { print blue + 0, yellow + 0, green + 0 }'
}

corner() {
    pixel "$1" 4 4
}
intro_up() { [ "$(corner "$1")" != "0 0 0" ]; }
black_up() { [ "$(corner "$1")" = "0 0 0" ]; }
maze_up() { [ "$(counts "$1" | cut -d' ' -f1)" -gt 200 ]; }
maze_gone() { [ "$(counts "$1" | cut -d' ' -f1)" -lt 20 ]; }

# Polls screenshots (into $last) until the test holds; fails after ~20 s.
wait_for() {
    for _ in $(seq 1 100); do
        game_running || fail "mazerush stopped"
        last=$(shot)
        "$1" "$last" && return 0
        sleep 0.1
    done
    fail "$2"
}

start_x

# --- The intro by itself, to the menu -------------------------------------

start_game fast 20
wait_for intro_up "the intro did not show"
declare -A seen=()
blacks=0
for _ in $(seq 1 600); do
    [ $blacks -lt 3 ] || break
    wait_for true ""
    if black_up "$last"; then
        blacks=$((blacks + 1))
    else
        seen["$(corner "$last")"]=1
        blacks=0
    fi
done
[ $blacks -ge 3 ] || fail "the intro did not end on the menu"
[ ${#seen[@]} -ge 4 ] || fail "the intro showed only ${#seen[@]} backgrounds: ${!seen[*]}"
echo "intro: ${#seen[@]} backgrounds (${!seen[*]}), then the menu"
kill "$GAME_PID"
wait "$GAME_PID" 2>/dev/null
GAME_PID=""

# --- The level change and back to play ------------------------------------

start_game fast 2
wait_for intro_up "the intro did not show"
press s
wait_for black_up "S did not bring up the menu"
press p
wait_for maze_up "no maze in play"

press x
start=$(date +%s.%N)
wait_for maze_gone "X did not take the maze away"
read -r _ yellow _ < <(counts "$last")
[ "$yellow" -gt 5 ] || fail "no yellow Gobbler or name on the level-change screen"
# Game time since X, on the clock twice as fast.
since_x() {
    awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", (b - a) * 2 }'
}
green=0
up_until=0
for _ in $(seq 1 100); do
    game_running || fail "mazerush stopped during the level change"
    before=$(since_x)
    read -r blue _ g < <(counts "$(shot)")
    [ "$blue" -gt 200 ] && break
    up_until=$before
    [ "$g" -gt "$green" ] && green=$g
done
back=$(since_x)
[ "$blue" -gt 200 ] || fail "play did not come back after the level change"
[ "$green" -gt 2 ] || fail "the green level line never passed through the view"
# Seven seconds of game time: still up when a look began after 5 s, play
# back by a look that ended before 11 s.
awk -v a="$up_until" -v b="$back" 'BEGIN { exit !(a > 5.0 && b < 11.0) }' ||
    fail "the level change was up until $up_until s, play back by $back s"
echo "level change: up at $up_until s of game time after X, play again by $back s"
