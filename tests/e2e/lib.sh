# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# lib.sh: what the end-to-end tests share. Each test starts an X server of
# its own (Xvfb), runs the real mazerush on it, finds its window by the title
# "Gobbler", types keys through XTEST (xdotool) and reads pixels from
# screenshots of the window, taken and read by the build's own reader,
# pixels (tests/e2e/pixels.cpp): one grab a look, and answers that are
# numbers worked out from the pixels, whatever the tools around it print.
#
# Environment (ctest sets it): MAZERUSH, the program to run; BUILD_DIR;
# PIXELS, the reader (by default the one beside MAZERUSH).

set -uo pipefail

: "${MAZERUSH:?MAZERUSH must name the mazerush program}"
PIXELS=${PIXELS:-$(dirname "$MAZERUSH")/pixels}
[ -x "$PIXELS" ] || { echo "FAIL: no pixel reader at $PIXELS" >&2; exit 1; }
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/mazerush-e2e.XXXXXX")
XVFB_PID=""
GAME_PID=""
GAME_WIN=""
export LIBGL_ALWAYS_SOFTWARE=1

# Fails the test with a message. The last screenshot looked at is kept, as
# PNG, beside the build (or in the temporary directory) for whoever reads why.
fail() {
    echo "FAIL: $*" >&2
    if [ -n "${img:-}" ] && [ -f "$img" ]; then
        local keep
        keep="${BUILD_DIR:-${TMPDIR:-/tmp}}/e2e-failed-$(basename "$0" .sh).png"
        "$PIXELS" "$img" save "$keep" && echo "the last screenshot looked at: $keep" >&2
    fi
    exit 1
}

# Stops the test's X server, under the start lock, so that no other test
# takes this display number while this server is still going away.
stop_x() {
    exec 4>"${TMPDIR:-/tmp}/mazerush-e2e-xvfb.lock"
    flock 4
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    flock -u 4
    XVFB_PID=""
}

cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    [ -z "$XVFB_PID" ] || stop_x
    wait 2>/dev/null
    rm -rf "$E2E_TMP"
}
trap cleanup EXIT

# Starts an X server on a free display number and exports DISPLAY. Servers
# of tests running side by side are started one at a time (two servers
# choosing a number at the same moment can pick the same one), and the
# display is checked to answer before the test goes on.
start_x() {
    local fd_file="$E2E_TMP/display"
    exec 4>"${TMPDIR:-/tmp}/mazerush-e2e-xvfb.lock"
    flock 4
    for _attempt in 1 2 3; do
        : >"$fd_file"
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fd_file" 2>/dev/null &
        XVFB_PID=$!
        for _ in $(seq 1 100); do
            [ -s "$fd_file" ] && break
            sleep 0.05
        done
        if [ -s "$fd_file" ]; then
            export DISPLAY=":$(head -n 1 "$fd_file")"
            if xdpyinfo >/dev/null 2>&1 && kill -0 "$XVFB_PID" 2>/dev/null; then
                flock -u 4
                return 0
            fi
        fi
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    done
    flock -u 4
    fail "Xvfb did not start"
}

# In a sanitizer build the leak check at exit must see the GL driver, which
# Mesa would unload before it: a preloaded library is never unloaded, so the
# game alone (not the tools around it) gets the driver preloaded, after the
# sanitizer runtime that must come first. (ldd's whole list is read: a grep
# that stopped at the first match could end ldd before it exits, and
# pipefail would then take the match for none.)
GAME_PRELOAD=""
if [[ "$(ldd "$MAZERUSH" 2>/dev/null)" == *libasan* ]]; then
    for lib in "$(gcc -print-file-name=libasan.so)" /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so; do
        [ -e "$lib" ] && GAME_PRELOAD="$GAME_PRELOAD${GAME_PRELOAD:+:}$lib"
    done
fi

