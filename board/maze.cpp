// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// maze: the maze's data. The fixed layout board, the live pellet grid that
// play eats away, the grid spacing, and the three hand-made wall geometry
// tables that trace the wall blocks as tubes and corner spheres.
// Depends on: nothing but board.h.
#include "board.h"

// ---------------------------------------------------------------------------
// The layout: 31 rows of 28 cells, row 0 at the top. Each row carries its
// picture: # wall, = ghost-house gate, blank empty, . pellet, o power pellet.
// ---------------------------------------------------------------------------

static const int W = cellWall;
static const int G = cellGate;
static const int E = cellEmpty;
static const int P = cellPellet;
static const int O = cellPowerPellet;

// clang-format off
const int board[boardRows][boardCols] = {
    {W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W},  // 00 |############################|
    {W,O,P,P,P,P,P,P,P,P,P,P,P,W,W,P,P,P,P,P,P,P,P,P,P,P,O,W},  // 01 |#o...........##...........o#|
    {W,P,W,W,W,W,P,W,W,W,W,W,P,W,W,P,W,W,W,W,W,P,W,W,W,W,P,W},  // 02 |#.####.#####.##.#####.####.#|
    {W,P,W,E,E,W,P,W,E,E,E,W,P,W,W,P,W,E,E,E,W,P,W,E,E,W,P,W},  // 03 |#.#  #.#   #.##.#   #.#  #.#|
    {W,P,W,W,W,W,P,W,W,W,W,W,P,W,W,P,W,W,W,W,W,P,W,W,W,W,P,W},  // 04 |#.####.#####.##.#####.####.#|
    {W,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,W},  // 05 |#..........................#|
    {W,P,W,W,W,W,P,W,W,P,W,W,W,W,W,W,W,W,P,W,W,P,W,W,W,W,P,W},  // 06 |#.####.##.########.##.####.#|
    {W,P,W,W,W,W,P,W,W,P,W,W,W,W,W,W,W,W,P,W,W,P,W,W,W,W,P,W},  // 07 |#.####.##.########.##.####.#|
    {W,P,P,P,P,P,P,W,W,P,P,P,P,W,W,P,P,P,P,W,W,P,P,P,P,P,P,W},  // 08 |#......##....##....##......#|
    {W,W,W,W,W,W,P,W,W,W,W,W,P,W,W,P,W,W,W,W,W,P,W,W,W,W,W,W},  // 09 |######.#####.##.#####.######|
    {E,E,E,E,E,W,P,W,W,W,W,W,P,W,W,P,W,W,W,W,W,P,W,E,E,E,E,E},  // 10 |     #.#####.##.#####.#     |
    {E,E,E,E,E,W,P,W,W,P,P,P,P,P,P,P,P,P,P,W,W,P,W,E,E,E,E,E},  // 11 |     #.##..........##.#     |
    {E,E,E,E,E,W,P,W,W,P,W,W,W,G,G,W,W,W,P,W,W,P,W,E,E,E,E,E},  // 12 |     #.##.###==###.##.#     |
    {W,W,W,W,W,W,P,W,W,P,W,E,E,E,E,E,E,W,P,W,W,P,W,W,W,W,W,W},  // 13 |######.##.#      #.##.######|
    {E,P,P,P,P,P,P,P,P,P,W,E,E,E,E,E,E,W,P,P,P,P,P,P,P,P,P,E},  // 14 | .........#      #......... |
    {W,W,W,W,W,W,P,W,W,P,W,E,E,E,E,E,E,W,P,W,W,P,W,W,W,W,W,W},  // 15 |######.##.#      #.##.######|
    {E,E,E,E,E,W,P,W,W,P,W,W,W,W,W,W,W,W,P,W,W,P,W,E,E,E,E,E},  // 16 |     #.##.########.##.#     |
    {E,E,E,E,E,W,P,W,W,P,P,P,P,P,P,P,P,P,P,W,W,P,W,E,E,E,E,E},  // 17 |     #.##..........##.#     |
    {E,E,E,E,E,W,P,W,W,P,W,W,W,W,W,W,W,W,P,W,W,P,W,E,E,E,E,E},  // 18 |     #.##.########.##.#     |
    {W,W,W,W,W,W,P,W,W,P,W,W,W,W,W,W,W,W,P,W,W,P,W,W,W,W,W,W},  // 19 |######.##.########.##.######|
    {W,P,P,P,P,P,P,P,P,P,P,P,P,W,W,P,P,P,P,P,P,P,P,P,P,P,P,W},  // 20 |#............##............#|
    {W,P,W,W,W,W,P,W,W,W,W,W,P,W,W,P,W,W,W,W,W,P,W,W,W,W,P,W},  // 21 |#.####.#####.##.#####.####.#|
    {W,P,W,W,W,W,P,W,W,W,W,W,P,W,W,P,W,W,W,W,W,P,W,W,W,W,P,W},  // 22 |#.####.#####.##.#####.####.#|
    {W,P,P,P,W,W,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,W,W,P,P,P,W},  // 23 |#...##................##...#|
    {W,W,W,P,W,W,P,W,W,P,W,W,W,W,W,W,W,W,P,W,W,P,W,W,P,W,W,W},  // 24 |###.##.##.########.##.##.###|
    {W,W,W,P,W,W,P,W,W,P,W,W,W,W,W,W,W,W,P,W,W,P,W,W,P,W,W,W},  // 25 |###.##.##.########.##.##.###|
    {W,P,P,P,P,P,P,W,W,P,P,P,P,W,W,P,P,P,P,W,W,P,P,P,P,P,P,W},  // 26 |#......##....##....##......#|
    {W,P,W,W,W,W,W,W,W,W,W,W,P,W,W,P,W,W,W,W,W,W,W,W,W,W,P,W},  // 27 |#.##########.##.##########.#|
    {W,P,W,W,W,W,W,W,W,W,W,W,P,W,W,P,W,W,W,W,W,W,W,W,W,W,P,W},  // 28 |#.##########.##.##########.#|
    {W,O,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,P,O,W},  // 29 |#o........................o#|
    {W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W,W},  // 30 |############################|
};
// clang-format on

