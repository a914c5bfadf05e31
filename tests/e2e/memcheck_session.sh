#!/usr/bin/env bash
# A whole session of the real program under valgrind's memcheck: the intro
# skipped, the menu (eight ghosts chosen, so that meetings come soon), play
# onto the power pellet in the top right corner with the ghosts about it, a
# level change, play until the ghosts have cost lives, Escape back to the
# menu and QUIT. Nothing definitely or indirectly lost may be laid to the
# program's own code, and no invalid read or write may show. Only what the
# GL driver and the X libraries allocate themselves is suppressed
# (tests/valgrind.supp matches the allocating frames, not the whole stack).
#
# Not in the default run (valgrind makes every frame slow): `make memcheck`.
# Environment: MAZERUSH, a build without sanitizers; SOURCE_DIR.
source "$(dirname "$0")/lib.sh"

: "${SOURCE_DIR:?SOURCE_DIR must name the source tree}"
LOG="${MEMCHECK_LOG:-$E2E_TMP/memcheck.log}"

start_x
start_game valgrind --tool=memcheck --trace-children=yes --keep-debuginfo=yes --leak-check=full --show-leak-kinds=definite,indirect \
    --errors-for-leak-kinds=definite,indirect --error-exitcode=3 --num-callers=30 \
    --suppressions="$SOURCE_DIR/tests/valgrind.supp" --log-file="$LOG"

sleep 20      # valgrind starts slowly, and the intro runs
press s
sleep 3
press 2 6 6 8 # difficulty up twice: eight ghosts; back to the first line
sleep 2
press p
sleep 20      # Gobbler runs right along row 5 to the wall
press 8       # up the right-hand side onto the power pellet
sleep 25      # the power period, with the ghosts about
press x       # a level change
sleep 25
sleep 40      # the ghosts catch Gobbler
game_running || fail "mazerush ended during play: $(tail -n 20 "$LOG")"
press Escape
sleep 5
press 2 2 2 2 q
await_exit 120 "mazerush did not end on QUIT"
grep -E "definitely lost|indirectly lost|Invalid (read|write)|ERROR SUMMARY" "$LOG"
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS (3: memcheck found errors); see $LOG"
grep -q "ERROR SUMMARY: 0 errors" "$LOG" || fail "memcheck reported errors; see $LOG"
echo "memcheck session: nothing lost in the program's own code, no invalid access"
