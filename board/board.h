// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// board: the maze. Its fixed layout and the live pellet grid, the wall
// geometry tables, the one-time GL setup, the maze drawing, and the score
// and lives display beside it.
// Depends on: models/ (DrawGob, DrawText); reads ThreeDView and t of the game.
#pragma once

// The grid: 31 rows by 28 columns. The game sizes its grids (a ghost's
// marks) and bounds its cell tests by these two as well.
const int boardRows = 31;
const int boardCols = 28;

// The grid point at the world origin. Grid point (row, column) stands at
// world x = (row - originRow) * pelletSpacing, y = 0,
// z = (originCol - column) * pelletSpacing: rows run along +x, columns
// along -z, and the maze lies around the origin in the plane y = 0.
const int originRow = 15;
const int originCol = 14;

// Cell codes of board and pellets.
const int cellWall = -1;
const int cellGate = -2;
const int cellEmpty = 0;
const int cellPellet = 1;
const int cellPowerPellet = 2;

extern const int board[boardRows][boardCols];
extern int pellets[boardRows][boardCols];
extern double pelletSpacing;

// The wall geometry tables, in grid units: horizontal tubes (row, first
// column, length in columns), vertical tubes (first row, column, length in
// rows) and corner spheres (row, column).
const int horizontalWallCount = 38;
const int verticalWallCount = 30;
const int wallEndingCount = 82;
const int gateWall = 17;  // the horizontal record that is the ghost-house gate
extern const float horizontalWalls[horizontalWallCount][3];
extern const float verticalWalls[verticalWallCount][3];
extern const float wallEndings[wallEndingCount][2];

// First display list of the horizontal tubes (list startList + i holds
// record i) and of the vertical tubes; set by Init.
extern int startList;
extern int verticalStartList;

// Refills the live grid from the layout.
void InitBoard();

// One-time GL setup: clear colour, shading, light, depth test, wall lists.
void Init();
// One sphere for every pellet still in the maze.
void DrawRemainingPellets();
// The 38 horizontal wall tubes, the ghost-house gate among them.
void DrawHorizontalWalls();
// The 30 vertical wall tubes.
void DrawVerticalWalls();
// The 82 corner spheres.
void DrawWallEndings();

// A new heap string holding n in decimal; the caller frees it.
char* IntegerToString(int n);
// The score as 3D text beside the maze (leaves a 90 degree turn about y).
void DrawScore(int points);
// One chomping Gobbler per life left.
void DrawLivesLeft(int lives);