// ---------------------------------------------------------------------------
// Wall geometry, in grid units (rows and columns, fractional where a line
// runs between cells). The tubes trace the outline of every wall block
// through the centres of its outermost cells, or along the line between the
// two rows or columns of a block two cells thick; a tube stops short of a
// corner, where a sphere of wallEndings closes the gap. Record 17 is the
// ghost-house gate. Records 31 and 32 lie almost on top of each other, and
// both are drawn.
// ---------------------------------------------------------------------------

// clang-format off
const float horizontalWalls[horizontalWallCount][3] = {
    // row, first column, length   record: last column
    {    0,   0.25,   26.5},  //  0: 26.75
    {    2,   2.25,    2.5},  //  1: 4.75
    {    2,   7.25,    3.5},  //  2: 10.75
    {    2,  16.25,    3.5},  //  3: 19.75
    {    2,  22.25,    2.5},  //  4: 24.75
    {    4,   2.25,    2.5},  //  5: 4.75
    {    4,   7.25,    3.5},  //  6: 10.75
    {    4,  16.25,    3.5},  //  7: 19.75
    {    4,  22.25,    2.5},  //  8: 24.75
    {  6.5,   2.25,    2.5},  //  9: 4.75
    {  6.5,  10.25,    6.5},  // 10: 16.75
    {  6.5,  22.25,    2.5},  // 11: 24.75
    {    9,   0.25,    4.5},  // 12: 4.75
    {    9,  22.25,    4.5},  // 13: 26.75
    {  9.5,   7.25,    3.5},  // 14: 10.75
    {  9.5,  16.25,    3.5},  // 15: 19.75
    {   12,  10.25,      2},  // 16: 12.25
    {   12,   12.5,      2},  // 17: 14.5
    {   12,  14.75,      2},  // 18: 16.75
    {   13,   0.25,    4.5},  // 19: 4.75
    {   13,  22.25,    4.5},  // 20: 26.75
    {   15,   0.25,    4.5},  // 21: 4.75
    {   15,  22.25,    4.5},  // 22: 26.75
    {   16,  10.25,    6.5},  // 23: 16.75
    { 18.5,  10.25,    6.5},  // 24: 16.75
    {   19,   0.25,    4.5},  // 25: 4.75
    {   19,  22.25,    4.5},  // 26: 26.75
    { 21.5,   2.25,      2},  // 27: 4.25
    { 21.5,   7.25,    3.5},  // 28: 10.75
    { 21.5,  16.25,    3.5},  // 29: 19.75
    { 21.5,  22.75,      2},  // 30: 24.75
    { 24.5,   0.25,    1.5},  // 31: 1.75
    { 24.5,    0.2,   1.55},  // 32: 1.75
    { 24.5,  10.25,    6.5},  // 33: 16.75
    { 24.5,  25.25,   1.55},  // 34: 26.8
    { 27.5,   2.25,    8.5},  // 35: 10.75
    { 27.5,  16.25,    8.5},  // 36: 24.75
    {   30,   0.25,   26.5},  // 37: 26.75
};