# Starts the game (with any prefix command, e.g. on_clock) and waits for its
# window. Its standard output and error go to files of the test. The prefix
# runs with the game's preloads in LD_PRELOAD, so that one which preloads a
# library of its own (on_clock) adds it after them. The game's random
# numbers are seeded with the same number in every run (MAZERUSH_SEED), so
# the ghosts take the same walk each time.
GAME_SEED=1798761632
start_game() {
    MAZERUSH_SEED=$GAME_SEED LD_PRELOAD="$GAME_PRELOAD${LD_PRELOAD:+:$LD_PRELOAD}" "$@" "$MAZERUSH" \
        >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
    GAME_PID=$!
    local until=$((SECONDS + 30))
    GAME_WIN=""
    while [ -z "$GAME_WIN" ]; do
        game_running || fail "mazerush ended before its window showed: $(head -c 400 "$E2E_TMP/stderr")"
        [ $SECONDS -le $until ] || fail "no window titled Gobbler showed within 30 s"
        GAME_WIN=$(xdotool search --onlyvisible --name '^Gobbler$' 2>/dev/null | head -n 1)
        [ -n "$GAME_WIN" ] || sleep 0.05
    done
    # Keys go to the window that has the focus: a key typed before it has
    # it would be lost.
    xdotool windowfocus --sync "$GAME_WIN" 2>/dev/null
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$GAME_WIN" ] || fail "the game's window did not take the focus"
}

game_running() {
    kill -0 "$GAME_PID" 2>/dev/null
}

# Waits up to $1 seconds for the game to end by itself, fails with the
# message $2 if it does not, and leaves its exit status in GAME_STATUS.
await_exit() {
    local until=$((SECONDS + $1))
    while game_running && [ $SECONDS -le $until ]; do
        sleep 0.1
    done
    game_running && fail "$2"
    wait "$GAME_PID"
    GAME_STATUS=$?
    GAME_PID=""
}

# Ends the game the test started and waits until it is gone.
stop_game() {
    kill "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
    GAME_PID=""
}

