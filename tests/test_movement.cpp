// Tests of movement on the grid: the wall tests of Gobbler and the ghosts,
// the neighbour of a cell with the side tunnel, Gobbler's step and the
// chomping of its mouth.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"

namespace {

// A neighbour as a value; the heap record is freed at once.
ptT Neighbour(int x, int z, dirT d) {
    ptT* p = NextMove(x, z, d);
    const ptT copy = *p;
    free(p);
    return copy;
}

void PutGob(int x, int z, dirT d) {
    gobx = x;
    gobz = z;
    gobdir = d;
}

}  // namespace

TEST(WallTests, GateBlocksGobblerButNotGhosts) {
    InitBoard();
    EXPECT_TRUE(IsGobWall(12, 13));
    EXPECT_TRUE(IsGobWall(12, 14));
    EXPECT_FALSE(IsGhostWall(12, 13));
    EXPECT_FALSE(IsGhostWall(12, 14));
    // A wall blocks both, a pellet, a power pellet and a bare cell neither.
    EXPECT_TRUE(IsGobWall(0, 0));
    EXPECT_TRUE(IsGhostWall(0, 0));
    for (const auto& cell : {std::pair<int, int>{5, 13}, {1, 1}, {13, 13}, {14, 0}}) {
        EXPECT_FALSE(IsGobWall(cell.first, cell.second)) << cell.first << "," << cell.second;
        EXPECT_FALSE(IsGhostWall(cell.first, cell.second)) << cell.first << "," << cell.second;
    }
}

TEST(WallTests, ReadTheLiveGrid) {
    InitBoard();
    pellets[5][13] = cellWall;
    EXPECT_TRUE(IsGobWall(5, 13));
    EXPECT_TRUE(IsGhostWall(5, 13));
    InitBoard();
    EXPECT_FALSE(IsGobWall(5, 13));
}

TEST(WallTests, ColumnsBeyondTheTunnelEndsAreWallWithoutReadingNeighbours) {
    InitBoard();
    // In row-major storage column -1 of row 14 is the last cell of row 13 and
    // column 28 the first of row 15. Open them: the answer must not change.
    pellets[13][27] = cellEmpty;
    pellets[15][0] = cellEmpty;
    EXPECT_TRUE(IsGobWall(14, -1));
    EXPECT_TRUE(IsGhostWall(14, -1));
    EXPECT_TRUE(IsGobWall(14, 28));
    EXPECT_TRUE(IsGhostWall(14, 28));
    EXPECT_TRUE(IsGobWall(-1, 5));
    EXPECT_TRUE(IsGhostWall(31, 5));
    EXPECT_TRUE(IsGhostWall(3, 1000));
}

TEST(OppositeDir, EachDirectionTurnsBack) {
    EXPECT_EQ(OppositeDir(UP), DOWN);
    EXPECT_EQ(OppositeDir(DOWN), UP);
    EXPECT_EQ(OppositeDir(RIGHT), LEFT);
    EXPECT_EQ(OppositeDir(LEFT), RIGHT);
}

TEST(NextMove, OneCellInEachDirection) {
    const ptT up = Neighbour(5, 13, UP);
    EXPECT_EQ(up.x, 4);
    EXPECT_EQ(up.z, 13);
    EXPECT_EQ(up.dir, UP);
    const ptT right = Neighbour(5, 13, RIGHT);
    EXPECT_EQ(right.x, 5);
    EXPECT_EQ(right.z, 14);
    EXPECT_EQ(right.dir, RIGHT);
    const ptT down = Neighbour(5, 13, DOWN);
    EXPECT_EQ(down.x, 6);
    EXPECT_EQ(down.z, 13);
    EXPECT_EQ(down.dir, DOWN);
    const ptT left = Neighbour(5, 13, LEFT);
    EXPECT_EQ(left.x, 5);
    EXPECT_EQ(left.z, 12);
    EXPECT_EQ(left.dir, LEFT);
}

