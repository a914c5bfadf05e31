// Tests of the ghosts: wandering without ever turning back, the way out of
// a tunnel end, being eaten, the depth-first way home and the walk along it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <utility>

#include "../board/board.h"
#include "../game/mazerush.h"

namespace {

ptT Neighbour(int x, int z, dirT d) {
    ptT* p = NextMove(x, z, d);
    const ptT copy = *p;
    free(p);
    return copy;
}

bool IsHomeCell(int x, int z) {
    return x == 13 && (z == 13 || z == 14);
}

// A living ghost on (x, z) facing d, with no path.
void PlaceGhost(ghostT* g, int x, int z, dirT d) {
    FreePath(g);
    InitMarks(g->marks);
    g->x = x;
    g->z = z;
    g->dir = d;
    g->alive = true;
    g->scared = false;
}

int CountMarks(ghostT* g) {
    int n = 0;
    for (int x = 0; x < mazeRows; x++) {
        for (int z = 0; z < mazeCols; z++) {
            n += g->marks[x][z];
        }
    }
    return n;
}

// The steps of g's path from the top (the next step) down to the bottom.
std::deque<ptT> PathSteps(ghostT* g) {
    std::deque<ptT> steps;
    for (int i = StackDepth(g->path) - 1; i >= 0; i--) {
        steps.push_back(*static_cast<ptT*>(g->path->elements[i]));
    }
    return steps;
}

// Whether every step is one grid move, in its own direction, from the cell
// before it, starting from (x, z), through cells that ghosts may enter.
::testing::AssertionResult IsWalkFrom(int x, int z, const std::deque<ptT>& steps) {
    for (size_t i = 0; i < steps.size(); i++) {
        const ptT next = Neighbour(x, z, steps[i].dir);
        if (next.x != steps[i].x || next.z != steps[i].z) {
            return ::testing::AssertionFailure()
                   << "step " << i << " to (" << steps[i].x << ", " << steps[i].z
                   << ") is not one move from (" << x << ", " << z << ")";
        }
        if (IsGhostWall(next.x, next.z)) {
            return ::testing::AssertionFailure() << "step " << i << " enters a wall";
        }
        x = next.x;
        z = next.z;
    }
    return ::testing::AssertionSuccess();
}

class Ghosts : public ::testing::Test {
protected:
    void SetUp() override {
        InitBoard();
        initgame();
        num_ghosts = 4;
        score = 0;
    }
    void TearDown() override {
        initgame();  // frees any path still held
    }
    ghostT* g = &ghost[0];
};

}  // namespace

TEST_F(Ghosts, LeaveHomeThroughTheGate) {
    for (unsigned seed = 1; seed <= 100; seed++) {
        srand(seed);
        PlaceGhost(g, 13, 13, UP);
        MoveGhost(g);
        EXPECT_EQ(g->x, 12) << "seed " << seed;
        EXPECT_EQ(g->z, 13) << "seed " << seed;
        EXPECT_EQ(g->dir, UP) << "seed " << seed;
    }
}

TEST_F(Ghosts, NeverTurnBackInAStraightCorridor) {
    for (unsigned seed = 0; seed < 3000; seed++) {
        srand(seed);
        PlaceGhost(g, 1, 3, RIGHT);
        MoveGhost(g);
        ASSERT_EQ(g->z, 4) << "seed " << seed;
        ASSERT_EQ(g->dir, RIGHT) << "seed " << seed;
        PlaceGhost(g, 3, 1, DOWN);
        MoveGhost(g);
        ASSERT_EQ(g->x, 4) << "seed " << seed;
        ASSERT_EQ(g->dir, DOWN) << "seed " << seed;
    }
}

TEST_F(Ghosts, WanderOneCellAtATimeAndNeverBack) {
    srand(12345);
    PlaceGhost(g, 13, 13, UP);
    bool crossedTunnel = false;
    bool keptStraight = false;
    for (int step = 0; step < 20000; step++) {
        const ptT before = {g->x, g->z, g->dir};
        MoveGhost(g);
        const ptT expected = Neighbour(before.x, before.z, g->dir);
        ASSERT_EQ(g->x, expected.x) << "step " << step;
        ASSERT_EQ(g->z, expected.z) << "step " << step;
        ASSERT_FALSE(IsGhostWall(g->x, g->z)) << "step " << step;
        ASSERT_NE(g->dir, OppositeDir(before.dir)) << "step " << step;
        crossedTunnel |= before.z == 1 && g->z == 27;
        keptStraight |= g->dir == before.dir;
    }
    EXPECT_TRUE(crossedTunnel);
    EXPECT_TRUE(keptStraight);
}

TEST_F(Ghosts, TurnedOutOfTheMazeAtATunnelEndTheyTurnBack) {
    for (unsigned seed = 0; seed < 50; seed++) {
        srand(seed);
        // Came through the tunnel onto (14, 0) heading right; a power
        // pellet turns it to face the wall beyond the end.
        PlaceGhost(&ghost[0], 14, 0, RIGHT);
        PlaceGhost(&ghost[1], 14, 27, LEFT);
        StartPowerPeriod();
        ASSERT_EQ(ghost[0].dir, LEFT);
        ASSERT_EQ(ghost[1].dir, RIGHT);
        MoveGhost(&ghost[0]);
        MoveGhost(&ghost[1]);
        EXPECT_EQ(ghost[0].x, 14);
        EXPECT_EQ(ghost[0].z, 1);
        EXPECT_EQ(ghost[0].dir, RIGHT);
        EXPECT_EQ(ghost[1].x, 14);
        EXPECT_EQ(ghost[1].z, 26);
        EXPECT_EQ(ghost[1].dir, LEFT);
    }
}