# Lets $1 seconds pass, for a check about time itself (a screen that must
# stay, a program that must keep running); leaves the seconds that really
# passed in HELD, for the check's message.
hold() {
    local from
    from=$(date +%s.%N)
    sleep "$1"
    HELD=$(awk -v a="$from" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
}

# Measures the share of one core that the game uses over the next $1
# seconds: the user and system time of all its threads against the real
# time that passed. Leaves the share in CPU_SHARE and the seconds in HELD.
cpu_share() {
    local hz c0 c1 t0 t1
    hz=$(getconf CLK_TCK)
    c0=$(awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat")
    t0=$(date +%s.%N)
    sleep "$1"
    c1=$(awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat")
    t1=$(date +%s.%N)
    HELD=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.2f", b - a }')
    CPU_SHARE=$(awk -v c0="$c0" -v c1="$c1" -v s="$HELD" -v hz="$hz" \
        'BEGIN { printf "%.3f", (c1 - c0) / hz / s }')
}

# Fails unless the game, on screen $1 where nothing moves, uses under a
# tenth of a core over 2 s: it waits for a key instead of spinning.
expect_waiting() {
    cpu_share 2
    awk -v s="$CPU_SHARE" 'BEGIN { exit !(s < 0.1) }' ||
        fail "$1 took $CPU_SHARE of a core over $HELD s: the game does not wait for a key"
    echo "$1: $CPU_SHARE of a core over $HELD s"
}

# Types keys (xdotool names: s, Escape, Down, ...) into the focused game
# window through XTEST.
press() {
    for k in "$@"; do
        xdotool key --delay 30 "$k"
    done
}

# Saves a screenshot of the game's window (a PPM file of its own); prints
# its path.
shot() {
    local out
    out=$(mktemp "$E2E_TMP/shot-XXXXXX") && "$PIXELS" grab "$GAME_WIN" "$out" || fail "screenshot failed"
    echo "$out"
}

# The colour "r g b" (0..255) at (x, y) of a screenshot, y from the top.
pixel() {
    "$PIXELS" "$1" at "$2" "$3"
}

# --- Where world points land on the screen --------------------------------

# Screen point "x y" (whole pixels from the window's top left) of the world
# point (px, py, pz) seen through gluPerspective(fovy, 800 / 552) after
# gluLookAt(eye, centre, up), the way every camera of the game is set up.
project() {
    awk -v fovy="$1" -v ex="$2" -v ey="$3" -v ez="$4" -v cx="$5" -v cy="$6" -v cz="$7" \
        -v ux="$8" -v uy="$9" -v uz="${10}" -v px="${11}" -v py="${12}" -v pz="${13}" \
        -v w="${WINDOW_W:-800}" -v h="${WINDOW_H:-552}" 'BEGIN {
        # f: the view direction; s = f x up; u = s x f (as gluLookAt does).
        fx = cx - ex; fy = cy - ey; fz = cz - ez
        n = sqrt(fx * fx + fy * fy + fz * fz); fx /= n; fy /= n; fz /= n
        sx = fy * uz - fz * uy; sy = fz * ux - fx * uz; sz = fx * uy - fy * ux
        n = sqrt(sx * sx + sy * sy + sz * sz); sx /= n; sy /= n; sz /= n
        vx = sy * fz - sz * fy; vy = sz * fx - sx * fz; vz = sx * fy - sy * fx
        dx = px - ex; dy = py - ey; dz = pz - ez
        xe = sx * dx + sy * dy + sz * dz
        ye = vx * dx + vy * dy + vz * dz
        d = fx * dx + fy * dy + fz * dz
        a = fovy * 3.14159265358979 / 360; cot = cos(a) / sin(a)
        ndcx = cot / (w / h) * xe / d; ndcy = cot * ye / d
        printf "%d %d\n", (ndcx + 1) * w / 2, (1 - ndcy) * h / 2
    }'
}

# Grid point (row, column) of the maze at height y (default the floor), in
# play's world: row 15 and column 14 at the origin, rows along +x, columns
# along -z, one unit a cell.
grid_world() {
    awk -v r="$1" -v c="$2" -v y="${3:-0}" 'BEGIN { print r - 15, y, 14 - c }'
}

# Screen point of grid point (row, column [, y]) in the view from above: the
# eye 30 up over the maze's centre (nudged along x), up along +y.
above_point() {
    # shellcheck disable=SC2046
    project 60 0.01 30 0 0 0 0 0 1 0 $(grid_world "$@")
}

# Screen point of grid point (row, column [, y]) in the 3D view, the camera
# 5 up and 5 behind Gobbler standing on (gobRow, gobCol):
# behind_point gobRow gobCol row column [y].
behind_point() {
    local gx gz
    read -r gx _ gz < <(grid_world "$1" "$2")
    shift 2
    # shellcheck disable=SC2046
    project 60 "$gx" 5 "$(awk -v z="$gz" 'BEGIN { print z + 5 }')" "$gx" 0 "$gz" 0 1 0 $(grid_world "$@")
}

# Screen point of world point (x, y [, z]) seen by the camera of the menu
# and the game-over screen: the eye at (4, 0, 10) looking down -z.
screen_point() {
    project 60 4 0 10 4 0 0 0 1 0 "$1" "$2" "${3:-0}"
}

# A box "WxH+X+Y" of the box spanned by two screen points "x0 y0" "x1 y1".
box() {
    awk -v a="$1" -v b="$2" 'BEGIN {
        split(a, p, " "); split(b, q, " ")
        l = p[1] < q[1] ? p[1] : q[1]; r = p[1] < q[1] ? q[1] : p[1]
        t = p[2] < q[2] ? p[2] : q[2]; u = p[2] < q[2] ? q[2] : p[2]
        printf "%dx%d+%d+%d\n", r - l + 1, u - t + 1, l, t }'
}

# A box of (2 half + 1) pixels square centred on screen point "x y".
around() {
    awk -v a="$1" -v n="$2" 'BEGIN { split(a, p, " ")
        printf "%dx%d+%d+%d\n", 2 * n + 1, 2 * n + 1, p[1] - n, p[2] - n }'
}

# --- Colours ----------------------------------------------------------------

