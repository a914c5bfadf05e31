// Tests of the maze's data: the layout's counts and features, the refill of
// the live grid, and the agreement of the wall tables with the layout.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

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

}  // namespace

TEST(MazeLayout, CellCounts) {
    EXPECT_EQ(CountCells(board, cellPellet), 294);
    EXPECT_EQ(CountCells(board, cellPowerPellet), 4);
    EXPECT_EQ(CountCells(board, cellWall), 478);
    EXPECT_EQ(CountCells(board, cellGate), 2);
    EXPECT_EQ(CountCells(board, cellEmpty), 90);
}

TEST(MazeLayout, PowerPelletsAndGateWhereThePlayerExpectsThem) {
    EXPECT_EQ(board[1][1], cellPowerPellet);
    EXPECT_EQ(board[1][26], cellPowerPellet);
    EXPECT_EQ(board[29][1], cellPowerPellet);
    EXPECT_EQ(board[29][26], cellPowerPellet);
    EXPECT_EQ(board[12][13], cellGate);
    EXPECT_EQ(board[12][14], cellGate);
    // The gate is the middle of the ghost house's top wall.
    EXPECT_EQ(board[12][12], cellWall);
    EXPECT_EQ(board[12][15], cellWall);
    // The starts: the player's cell holds a pellet, the ghosts' is the house floor.
    EXPECT_EQ(board[5][13], cellPellet);
    EXPECT_EQ(board[13][13], cellEmpty);
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
}

TEST(MazeLayout, TunnelMouthsAreEnteredOnlyAlongTheirRow) {
    EXPECT_EQ(board[14][0], cellEmpty);
    EXPECT_EQ(board[14][27], cellEmpty);
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
