// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// screens: what a look at the game's window shows, asked at the screen
// points of the world's places (view.h) in the game's colours (colour.h):
// which screen is up, which menu line is selected, where Gobbler stands,
// how many lives are left. And the ways a player takes through the screens:
// past the intro to the menu, from the menu into play.
#pragma once

#include "picture.h"
#include "session.h"

namespace drive {

// The intro: every phase of it has a coloured background, the menu and play
// a black one (without fog).
bool IntroUp(const Picture& p);

// The box of the rest of the word of menu line n (1 PLAY GAME .. 5 QUIT).
Box MenuLine(int n);
// The box of the light-blue value right of the menu line whose baseline
// stands at y (DIFFICULTY 1, VIEW IN 3D 0, FOG -1).
Box MenuValue(double y);
// The menu with line n selected: magenta there, and white without magenta
// on every other line.
bool MenuOn(const Picture& p, int line);
Shows MenuOn(int line);

// The maze's left wall, always in view from above and never covered: play is
// up when it is blue, and gone (another screen) when it is not.
Box LeftWall();
// The maze, from above.
Box MazeBox();
bool MazeUp(const Picture& p);
bool MazeGone(const Picture& p);

// Gobbler on cell (row, col) from above: its yellow fills more than 40 of the
// 13 x 13 pixels about the cell's point, and more of them than about any of
// the four cells next to it, however wide its jaws stand.
bool GobOn(const Picture& p, int row, int col);
Shows GobOn(int row, int col);

// The score: white text lying beside the maze, from row 26.3 to 29.5 and from
// column 28.7 on.
Box ScoreBox();

// How many lives the view from above shows: one Gobbler for each, beside the
// maze at rows 1, 3 and 5 of column 31.
int LivesShown(const Picture& p);

// The game-over screen: no maze; Gobbler lying at (4, -1) in front of the
// screens' camera; the white words above it, nearer the eye.
bool GameOverUp(const Picture& p);

// Waits for the intro, skips it with S and waits for the menu with PLAY GAME
// selected.
void ToMenu(Game& game);
// Chooses PLAY GAME on the menu and waits for the maze.
void ToPlay(Game& game);

}  // namespace drive