# Tests of a pixel's r, g, b (0..255), awk expressions that pixels reads,
# for the game's colours as its light shows them.
HUE_YELLOW='r > b + 40 && g > b + 40 && g * 10 > r * 7'
HUE_PINK='r > 30 && r > g && g * 10 > r * 7 && g - b < 5 && b - g < 5'
HUE_BLUE='b > 25 && b > 2 * r + 5 && b > 2 * g + 5'
HUE_BLACK='r + g + b == 0'
HUE_MAGENTA='r > 40 && g * 3 < r && g * 3 < b && r * 2 > b && b * 2 > r'
HUE_RED='r > 40 && g * 3 < r && b * 3 < r'
HUE_GREEN='g > 40 && r * 3 < g && b * 3 < g'
HUE_LIME='g > 60 && r * 10 > g * 3 && r * 10 < g * 7 && b * 5 < g'
HUE_WHITE='r > 25 && r - g < 20 && g - r < 20 && r - b < 20 && b - r < 20'
HUE_LIT='r + g + b > 127'
HUE_FOG='r >= 126 && r <= 130 && g == r && b == r'

# How many pixels of box $2 ("WxH+X+Y") of screenshot $1 pass test $3.
count_in() {
    "$PIXELS" "$1" count "$2" "$3"
}

