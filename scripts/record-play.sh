# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# record-play.sh: the game played from outside, as a player would, for
# run-game and shots. Sourced after tests/e2e/lib.sh; its functions drive
# the game that start_game started: they skip the intro to the menu, start
# play, and record play, with a few turns, as an animated GIF.

# Skips the intro and waits for the menu; saves its picture as $1 if given.
open_menu() {
    await intro_up 15 || fail "the intro did not show"
    press s
    await menu_first || fail "the menu did not show after S"
    [ -z "${1:-}" ] || "$PIXELS" "$img" save "$1"
}

# Chooses PLAY GAME on the menu and waits for the maze.
start_play() {
    press p
    await maze_up || fail "play did not start after P"
}

# The crop of the maze's grid points from cell (0, 0) to (30, 27) in the
# view from above, and the pixels of a row and of a column in it.
GRID_BOX=$(box "$(above_point 0 0)" "$(above_point 30 27)")
read -r GRID_ROW_PIXELS GRID_COL_PIXELS < <(awk -v b="$GRID_BOX" 'BEGIN {
    split(b, s, /[x+]/); print (s[2] - 1) / 30, (s[1] - 1) / 27 }')

# Gobbler's place "row column" (fractional) in frame $1 of play seen from
# above: the centre of the largest patch in the maze of bright yellow to red
# (red at least 70 %, green at least 30 %, blue at most 20 %), the colours of
# Gobbler's lit side, plain or powered up; nothing if there is none. The
# ghost house's gate, the yellow ghost and the power pellets are darker, the
# red ghost has too little green.
gobbler_at() {
    convert "$1" -crop "$GRID_BOX" +repage -channel B -negate \
        -channel R -threshold 70% -channel G -threshold 30% -channel B -threshold 80% \
        +channel -separate -evaluate-sequence min \
        -define connected-components:verbose=true -connected-components 8 null: 2>/dev/null |
        awk -v h="$GRID_ROW_PIXELS" -v w="$GRID_COL_PIXELS" '$NF == "gray(255)" && $4 > best {
            best = $4; split($3, c, ","); place = c[2] / h " " c[1] / w }
            END { if (best > 30) print place }'
}

# Records about $2 seconds of play in the view from above as the animated
# GIF $1, and saves its last frame as the picture $3 if given.
# A background loop takes up to ten screenshots a second and notes when each
# was taken, so that the GIF shows each frame as long as it really lasted.
# Meanwhile Gobbler follows a route through the maze (up, right, down,
# right, ...): a turn toward a wall is refused and forgotten, so, as a
# player holds a key until the opening comes, a second loop presses the
# route's current key again and again, and the next key of the route takes
# its place once a frame shows Gobbler moving that way (or standing against
# a wall, where the turn never comes).
record_play() {
    local gif=$1 seconds=$2 picture=${3:-}
    local frames="$E2E_TMP/frames" route=(8 6 2 6 2 4 2 6) next=0
    rm -rf "$frames"
    mkdir -p "$frames"
    : >"$frames/times"
    (
        start=$(date +%s%N)
        for ((i = 0; ; i++)); do
            now=$(date +%s%N)
            [ $((now - start)) -lt $((seconds * 1000000000)) ] || break
            import -window "$GAME_WIN" "$frames/$i.miff" 2>/dev/null || break
            echo "$i $now" >>"$frames/times"
            wait_ns=$((start + (i + 1) * 100000000 - $(date +%s%N)))
            [ "$wait_ns" -le 0 ] || sleep "0.$(printf '%09d' "$wait_ns")"
        done
        echo "end $(date +%s%N)" >>"$frames/times"
    ) &
    local recorder=$!
    # The key in force is replaced whole (mv), so that the presser never reads
    # half a file.
    echo "${route[0]}" >"$frames/key"
    (
        while [ ! -e "$frames/stop" ]; do
            read -r key <"$frames/key"
            press "$key"
            sleep 0.03
        done
    ) &
    local presser=$! seen=-1 last taken place before="" move moved=0 turns=0
    while kill -0 "$recorder" 2>/dev/null; do
        read -r last taken < <(tail -n 1 "$frames/times" | awk '$1 != "end"')
        if [ -z "$last" ] || [ "$last" = "$seen" ]; then
            sleep 0.02
            continue
        fi
        seen=$last
        place=$(gobbler_at "$frames/$last.miff")
        [ -n "$place" ] || continue
        # How Gobbler moved since the frame before: the key of its way (8 up,
        # 2 down, 4 left, 6 right; up to five cells, as it runs twice as fast
        # when powered up and a frame can come late), "still", or nothing
        # (through the side tunnel, or when it lost a life).
        move=$(awk -v a="${before:-$place}" -v b="$place" 'BEGIN {
            split(a, p, " "); split(b, q, " "); dr = q[1] - p[1]; dc = q[2] - p[2]
            if (dr * dr + dc * dc < 0.25) print "still"
            else if (dr > 0.7 && dr < 6) print 2; else if (dr < -0.7 && dr > -6) print 8
            else if (dc > 0.7 && dc < 6) print 6; else if (dc < -0.7 && dc > -6) print 4 }')
        before=$place
        if [ "$move" != still ] || [ "$moved" -eq 0 ]; then moved=$taken; fi
        # The route goes on once Gobbler takes its turn, or once it has stood
        # still for 0.4 s (it steps every 0.2 s), and starts again at its end.
        if [ "$move" = "${route[$next]}" ] || [ $((taken - moved)) -ge 400000000 ]; then
            [ "$move" != "${route[$next]}" ] || turns=$((turns + 1))
            next=$(((next + 1) % ${#route[@]}))
            moved=$taken
            echo "${route[$next]}" >"$frames/key.new"
            mv "$frames/key.new" "$frames/key"
        fi
    done
    touch "$frames/stop"
    wait "$recorder" "$presser"

    # Each frame lasts until the next was taken, in hundredths of a second
    # counted from the first, so that rounding does not add up.
    local args=() n
    n=$(grep -vc '^end' "$frames/times")
    [ "$n" -gt 1 ] || fail "no frames were recorded"
    mapfile -t args < <(awk -v dir="$frames" 'NR == 1 { t0 = $2 }
        { at[NR] = int(($2 - t0) / 1e7 + 0.5); id[NR] = $1 }
        END { for (k = 1; k < NR; k++) print "-delay\n" (at[k + 1] - at[k]) "\n" dir "/" id[k] ".miff" }' \
        "$frames/times")
    # Frames store only what changed since the one before (-layers Optimize):
    # 8 s come to about 200 KB.
    convert "${args[@]}" -layers Optimize "$gif" || fail "the GIF could not be made"
    [ -z "$picture" ] || convert "$frames/$((n - 1)).miff" "$picture"
    echo "recorded $n frames in $(awk '$1 == "end" { e = $2 } NR == 1 { s = $2 } END { printf "%.1f", (e - s) / 1e9 }' "$frames/times") s; Gobbler took $turns turns"
}
