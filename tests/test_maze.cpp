// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the maze's data: the layout's counts and features, the refill of
// the live grid, and the agreement of the wall tables with the layout.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "../board/board.h"

namespace {

int CountCells(const int grid[boardRows][boardCols], int code) {
    int n = 0;
    for (int row = 0; row < boardRows; row++) {
        for (int col = 0; col < boardCols; col++) {
            n += grid[row][col] == code;
        }
    }
    return n;
}

// Whether a grid point, possibly between cells, lies inside wall: every cell
// within half a cell of it along both axes must be wall (or gate, if allowed).
bool InsideWall(double row, double col, bool gateToo) {
    for (int r = static_cast<int>(std::ceil(row - 0.5)); r <= std::floor(row + 0.5); r++) {
        for (int c = static_cast<int>(std::ceil(col - 0.5)); c <= std::floor(col + 0.5); c++) {
            if (r < 0 || r >= boardRows || c < 0 || c >= boardCols) {
                return false;
            }
            if (board[r][c] != cellWall && !(gateToo && board[r][c] == cellGate)) {
                return false;
            }
        }
    }
    return true;
}

// A tube's axis from (r0, c0) to (r1, c1) in grid units.
struct Segment {
    double r0, c0, r1, c1;
};

std::vector<Segment> Tubes() {
    std::vector<Segment> tubes;
    for (const auto& h : horizontalWalls) {
        tubes.push_back({h[0], h[1], h[0], h[1] + h[2]});
    }
    for (const auto& v : verticalWalls) {
        tubes.push_back({v[0], v[1], v[0] + v[2], v[1]});
    }
    return tubes;
}

double DistanceToSegment(double r, double c, const Segment& s) {
    const double dr = s.r1 - s.r0;
    const double dc = s.c1 - s.c0;
    const double len2 = dr * dr + dc * dc;
    double t = len2 > 0 ? ((r - s.r0) * dr + (c - s.c0) * dc) / len2 : 0.0;
    t = std::fmax(0.0, std::fmin(1.0, t));
    return std::hypot(r - s.r0 - t * dr, c - s.c0 - t * dc);
}

// Every point of a tube's axis, in steps of a twentieth of a cell.
template <typename Visit>
void Walk(const Segment& s, Visit visit) {
    const double len = std::hypot(s.r1 - s.r0, s.c1 - s.c0);
    const int steps = static_cast<int>(std::ceil(len * 20));
    for (int k = 0; k <= steps; k++) {
        const double t = static_cast<double>(k) / steps;
        visit(s.r0 + t * (s.r1 - s.r0), s.c0 + t * (s.c1 - s.c0));
    }
}

}  // namespace

TEST(MazeLayout, CellCounts) {
    EXPECT_EQ(CountCells(board, cellPellet), 294);
    EXPECT_EQ(CountCells(board, cellPowerPellet), 4);
    EXPECT_EQ(CountCells(board, cellWall), 478);
    EXPECT_EQ(CountCells(board, cellGate), 2);
    EXPECT_EQ(CountCells(board, cellEmpty), 90);
    EXPECT_EQ(board[1][1], cellPowerPellet);
    EXPECT_EQ(board[1][26], cellPowerPellet);
    EXPECT_EQ(board[29][1], cellPowerPellet);
    EXPECT_EQ(board[29][26], cellPowerPellet);
    EXPECT_EQ(board[12][13], cellGate);
    EXPECT_EQ(board[12][14], cellGate);
}