# Whether the pixel at screen point "x y" of screenshot $1 passes test $3.
pixel_is() {
    [ "$("$PIXELS" "$1" count "1x1+${2% *}+${2#* }" "$3")" = 1 ]
}

# How many pixels differ between two screenshots, in box $3 if given.
differ() {
    "$PIXELS" "$1" differ "$2" "${3:-all}"
}

# Polls screenshots (the last in $img) until command "$1 $img" holds, for up
# to $2 seconds (default 15); returns 1 if it never did. Every check of the
# picture after a key waits this way: a key's effect shows only once the
# game has read it and drawn a frame, and the first frame of a new screen
# can take the software renderer hundreds of milliseconds.
# The screenshots that did not pass are removed as the next is taken (the
# last stays, for fail).
await() {
    local until=$((SECONDS + ${2:-15}))
    img=""
    while [ $SECONDS -le $until ]; do
        game_running || fail "mazerush stopped"
        [ -z "$img" ] || rm -f "$img"
        img=$(shot)
        "$1" "$img" && return 0
        sleep 0.1
    done
    return 1
}

# Runs a command on a clock of its own (fakeclock, preloaded into the game
# after the sanitizer runtime) that goes $1 times as fast as the real one:
# start_game on_clock 20; 0 stops it. clock_speed sets a new speed while the
# game runs, from the game's next reading of its clock on, without a jump;
# clock_speed "1 -3600" also sets the clock an hour back, at once.
# A picture that shows only for a stretch of the game's time is awaited on
# a clock slow enough that it stays several seconds, and whatever is checked
# once it showed is checked with the clock stopped.
FAKECLOCK=${FAKECLOCK:-$(dirname "$PIXELS")/libfakeclock.so}
on_clock() {
    [ -e "$FAKECLOCK" ] || fail "no fake clock at $FAKECLOCK"
    clock_speed "$1"
    shift
    exec env LD_PRELOAD="${LD_PRELOAD:+$LD_PRELOAD:}$FAKECLOCK" FAKECLOCK_SPEED_FILE="$E2E_TMP/clock" "$@"
}
clock_speed() {
    echo "$1" >"$E2E_TMP/clock.new" && mv "$E2E_TMP/clock.new" "$E2E_TMP/clock"
}

# --- The menu -----------------------------------------------------------------

# The box of the rest of menu line $1 (1 PLAY GAME .. 5 QUIT), whose
# baseline stands at y = 3 - line; the rest of its word runs from x = 0.45.
menu_line() {
    local y
    y=$(awk -v n="$1" 'BEGIN { print 3 - n }')
    box "$(screen_point 0.45 "$(awk -v y="$y" 'BEGIN { print y - 0.05 }')")" \
        "$(screen_point 2.4 "$(awk -v y="$y" 'BEGIN { print y + 0.5 }')")"
}

# The five line boxes, worked out once.
MENU_LINES=()
for n in 1 2 3 4 5; do
    MENU_LINES+=("$(menu_line "$n")")
done

# Whether screenshot $1 is the menu with line $2 highlighted: magenta there,
# white (lit at a fifth, by the ambient light alone) and no magenta on
# every other line. One look answers both hues on every line.
menu_on() {
    local questions=() counts=() line n
    for line in "${MENU_LINES[@]}"; do
        questions+=(count "$line" "$HUE_MAGENTA" count "$line" "$HUE_WHITE")
    done
    mapfile -t counts < <("$PIXELS" "$1" "${questions[@]}")
    [ ${#counts[@]} = 10 ] || return 1
    for n in 1 2 3 4 5; do
        local magenta=${counts[$((2 * n - 2))]} white=${counts[$((2 * n - 1))]}
        if [ "$n" = "$2" ]; then
            [ "$magenta" -gt 20 ] || return 1
        else
            [ "$magenta" -eq 0 ] && [ "$white" -gt 20 ] || return 1
        fi
    done
}

# The box of the light-blue value right of the menu line whose baseline
# stands at y = $1 (DIFFICULTY 1, VIEW IN 3D 0, FOG -1), from x = 5.
value_box() {
    box "$(screen_point 5 "$(awk -v y="$1" 'BEGIN { print y - 0.05 }')")" \
        "$(screen_point 9 "$(awk -v y="$1" 'BEGIN { print y + 0.5 }')")"
}
HUE_LIGHTBLUE='b > 40 && r * 4 < b * 3 && r * 4 > b && g * 4 < b * 3 && g * 4 > b'
blue_in() { count_in "$1" "$2" "$HUE_LIGHTBLUE"; }

# Whether screenshot $1 is the menu with PLAY GAME highlighted, as it comes
# up after the intro and after every abandoned game.
menu_first() { menu_on "$1" 1; }

# Whether screenshot $1 shows the intro: every intro phase has a coloured
# background, the menu and play a black one (without fog).
intro_up() { ! pixel_is "$1" "4 4" "$HUE_BLACK"; }

# --- Play seen from above -------------------------------------------------------

# The maze's left wall, always in view from above and never covered: play is
# up when it is blue, and gone (another screen) when it is not.
LEFT_WALL=$(box "$(above_point -0.5 -0.3)" "$(above_point 30.5 0.3)")
MAZE_BOX=$(box "$(above_point -0.5 -0.5)" "$(above_point 30.5 27.5)")
maze_up() { [ "$(count_in "$1" "$LEFT_WALL" "$HUE_BLUE")" -gt 1000 ]; }
maze_gone() { [ "$(count_in "$1" "$LEFT_WALL" "$HUE_BLUE")" -lt 20 ]; }

# Whether Gobbler stands on cell (row, column) of screenshot $1: its yellow,
# lit side and shaded side alike, fills more of the 13 x 13 pixels about
# the cell's point than about any of the four cells next to it, and more
# than 40 of them, however wide its jaws stand.
gob_on() {
    local questions=() n=() rc i
    for rc in "$2 $3" "$(($2 - 1)) $3" "$2 $(($3 + 1))" "$(($2 + 1)) $3" "$2 $(($3 - 1))"; do
        # shellcheck disable=SC2086
        questions+=(count "$(around "$(above_point $rc)" 6)" "$HUE_YELLOW")
    done
    mapfile -t n < <("$PIXELS" "$1" "${questions[@]}")
    [ ${#n[@]} = 5 ] && [ "${n[0]}" -gt 40 ] || return 1
    for i in 1 2 3 4; do
        [ "${n[i]}" -lt "${n[0]}" ] || return 1
    done
}

# The score: white text lying beside the maze, from row 26.3 to 29.5 and
# from column 28.7 on. Whether the score in screenshot $1 differs from the
# one in screenshot $score_before.
SCORE_BOX=$(box "$(above_point 26.3 28.7)" "$(above_point 29.5 40)")
score_changed() { [ "$(differ "$score_before" "$1" "$SCORE_BOX")" -gt 20 ]; }

# Whether screenshot $1 is the game-over screen: no maze; Gobbler lying at
# (4, -1) in front of the camera of the screens around play; the white
# words above it, from x = 0 at y = 1 (nearer the eye, at z = 3).
GAME_OVER_GOB=$(around "$(screen_point 4 -1)" 8)
GAME_OVER_WORDS=$(box "$(screen_point 0 1 3)" "$(screen_point 5 2.2 3)")
game_over_up() {
    ! maze_up "$1" &&
        [ "$(count_in "$1" "$GAME_OVER_GOB" "$HUE_YELLOW")" -gt 100 ] &&
        [ "$(count_in "$1" "$GAME_OVER_WORDS" "$HUE_WHITE")" -gt 100 ]
}

# How many lives screenshot $1 shows: one chomping Gobbler for each, beside
# the maze at rows 1, 3 and 5 of column 31.
lives_shown() {
    local i questions=()
    for i in 1 3 5; do
        questions+=(count "$(around "$(above_point $i 31)" 10)" "$HUE_YELLOW")
    done
    "$PIXELS" "$1" "${questions[@]}" | awk '$1 > 100 { n++ } END { print n + 0 }'
}

# --- What an installation carries --------------------------------------------

# Checks the files installed under prefix $1 (e.g. a prefix of cmake
# --install, or usr/ of the unpacked package) besides the program, for
# version $2: the desktop entry (desktop-file-validate finds nothing), its
# icon, the AppStream metainfo (appstreamcli finds no error; its id and
# launchable are the entry's), the manual page (formats with no warning)
# and the changelog, all of that version.
check_installed_data() {
    local prefix=$1 version=$2 out id
    local entry="$prefix/share/applications/mazerush.desktop"
    local icon="$prefix/share/icons/hicolor/128x128/apps/mazerush.png"
    local metainfo="$prefix/share/metainfo/mazerush.metainfo.xml"
    local manpage="$prefix/share/man/man6/mazerush.6.gz"
    local docs="$prefix/share/doc/mazerush"

    out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate warns: $out"
    grep -qx 'Exec=mazerush' "$entry" || fail "the entry does not start mazerush"
    grep -qx 'Icon=mazerush' "$entry" || fail "the entry does not name the icon mazerush"
    grep -qx 'Type=Application' "$entry" || fail "the entry is not an application"
    grep -q '^Categories=.*Game;' "$entry" || fail "the entry is not in the Game category"

    [ "$("$PIXELS" "$icon" size)" = "128 128" ] || fail "the icon is no 128x128 image"
    # The icon shows Gobbler: yellow (red and green over 45 %, blue under
    # 30 %) fills much of it.
    out=$("$PIXELS" "$icon" count all 'r > 114.75 && g > 114.75 && b < 76.5')
    [ "$out" -gt 2500 ] || fail "the icon has only $out yellow pixels"

    out=$(appstreamcli validate --no-net "$metainfo" 2>&1)
    ! grep -q '^E:' <<<"$out" || fail "appstreamcli validate: $out"
    echo "appstreamcli validate --no-net: $(grep -E '^[WI]:' <<<"$out" | tr '\n' ';')"
    id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")
    [ "$id.desktop" = "$(basename "$entry")" ] || fail "metainfo id $id is not the desktop entry's"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo does not launch $id.desktop"
    grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo's release is not $version"

    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings=w -l "$manpage" 2>&1 >"$E2E_TMP/man.txt") ||
        fail "man could not format the manual page: $out"
    [ -z "$out" ] || fail "the manual page formats with warnings: $out"
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS RULES 'EXIT STATUS' FILES; do
        grep -qx "$section" "$E2E_TMP/man.txt" || fail "the manual page has no $section section"
    done
    grep -q "^mazerush $version " "$E2E_TMP/man.txt" || fail "the manual page is not of version $version"

    # The copyright file is Debian's machine-readable one, of the GPL, version
    # 2 or later.
    [ "$(head -n 1 "$docs/copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
        fail "the copyright file is not machine-readable"
    grep -qx 'License: GPL-2+' "$docs/copyright" || fail "the copyright file names no GPL-2+"
    zcat "$docs/changelog.gz" | head -n 1 | grep -q "^mazerush ($version) " ||
        fail "the changelog does not start with version $version"
}
