// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// colour: the game's colours as its light shows them, each a test on one
// pixel. Light dims a colour and keeps its hue, so a class compares the
// channels with one another and asks for a floor under which a pixel is too
// dark to tell. One class a colour, shared by the GL tests, which read the
// frames the game draws in their own process, and by everything that looks
// at the real game's window from outside (tools/drive, tests/e2e).
#pragma once

#include <functional>

namespace drive {

// A pixel, 0..255 a channel.
struct Rgb {
    int r;
    int g;
    int b;
};

// A test on one pixel: a colour class below, or one of a test's own.
using ColourTest = std::function<bool(Rgb)>;

inline bool IsBlack(Rgb c) {
    return c.r + c.g + c.b == 0;
}

// Anything drawn with some light on it: text, walls, pieces.
inline bool IsLit(Rgb c) {
    return c.r + c.g + c.b > 127;
}

// Gobbler, lit or in shade, the gate of the ghost house, the olive ghost and
// the yellow words, however dim: red and green well above blue, green at
// least 70 % of red.
inline bool IsYellow(Rgb c) {
    return c.r > c.b + 20 && c.g > c.b + 20 && c.g * 10 > c.r * 7;
}

// Gobbler's lit side: a yellow with red and green over 45 %, which neither the
// olive ghost nor the gate reaches.
inline bool IsBrightYellow(Rgb c) {
    return IsYellow(c) && c.r > 114 && c.g > 114;
}

// The pellets: a pale pink, green and blue alike and below red.
inline bool IsPink(Rgb c) {
    return c.r > 30 && c.r > c.g && c.g * 10 > c.r * 7 && c.g - c.b < 5 && c.b - c.g < 5;
}

// The power pellets' copper.
inline bool IsCopper(Rgb c) {
    return c.r > 20 && c.g * 10 < c.r * 6 && c.g > c.b;
}

// The walls, and the scared ghosts.
inline bool IsBlue(Rgb c) {
    return c.b > 25 && c.b > 2 * c.r + 5 && c.b > 2 * c.g + 5;
}

// The menu's setting values.
inline bool IsLightBlue(Rgb c) {
    return c.b > 40 && c.r * 4 < c.b * 3 && c.r * 4 > c.b && c.g * 4 < c.b * 3 && c.g * 4 > c.b;
}

// The selected menu line.
inline bool IsMagenta(Rgb c) {
    return c.r > 40 && c.g * 3 < c.r && c.g * 3 < c.b && c.r * 2 > c.b && c.b * 2 > c.r;
}

// The red ghost, and the menu's initials.
inline bool IsRed(Rgb c) {
    return c.r > 40 && c.g * 3 < c.r && c.b * 3 < c.r;
}

// The menu's title.
inline bool IsOrange(Rgb c) {
    return c.r > 40 && c.b * 4 < c.r && c.g * 4 > c.r && c.g * 4 < c.r * 3;
}

// The green ghost, and the level-change screen's level line.
inline bool IsGreen(Rgb c) {
    return c.g > 40 && c.r * 3 < c.g && c.b * 3 < c.g;
}

// The lime ghost, which only the harder difficulties bring.
inline bool IsLime(Rgb c) {
    return c.g > 60 && c.r * 10 > c.g * 3 && c.r * 10 < c.g * 7 && c.b * 5 < c.g;
}

// White text, lit fully or by the ambient light alone.
inline bool IsWhite(Rgb c) {
    return c.r > 25 && c.r - c.g < 20 && c.g - c.r < 20 && c.r - c.b < 20 && c.b - c.r < 20;
}

// The grey of the fog, which also clears the picture where fog is on.
inline bool IsFog(Rgb c) {
    return c.r >= 126 && c.r <= 130 && c.g == c.r && c.b == c.r;
}

}  // namespace drive
