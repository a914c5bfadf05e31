#!/usr/bin/env bash
# A session of real play: Gobbler runs right along its row to the wall, is
# steered up the right-hand side onto the power pellet in the corner and
# runs on in the power period while the ghosts wander; Escape abandons the
# game in the middle of it, and QUIT in the menu ends the program with
# status 0. The test build's sanitizers watch the whole session: nothing may
# be reported and no heap record lost at exit. (The clock is not sped up:
# the leak check at exit does not survive the clock library.)
source "$(dirname "$0")/lib.sh"

start_x
start_game

press s
sleep 0.3
press p
sleep 3.5  # Gobbler has run along row 5 to the wall at column 26
press 8
sleep 3    # up the right-hand side onto the power pellet, then on
game_running || fail "mazerush ended during play"
press Escape
sleep 0.3
press 2 2 2 2 q
await_exit 10 "mazerush did not end on QUIT"
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS, not 0: $(grep -m 3 -E 'ERROR|SUMMARY' "$E2E_TMP/stderr")"
[ ! -s "$E2E_TMP/stderr" ] || fail "wrote to stderr: $(head -c 600 "$E2E_TMP/stderr")"
[ ! -s "$E2E_TMP/stdout" ] || fail "wrote to stdout: $(head -c 200 "$E2E_TMP/stdout")"
echo "play session: played, abandoned, quit with status 0, nothing reported"