TEST(NextMove, TunnelLeadsFromEachEndToTheOther) {
    const ptT west = Neighbour(14, 1, LEFT);
    EXPECT_EQ(west.x, 14);
    EXPECT_EQ(west.z, 27);
    EXPECT_EQ(west.dir, LEFT);
    const ptT east = Neighbour(14, 26, RIGHT);
    EXPECT_EQ(east.x, 14);
    EXPECT_EQ(east.z, 0);
    EXPECT_EQ(east.dir, RIGHT);
    // Out of an end cell along the tunnel, and outwards beyond it.
    EXPECT_EQ(Neighbour(14, 0, RIGHT).z, 1);
    EXPECT_EQ(Neighbour(14, 27, LEFT).z, 26);
    EXPECT_EQ(Neighbour(14, 0, LEFT).z, -1);
    EXPECT_EQ(Neighbour(14, 27, RIGHT).z, 28);
    // The wrap holds for any result in an end column; rows never wrap.
    EXPECT_EQ(Neighbour(5, 0, UP).z, 27);
    EXPECT_EQ(Neighbour(0, 5, UP).x, -1);
}

TEST(MoveGob, StepsOneCellAlongItsDirection) {
    InitBoard();
    PutGob(5, 13, RIGHT);
    MoveGob();
    EXPECT_EQ(gobx, 5);
    EXPECT_EQ(gobz, 14);
    PutGob(5, 18, DOWN);
    MoveGob();
    EXPECT_EQ(gobx, 6);
    EXPECT_EQ(gobz, 18);
}

TEST(MoveGob, RunsThroughTheTunnelBothWays) {
    InitBoard();
    PutGob(14, 1, LEFT);
    MoveGob();
    EXPECT_EQ(gobx, 14);
    EXPECT_EQ(gobz, 27);
    MoveGob();
    EXPECT_EQ(gobz, 26);
    PutGob(14, 26, RIGHT);
    MoveGob();
    EXPECT_EQ(gobz, 0);
    MoveGob();
    EXPECT_EQ(gobz, 1);
    EXPECT_EQ(gobdir, RIGHT);
}

TEST(MoveGob, StopsAtWallsAndTheGate) {
    InitBoard();
    // Row 5 ends at the outer wall in column 27.
    PutGob(5, 26, RIGHT);
    MoveGob();
    MoveGob();
    EXPECT_EQ(gobx, 5);
    EXPECT_EQ(gobz, 26);
    EXPECT_EQ(gobdir, RIGHT);
    // Above the gate.
    PutGob(11, 13, DOWN);
    MoveGob();
    EXPECT_EQ(gobx, 11);
    EXPECT_EQ(gobz, 13);
    EXPECT_EQ(gobdir, DOWN);
}

TEST(Chomp, FirstTickStartsTheMouthClock) {
    firstChomp = 1;
    ChompStep();
    EXPECT_EQ(firstChomp, 0);
    EXPECT_EQ(chompTimer.running, 1);
}

TEST(Chomp, MouthSwingsOneStepBeyondEachLimit) {
    t = 0.0;
    openMouth = 1;
    firstChomp = 0;
    chompTimer.Reset();
    chompTimer.Start();
    chompLastTime = 0.0f;
    std::vector<double> angles;
    for (int i = 0; i < 9; i++) {
        chompTimer.start -= 0.01;  // a little time passes before each tick
        ChompStep();
        angles.push_back(t);
    }
    const std::vector<double> expected = {10, 20, 30, 40, 30, 20, 10, 0, 10};
    EXPECT_EQ(angles, expected);
    EXPECT_EQ(openMouth, 1);
}

TEST(Chomp, NoTimePassedNoStep) {
    t = 20.0;
    openMouth = 0;
    firstChomp = 0;
    chompTimer.Reset();
    chompTimer.Start();
    chompLastTime = 1000.0f;  // a reading later than any the timer gives now
    ChompStep();
    EXPECT_EQ(t, 20.0);
    EXPECT_LT(chompChange, 0.0);
    chompTimer.start -= 0.01;
    chompLastTime = 0.0f;
    ChompStep();
    EXPECT_EQ(t, 10.0);
    EXPECT_EQ(openMouth, 0);
}