TEST(MazeLayout, OuterWallClosedButForTheTunnel) {
    for (int col = 0; col < boardCols; col++) {
        EXPECT_EQ(board[0][col], cellWall) << "top, column " << col;
        EXPECT_EQ(board[boardRows - 1][col], cellWall) << "bottom, column " << col;
    }
    // The side borders are walls where the maze has them; rows 10-12 and
    // 16-18 are dead space outside the wall, and row 14 is the tunnel.
    for (int row = 0; row < boardRows; row++) {
        const bool outside = (row >= 10 && row <= 12) || (row >= 16 && row <= 18);
        if (row == 14 || outside) {
            EXPECT_EQ(board[row][0], cellEmpty) << "row " << row;
            EXPECT_EQ(board[row][boardCols - 1], cellEmpty) << "row " << row;
        } else {
            EXPECT_EQ(board[row][0], cellWall) << "row " << row;
            EXPECT_EQ(board[row][boardCols - 1], cellWall) << "row " << row;
        }
    }
    // The tunnel mouths are entered only along their row.
    for (int col = 0; col <= 5; col++) {
        EXPECT_EQ(board[13][col], cellWall) << "column " << col;
        EXPECT_EQ(board[15][col], cellWall) << "column " << col;
        EXPECT_EQ(board[13][27 - col], cellWall) << "column " << 27 - col;
        EXPECT_EQ(board[15][27 - col], cellWall) << "column " << 27 - col;
    }
    // The row between the mouths is open to the player up to the ghost house.
    for (int col = 1; col <= 9; col++) {
        EXPECT_GT(board[14][col], 0) << "column " << col;
        EXPECT_GT(board[14][27 - col], 0) << "column " << 27 - col;
    }
}

TEST(MazeLayout, GhostHouseIsWalledInWithTheGateOnTop) {
    for (int row = 13; row <= 15; row++) {
        for (int col = 11; col <= 16; col++) {
            EXPECT_EQ(board[row][col], cellEmpty) << row << "," << col;
        }
        EXPECT_EQ(board[row][10], cellWall) << "row " << row;
        EXPECT_EQ(board[row][17], cellWall) << "row " << row;
    }
    for (int col = 10; col <= 17; col++) {
        EXPECT_LT(board[12][col], 0) << "column " << col;
        EXPECT_EQ(board[16][col], cellWall) << "column " << col;
    }
}

TEST(MazeLayout, RowsAreMirrored) {
    // The maze is left-right symmetric; a mistyped cell breaks the mirror.
    for (int row = 0; row < boardRows; row++) {
        for (int col = 0; col < boardCols / 2; col++) {
            EXPECT_EQ(board[row][col], board[row][boardCols - 1 - col]) << row << "," << col;
        }
    }
}

TEST(MazeGrid, StartsEmptyAndInitBoardFillsItFromTheLayout) {
    EXPECT_EQ(CountCells(pellets, cellEmpty), boardRows * boardCols);
    EXPECT_DOUBLE_EQ(pelletSpacing, 1.0);
    InitBoard();
    EXPECT_EQ(std::memcmp(pellets, board, sizeof(board)), 0);
    int eatable = 0;
    for (int row = 0; row < boardRows; row++) {
        for (int col = 0; col < boardCols; col++) {
            eatable += pellets[row][col] > 0;
        }
    }
    EXPECT_EQ(eatable, 298);
}

TEST(MazeGrid, InitBoardRefillsAnEatenGrid) {
    InitBoard();
    pellets[5][13] = cellEmpty;
    pellets[1][1] = cellEmpty;
    pellets[29][26] = cellEmpty;
    pellets[30][27] = 7;  // even a cell that no rule writes is put back
    InitBoard();
    EXPECT_EQ(std::memcmp(pellets, board, sizeof(board)), 0);
}

TEST(MazeWalls, TableSizesAndKnownRecords) {
    EXPECT_EQ(sizeof(horizontalWalls) / sizeof(horizontalWalls[0]), 38u);
    EXPECT_EQ(sizeof(verticalWalls) / sizeof(verticalWalls[0]), 30u);
    EXPECT_EQ(sizeof(wallEndings) / sizeof(wallEndings[0]), 82u);
    // The block of rows 2 to 4, columns 2 to 5, all round.
    const float h1[3] = {2, 2.25f, 2.5f};
    const float h5[3] = {4, 2.25f, 2.5f};
    const float v2[3] = {2.25f, 2, 1.5f};
    const float v3[3] = {2.25f, 5, 1.5f};
    EXPECT_EQ(std::memcmp(horizontalWalls[1], h1, sizeof(h1)), 0);
    EXPECT_EQ(std::memcmp(horizontalWalls[5], h5, sizeof(h5)), 0);
    EXPECT_EQ(std::memcmp(verticalWalls[2], v2, sizeof(v2)), 0);
    EXPECT_EQ(std::memcmp(verticalWalls[3], v3, sizeof(v3)), 0);
    // The gate and the records at each end of the tables.
    const float gate[3] = {12, 12.5f, 2};
    EXPECT_EQ(std::memcmp(horizontalWalls[gateWall], gate, sizeof(gate)), 0);
    const float h37[3] = {30, 0.25f, 26.5f};
    const float v29[3] = {24.7f, 13.5f, 3.2f};
    EXPECT_EQ(std::memcmp(horizontalWalls[37], h37, sizeof(h37)), 0);
    EXPECT_EQ(std::memcmp(verticalWalls[29], v29, sizeof(v29)), 0);
    const float e10[2] = {4, 13.5f};
    const float e81[2] = {30, 27};
    EXPECT_EQ(std::memcmp(wallEndings[10], e10, sizeof(e10)), 0);
    EXPECT_EQ(std::memcmp(wallEndings[81], e81, sizeof(e81)), 0);
}

