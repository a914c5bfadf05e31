#!/usr/bin/env bash
# The installed game: cmake --install into a temporary prefix puts mazerush
# in bin/, a desktop entry that desktop-file-validate accepts in
# share/applications/ and its 128 x 128 icon in the hicolor theme; the entry
# names that program and that icon, and the installed program opens its
# window "Gobbler".
source "$(dirname "$0")/lib.sh"

: "${BUILD_DIR:?BUILD_DIR must name the build tree}"
prefix="$E2E_TMP/prefix"
cmake --install "$BUILD_DIR" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "$E2E_TMP/install.log")"

program="$prefix/bin/mazerush"
entry="$prefix/share/applications/mazerush.desktop"
icon="$prefix/share/icons/hicolor/128x128/apps/mazerush.png"
[ -x "$program" ] || fail "no program at bin/mazerush"
[ -f "$entry" ] || fail "no desktop entry at share/applications/mazerush.desktop"
[ -f "$icon" ] || fail "no icon at share/icons/hicolor/128x128/apps/mazerush.png"

# Nothing else lands in the prefix.
files=$(cd "$prefix" && find . -type f | sort | tr '\n' ' ')
expected="./bin/mazerush ./share/applications/mazerush.desktop ./share/icons/hicolor/128x128/apps/mazerush.png "
[ "$files" = "$expected" ] || fail "installed files are: $files"

out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate warns: $out"
grep -qx 'Exec=mazerush' "$entry" || fail "the entry does not start mazerush"
grep -qx 'Icon=mazerush' "$entry" || fail "the entry does not name the icon mazerush"
grep -qx 'Type=Application' "$entry" || fail "the entry is not an application"
grep -q '^Categories=.*Game;' "$entry" || fail "the entry is not in the Game category"

size=$(identify -format '%wx%h' "$icon" 2>/dev/null) || fail "the icon is no image"
[ "$size" = "128x128" ] || fail "the icon is $size, not 128x128"
# The icon shows Gobbler: yellow fills much of it.
yellow=$(convert "$icon" -fx '(r>0.45&&g>0.45&&b<0.3)?1:0' -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$yellow" -gt 2500 ] || fail "the icon has only $yellow yellow pixels"

# The installed program is the game.
MAZERUSH="$program"
start_x
start_game
geometry=$(xdotool getwindowgeometry "$GAME_WIN" | awk '/Geometry/ {print $2}')
[ "$geometry" = "800x552" ] || fail "installed program's window is $geometry"
echo "install: bin/mazerush, a valid desktop entry and its icon; the installed game runs"
