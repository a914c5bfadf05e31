#!/usr/bin/env bash
# A session of real play, on a clock running four times as fast: Gobbler
# runs right along its row to the wall, is steered up the right-hand side
# onto the power pellet in the corner and runs on through the power period
# while the ghosts wander; Escape abandons the game, and QUIT in the menu
# ends the program with status 0. The test build's sanitizers watch the
# whole session: nothing may be reported and no heap record lost at exit.
source "$(dirname "$0")/lib.sh"

# The clock library is preloaded into the game's own process, where the
# sanitizer runtime has to be told to let it come first.
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1)
[ -n "$FAKETIME_LIB" ] || fail "libfaketime is not installed"
fast4() {
    exec env LD_PRELOAD="$FAKETIME_LIB" FAKETIME="+0 x4" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0" "$@"
}

# The shared leak suppressions name GLUT, and every callback of the game
# runs inside GLUT's event loop, so they would hide a leak of the game's own
# records too. This session keeps those of the GL driver and the X libraries
# only.
grep -v 'libglut' "${SOURCE_DIR:?}/tests/lsan.supp" >"$E2E_TMP/lsan.supp"
export LSAN_OPTIONS="suppressions=$E2E_TMP/lsan.supp:print_suppressions=0"

start_x
start_game fast4

press s
sleep 0.3
press p
sleep 1.5  # six seconds of play: Gobbler has reached the wall at column 26
press 8
sleep 5    # twenty seconds: the power period has come and gone
game_running || fail "mazerush ended during play"
press Escape
sleep 0.3
press 2 2 2 2 q
for _ in $(seq 1 100); do
    game_running || break
    sleep 0.1
done
game_running && fail "mazerush did not end on QUIT"
wait "$GAME_PID"
status=$?
GAME_PID=""
[ "$status" -eq 0 ] || fail "exit status $status, not 0: $(head -c 600 "$E2E_TMP/stderr")"
[ ! -s "$E2E_TMP/stderr" ] || fail "wrote to stderr: $(head -c 600 "$E2E_TMP/stderr")"
[ ! -s "$E2E_TMP/stdout" ] || fail "wrote to stdout: $(head -c 200 "$E2E_TMP/stdout")"
echo "play session: played, abandoned, quit with status 0, nothing reported"