TEST(MazeWalls, EveryTubeRunsInsideWallAndOnlyTheGateCrossesTheGate) {
    for (int i = 0; i < horizontalWallCount; i++) {
        const float* h = horizontalWalls[i];
        const bool gate = i == gateWall;
        Walk({h[0], h[1], h[0], h[1] + h[2]}, [&](double r, double c) {
            EXPECT_TRUE(InsideWall(r, c, gate)) << "horizontal " << i << " at " << r << "," << c;
        });
    }
    for (int i = 0; i < verticalWallCount; i++) {
        const float* v = verticalWalls[i];
        Walk({v[0], v[1], v[0] + v[2], v[1]}, [&](double r, double c) {
            EXPECT_TRUE(InsideWall(r, c, false)) << "vertical " << i << " at " << r << "," << c;
        });
    }
    // The gate tube spans both gate cells.
    const float* g = horizontalWalls[gateWall];
    EXPECT_EQ(g[0], 12);
    EXPECT_LE(g[1], 13);
    EXPECT_GE(g[1] + g[2], 14);
}

TEST(MazeWalls, EveryCornerSphereSitsInWallAndTouchesATube) {
    const std::vector<Segment> tubes = Tubes();
    for (int i = 0; i < wallEndingCount; i++) {
        const double r = wallEndings[i][0];
        const double c = wallEndings[i][1];
        EXPECT_TRUE(InsideWall(r, c, false)) << "sphere " << i << " at " << r << "," << c;
        double nearest = 1e9;
        for (const Segment& s : tubes) {
            nearest = std::fmin(nearest, DistanceToSegment(r, c, s));
        }
        EXPECT_LE(nearest, 0.25 + 1e-4) << "sphere " << i << " at " << r << "," << c;
    }
}

TEST(MazeWalls, EveryTubeEndIsClosedBySphereOrTube) {
    // A tube stops at most 0.25 short of a corner sphere, or meets another
    // tube; a missing sphere leaves an open end.
    const std::vector<Segment> tubes = Tubes();
    for (size_t i = 0; i < tubes.size(); i++) {
        const double ends[2][2] = {{tubes[i].r0, tubes[i].c0}, {tubes[i].r1, tubes[i].c1}};
        for (const auto& end : ends) {
            double nearest = 1e9;
            for (const auto& e : wallEndings) {
                nearest = std::fmin(nearest, std::hypot(end[0] - e[0], end[1] - e[1]));
            }
            for (size_t j = 0; j < tubes.size(); j++) {
                if (j != i) {
                    nearest = std::fmin(nearest, DistanceToSegment(end[0], end[1], tubes[j]));
                }
            }
            EXPECT_LE(nearest, 0.25 + 1e-4) << "tube " << i << " end " << end[0] << "," << end[1];
        }
    }
}

TEST(MazeWalls, EveryWallCellIsDrawn) {
    // Each wall or gate cell lies close to a tube's axis or a corner; a
    // missing or misplaced record leaves cells a whole cell away from both.
    const std::vector<Segment> tubes = Tubes();
    for (int row = 0; row < boardRows; row++) {
        for (int col = 0; col < boardCols; col++) {
            if (board[row][col] >= 0) {
                continue;
            }
            double nearest = 1e9;
            for (const Segment& s : tubes) {
                nearest = std::fmin(nearest, DistanceToSegment(row, col, s));
            }
            for (const auto& e : wallEndings) {
                nearest = std::fmin(nearest, std::hypot(row - e[0], col - e[1]));
            }
            EXPECT_LT(nearest, 0.75) << "cell " << row << "," << col;
        }
    }
}
