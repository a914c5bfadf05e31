// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of movement on the grid: the wall tests, the side tunnel, Gobbler's
// step and the chomping mouth.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "stress_common.h"

using stress::Neighbour;

TEST(WallTests, GateBlocksGobblerOnlyAndOutsideTheGridIsWall) {
    InitBoard();
    EXPECT_TRUE(IsGobWall(12, 13));
    EXPECT_FALSE(IsGhostWall(12, 13));
    EXPECT_TRUE(IsGobWall(0, 5) && IsGhostWall(0, 5));
    EXPECT_FALSE(IsGobWall(5, 13) || IsGhostWall(5, 13) || IsGobWall(14, 0));
    // In row-major storage column -1 of the tunnel row is the last cell of
    // row 13 and column 28 the first of row 15: open them, no change.
    pellets[13][27] = cellEmpty;
    pellets[15][0] = cellEmpty;
    EXPECT_TRUE(IsGobWall(14, -1) && IsGhostWall(14, -1));
    EXPECT_TRUE(IsGobWall(14, 28) && IsGhostWall(14, 28));
    EXPECT_TRUE(IsGhostWall(-1, 3) && IsGobWall(31, 3));
}

TEST(NextMove, StepsOneCellAndWrapsThroughTheTunnel) {
    const ptT right = Neighbour(5, 13, RIGHT);
    EXPECT_EQ(right.x * 100 + right.z, 514);
    EXPECT_EQ(right.dir, RIGHT);
    EXPECT_EQ(Neighbour(5, 13, UP).x, 4);
    EXPECT_EQ(Neighbour(5, 13, DOWN).x, 6);
    EXPECT_EQ(Neighbour(5, 13, LEFT).z, 12);
    const ptT west = Neighbour(14, 1, LEFT);
    EXPECT_EQ(west.x * 100 + west.z, 1427);
    EXPECT_EQ(west.dir, LEFT);
    EXPECT_EQ(Neighbour(14, 26, RIGHT).z, 0);
    EXPECT_EQ(Neighbour(14, 0, LEFT).z, -1);
    EXPECT_EQ(Neighbour(14, 27, RIGHT).z, 28);
    EXPECT_EQ(Neighbour(0, 5, UP).x, -1);  // rows never wrap
}

TEST(MoveGob, RunsThroughTheTunnelAndStopsAtWallsAndTheGate) {
    InitBoard();
    const struct {
        int x, z;
        dirT d;
        int toX, toZ;
    } cases[] = {
        {14, 1, LEFT, 14, 27},  {14, 27, LEFT, 14, 26}, {14, 26, RIGHT, 14, 0},
        {14, 0, RIGHT, 14, 1},  {5, 18, DOWN, 6, 18},   {5, 26, RIGHT, 5, 26},
        {11, 13, DOWN, 11, 13},
    };
    for (const auto& c : cases) {
        gobx = c.x;
        gobz = c.z;
        gobdir = c.d;
        MoveGob();
        EXPECT_EQ(gobx * 100 + gobz, c.toX * 100 + c.toZ) << "from " << c.x << "," << c.z;
        EXPECT_EQ(gobdir, c.d);
    }
}

TEST(Chomp, MouthSwingsOneStepBeyondEachLimit) {
    ChompStep();  // the first tick starts the mouth's clock
    EXPECT_EQ(firstChomp, 0);
    EXPECT_EQ(chompTimer.running, 1);
    t = 0.0;
    openMouth = 1;
    std::vector<double> angles;
    for (int i = 0; i < 9; i++) {
        chompTimer.start -= 0.01;  // a little time passes before each tick
        ChompStep();
        angles.push_back(t);
    }
    EXPECT_EQ(angles, (std::vector<double>{10, 20, 30, 40, 30, 20, 10, 0, 10}));
    chompLastTime = 1e6f;  // no time has passed since the last step
    ChompStep();
    EXPECT_EQ(t, 10.0);
}

TEST(Chomp, AnAngleLeftOutsideTheSwingComesBack) {
    // The level-change screen may hand play a wide-open mouth that is still
    // opening; it must close back into the swing, not shake at the limit.
    firstChomp = 1;
    ChompStep();
    t = 45.0;
    openMouth = 1;
    std::vector<double> angles;
    for (int i = 0; i < 5; i++) {
        chompTimer.start -= 0.01;
        ChompStep();
        angles.push_back(t);
    }
    EXPECT_EQ(angles, (std::vector<double>{55, 45, 35, 25, 15}));
}