const float verticalWalls[verticalWallCount][3] = {
    // first row, column, length   record: last row
    {  0.25,     0,    8.5},  //  0: 8.75
    {  0.25,    27,    8.5},  //  1: 8.75
    {  2.25,     2,    1.5},  //  2: 3.75
    {  2.25,     5,    1.5},  //  3: 3.75
    {  2.25,     7,    1.5},  //  4: 3.75
    {  2.25,    11,    1.5},  //  5: 3.75
    {  2.25,    16,    1.5},  //  6: 3.75
    {  2.25,    20,    1.5},  //  7: 3.75
    {  2.25,    22,    1.5},  //  8: 3.75
    {  2.25,    25,    1.5},  //  9: 3.75
    {  9.25,     5,    3.5},  // 10: 12.75
    {  9.25,    22,    3.5},  // 11: 12.75
    {   6.7,  13.5,    3.2},  // 12: 9.9
    { 12.25,    10,    3.5},  // 13: 15.75
    { 12.25,    17,    3.5},  // 14: 15.75
    { 15.25,     5,    3.5},  // 15: 18.75
    { 15.25,    22,    3.5},  // 16: 18.75
    { 19.25,     0,   10.5},  // 17: 29.75
    { 19.25,    27,   10.5},  // 18: 29.75
    {   0.2,  13.5,   3.55},  // 19: 3.75
    {  6.25,   7.5,    6.5},  // 20: 12.75
    {  6.25,  19.5,    6.5},  // 21: 12.75
    { 15.25,   7.5,    3.5},  // 22: 18.75
    { 15.25,  19.5,    3.5},  // 23: 18.75
    {  18.7,  13.5,    3.2},  // 24: 21.9
    { 21.75,   4.5,   2.75},  // 25: 24.5
    { 21.75,  22.5,   2.75},  // 26: 24.5
    { 24.25,   7.5,   3.25},  // 27: 27.5
    { 24.25,  19.5,   3.25},  // 28: 27.5
    {  24.7,  13.5,    3.2},  // 29: 27.9
};

const float wallEndings[wallEndingCount][2] = {
    {0, 0}, {0, 27},  // 0-1
    {2, 2}, {2, 5}, {2, 7}, {2, 11}, {2, 16}, {2, 20}, {2, 22}, {2, 25},  // 2-9
    {4, 13.5}, {4, 2}, {4, 5}, {4, 7}, {4, 11}, {4, 16}, {4, 20}, {4, 22}, {4, 25},  // 10-18
    {6, 7.5}, {6, 19.5},  // 19-20
    {6.5, 2}, {6.5, 5}, {6.5, 10}, {6.5, 17}, {6.5, 22}, {6.5, 25},  // 21-26
    {9, 0}, {9, 5}, {9, 22}, {9, 27},  // 27-30
    {9.5, 11}, {9.5, 16},  // 31-32
    {10, 13.5},  // 33-33
    {12, 10}, {12, 17},  // 34-35
    {13, 0}, {13, 5}, {13, 7.5}, {13, 19.5}, {13, 22}, {13, 27},  // 36-41
    {15, 0}, {15, 5}, {15, 7.5}, {15, 19.5}, {15, 22}, {15, 27},  // 42-47
    {16, 10}, {16, 17},  // 48-49
    {18.5, 10}, {18.5, 17},  // 50-51
    {19, 0}, {19, 5}, {19, 7.5}, {19, 19.5}, {19, 22}, {19, 27},  // 52-57
    {21.5, 2}, {21.5, 4.5}, {21.5, 7}, {21.5, 11},  // 58-61
    {21.5, 16}, {21.5, 20}, {21.5, 22.5}, {21.5, 25},  // 62-65
    {22, 13.5},  // 66-66
    {24, 7.5}, {24, 19.5},  // 67-68
    {24.5, 2}, {24.5, 4.5}, {24.5, 10}, {24.5, 17}, {24.5, 22.5}, {24.5, 25},  // 69-74
    {27.5, 2}, {27.5, 11}, {27.5, 16}, {27.5, 25},  // 75-78
    {28, 13.5},  // 79-79
    {30, 0}, {30, 27},  // 80-81
};
// clang-format on

int pellets[boardRows][boardCols];
double pelletSpacing = 1.0;

// Refills the live grid from the layout, cell by cell.
void InitBoard() {
    for (int row = 0; row < boardRows; row++) {
        for (int col = 0; col < boardCols; col++) {
            pellets[row][col] = board[row][col];
        }
    }
}