TEST_F(Ghosts, EatenAtThePlayersStartWalks112StepsHome) {
    PlaceGhost(g, 5, 13, LEFT);
    g->scared = true;
    killghost(g);
    EXPECT_FALSE(g->alive);
    EXPECT_TRUE(g->scared);  // eyes stay scared until home or the period's end
    EXPECT_EQ(score, 200);
    EXPECT_EQ(ghostKilled, 1);
    EXPECT_EQ(deadGhost.x, 5);
    EXPECT_EQ(deadGhost.z, 13);
    ASSERT_NE(g->path, nullptr);
    const std::deque<ptT> steps = PathSteps(g);
    ASSERT_EQ(steps.size(), 112u);
    EXPECT_EQ(steps.front().x, 5);
    EXPECT_EQ(steps.front().z, 14);
    EXPECT_EQ(steps.front().dir, RIGHT);
    EXPECT_EQ(steps.back().x, 13);
    EXPECT_EQ(steps.back().z, 13);
    EXPECT_EQ(steps.back().dir, DOWN);
    EXPECT_TRUE(IsWalkFrom(5, 13, steps));
    EXPECT_TRUE(g->marks[5][13]);

    for (size_t i = 0; i < steps.size(); i++) {
        ASSERT_FALSE(g->alive) << "alive before home, at step " << i;
        MoveGhost(g);
        ASSERT_EQ(g->x, steps[i].x) << "step " << i;
        ASSERT_EQ(g->z, steps[i].z) << "step " << i;
    }
    EXPECT_TRUE(g->alive);
    EXPECT_FALSE(g->scared);
    EXPECT_EQ(g->dir, UP);
    EXPECT_EQ(g->path, nullptr);
    EXPECT_EQ(CountMarks(g), 0);

    // The marks were cleared, so the same search finds the same way again.
    PlaceGhost(g, 5, 13, LEFT);
    killghost(g);
    EXPECT_EQ(StackDepth(g->path), 112);
    EXPECT_EQ(score, 400);
}

TEST_F(Ghosts, EveryReachableCellHasAWayHomeOfAtMost131Steps) {
    // Every cell a ghost can reach from home, through the tunnel and gate.
    bool seen[mazeRows][mazeCols] = {};
    std::deque<std::pair<int, int>> queue = {{13, 13}};
    seen[13][13] = true;
    int reachable = 0;
    int longest = 0;
    while (!queue.empty()) {
        const auto [x, z] = queue.front();
        queue.pop_front();
        reachable++;
        for (const dirT d : {UP, RIGHT, DOWN, LEFT}) {
            const ptT n = Neighbour(x, z, d);
            if (!IsGhostWall(n.x, n.z) && !seen[n.x][n.z]) {
                seen[n.x][n.z] = true;
                queue.push_back({n.x, n.z});
            }
        }
        PlaceGhost(g, x, z, UP);
        killghost(g);
        const std::deque<ptT> steps = PathSteps(g);
        ASSERT_TRUE(IsWalkFrom(x, z, steps)) << "from (" << x << ", " << z << ")";
        if (IsHomeCell(x, z)) {
            EXPECT_TRUE(steps.empty());
        } else {
            ASSERT_FALSE(steps.empty());
            EXPECT_TRUE(IsHomeCell(steps.back().x, steps.back().z));
            for (size_t i = 0; i + 1 < steps.size(); i++) {
                EXPECT_FALSE(IsHomeCell(steps[i].x, steps[i].z));
            }
        }
        longest = std::max(longest, static_cast<int>(steps.size()));
    }
    EXPECT_EQ(reachable, 320);
    EXPECT_EQ(longest, 131);
}

TEST_F(Ghosts, EatenOnTheOtherHomeCellIsAliveAtItsNextStep) {
    PlaceGhost(g, 13, 14, LEFT);
    g->scared = true;
    killghost(g);
    EXPECT_FALSE(g->alive);
    ASSERT_NE(g->path, nullptr);
    EXPECT_TRUE(StackIsEmpty(g->path));
    MoveGhost(g);
    EXPECT_TRUE(g->alive);
    EXPECT_FALSE(g->scared);
    EXPECT_EQ(g->x, 13);
    EXPECT_EQ(g->z, 14);
    EXPECT_EQ(g->dir, UP);
    EXPECT_EQ(g->path, nullptr);
}

TEST_F(Ghosts, EatingEyesChangesNothing) {
    PlaceGhost(g, 5, 13, LEFT);
    killghost(g);
    MoveGhost(g);
    stackCDT* path = g->path;
    const int depth = StackDepth(path);
    ghostKilled = 0;
    deadGhost.x = 0;
    deadGhost.z = 0;
    killghost(g);
    EXPECT_EQ(score, 200);
    EXPECT_EQ(g->path, path);
    EXPECT_EQ(StackDepth(g->path), depth);
    EXPECT_EQ(ghostKilled, 0);
    EXPECT_EQ(deadGhost.x, 0);
}

TEST_F(Ghosts, PowerPelletReversesEyesButKeepsTheirWay) {
    PlaceGhost(g, 5, 13, LEFT);
    killghost(g);
    for (int i = 0; i < 3; i++) {
        MoveGhost(g);
    }
    const std::deque<ptT> before = PathSteps(g);
    const dirT dir = g->dir;
    StartPowerPeriod();
    EXPECT_TRUE(g->scared);
    EXPECT_EQ(g->dir, OppositeDir(dir));
    const std::deque<ptT> after = PathSteps(g);
    ASSERT_EQ(after.size(), before.size());
    MoveGhost(g);
    EXPECT_EQ(g->x, before.front().x);
    EXPECT_EQ(g->z, before.front().z);
    EndPowerPeriod();
}
