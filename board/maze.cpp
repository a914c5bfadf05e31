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
