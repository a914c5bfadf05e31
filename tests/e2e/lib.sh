# lib.sh: what the end-to-end tests share. Each test starts an X server of
# its own (Xvfb), runs the real mazerush on it, finds its window by the title
# "Gobbler", types keys through XTEST (xdotool) and reads pixels from
# screenshots of the window.
#
# Environment (ctest sets it): MAZERUSH, the program to run; BUILD_DIR.

set -uo pipefail

: "${MAZERUSH:?MAZERUSH must name the mazerush program}"
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/mazerush-e2e.XXXXXX")
XVFB_PID=""
GAME_PID=""
GAME_WIN=""
export LIBGL_ALWAYS_SOFTWARE=1

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
    if [ -n "$XVFB_PID" ]; then
        # Under the start lock, so that no other test takes this display
        # number while this server is still going away.
        exec 4>"${TMPDIR:-/tmp}/mazerush-e2e-xvfb.lock"
        flock 4
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        flock -u 4
    fi
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
        Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" 2>/dev/null &
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
# sanitizer runtime that must come first.
GAME_PRELOAD=""
if ldd "$MAZERUSH" 2>/dev/null | grep -q libasan; then
    for lib in "$(gcc -print-file-name=libasan.so)" /usr/lib/x86_64-linux-gnu/dri/swrast_dri.so; do
        [ -e "$lib" ] && GAME_PRELOAD="$GAME_PRELOAD${GAME_PRELOAD:+:}$lib"
    done
fi

# Starts the game (with any prefix command, e.g. faketime) and waits for its
# window. Its standard output and error go to files of the test.
start_game() {
    "$@" env LD_PRELOAD="$GAME_PRELOAD${LD_PRELOAD:+:$LD_PRELOAD}" "$MAZERUSH" \
        >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
    GAME_PID=$!
    for _ in $(seq 1 200); do
        GAME_WIN=$(xdotool search --name '^Gobbler$' 2>/dev/null | head -n 1)
        [ -n "$GAME_WIN" ] && break
        kill -0 "$GAME_PID" 2>/dev/null || fail "mazerush ended before its window showed: $(head -c 400 "$E2E_TMP/stderr")"
        sleep 0.05
    done
    [ -n "$GAME_WIN" ] || fail "no window titled Gobbler"
    xdotool windowfocus --sync "$GAME_WIN" 2>/dev/null || true
}

game_running() {
    kill -0 "$GAME_PID" 2>/dev/null
}

# Types keys (xdotool names: s, Escape, Down, ...) into the focused game
# window through XTEST.
press() {
    for k in "$@"; do
        xdotool key --delay 30 "$k"
    done
}

# Saves a screenshot of the game's window; prints its path.
shot() {
    local out="$E2E_TMP/shot-$RANDOM.png"
    import -window "$GAME_WIN" "$out" 2>/dev/null || fail "screenshot failed"
    echo "$out"
}

# The colour "r g b" (0..255) at (x, y) of a screenshot, y from the top.
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}
