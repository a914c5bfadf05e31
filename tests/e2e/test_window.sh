#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The game's window as a desktop recognises it: WM_CLASS "mazerush",
# "mazerush" (the desktop entry's StartupWMClass), _NET_WM_PID the game's
# process, and _NET_WM_ICON the picture installed as the game's icon, pixel
# for pixel. xprop prints each property in a format the script gives it
# (-f), not in its own, which may change from one version to the next.
source "$(dirname "$0")/lib.sh"

ICON="$(dirname "$0")/../../data/mazerush.png"

start_x
start_game

# The game sets the properties just after its window shows: the icon, the
# last of them, tells when they are all there.
icon_set() {
    xprop -notype -id "$GAME_WIN" -f _NET_WM_ICON 32c ' $0+\n' _NET_WM_ICON |
        sed 's/^_NET_WM_ICON //; s/, /\n/g' >"$E2E_TMP/icon-window"
    [ "$(wc -l <"$E2E_TMP/icon-window")" -gt 2 ]
}
until=$((SECONDS + 10))
until icon_set; do
    [ $SECONDS -le $until ] || fail "no _NET_WM_ICON on the window within 10 s: $(head -c 200 "$E2E_TMP/icon-window")"
    sleep 0.1
done

class=$(xprop -notype -id "$GAME_WIN" -f WM_CLASS 8s ' $0 $1\n' WM_CLASS)
[ "$class" = 'WM_CLASS "mazerush" "mazerush"' ] || fail "WM_CLASS is: $class"
pid=$(xprop -notype -id "$GAME_WIN" -f _NET_WM_PID 32c ' $0\n' _NET_WM_PID)
[ "$pid" = "_NET_WM_PID $GAME_PID" ] || fail "_NET_WM_PID is: $pid, the game is $GAME_PID"

# The icon: width, height, then each pixel as ARGB, row by row; the same
# numbers worked out from the installed picture.
{
    identify -format '%w\n%h\n' "$ICON"
    convert "$ICON" -depth 8 rgba:- | od -An -v -tu1 |
        awk '{ for (i = 1; i <= NF; i++) v[n++] = $i }
             END { for (i = 0; i < n; i += 4) printf "%.0f\n", ((v[i + 3] * 256 + v[i]) * 256 + v[i + 1]) * 256 + v[i + 2] }'
} >"$E2E_TMP/icon-file"
[ "$(wc -l <"$E2E_TMP/icon-file")" = 16386 ] || fail "the icon file is not 128 x 128"
cmp -s "$E2E_TMP/icon-window" "$E2E_TMP/icon-file" ||
    fail "_NET_WM_ICON is not the icon: $(head -c 60 "$E2E_TMP/icon-window" | tr '\n' ' ')... against $(head -c 60 "$E2E_TMP/icon-file" | tr '\n' ' ')..."

stop_game
echo "window: WM_CLASS mazerush, _NET_WM_PID its process and the 128 x 128 icon as installed"
