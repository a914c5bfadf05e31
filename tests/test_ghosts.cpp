// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the ghosts: wandering without turning back, the way out of a
// tunnel end, being eaten, the way home and the walk along it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "stress_common.h"

namespace {

using stress::Neighbour;

bool IsHome(const ptT& p) {
    return p.x == 13 && (p.z == 13 || p.z == 14);
}

// The steps of g's path, the next one first.
std::vector<ptT> PathOf(ghostT* g) {
    std::vector<ptT> steps;
    for (int i = StackDepth(g->path) - 1; i >= 0; i--) {
        steps.push_back(*static_cast<ptT*>(g->path->elements[i]));
    }
    return steps;
}

// Whether each step is one move, in its own direction, from the one before.
bool IsWalkFrom(ptT at, const std::vector<ptT>& steps) {
    for (const ptT& s : steps) {
        const ptT n = Neighbour(at.x, at.z, s.dir);
        if (n.x != s.x || n.z != s.z || IsGhostWall(n.x, n.z)) {
            return false;
        }
        at = s;
    }
    return true;
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
    // Ghost 0, alive on (x, z) facing d, with no path.
    ghostT* Place(int x, int z, dirT d) {
        initgame();
        ghost[0].x = x;
        ghost[0].z = z;
        ghost[0].dir = d;
        return &ghost[0];
    }
};

}  // namespace

TEST_F(Ghosts, LeaveHomeUpwardsAndNeverTurnBack) {
    for (unsigned seed = 0; seed < 2000; seed++) {
        srand(seed);
        ghostT* g = Place(13, 13, UP);
        MoveGhost(g);
        ASSERT_EQ(g->x * 100 + g->z, 1213) << "seed " << seed;
        g = Place(1, 3, RIGHT);  // a straight corridor
        MoveGhost(g);
        ASSERT_EQ(g->x * 100 + g->z, 104) << "seed " << seed;
    }
    srand(12345);
    ghostT* g = Place(13, 13, UP);
    bool crossedTunnel = false;
    for (int step = 0; step < 20000; step++) {
        const ptT before = {g->x, g->z, g->dir};
        MoveGhost(g);
        const ptT n = Neighbour(before.x, before.z, g->dir);
        ASSERT_TRUE(n.x == g->x && n.z == g->z && !IsGhostWall(n.x, n.z)) << "step " << step;
        ASSERT_NE(g->dir, OppositeDir(before.dir)) << "step " << step;
        crossedTunnel |= before.z == 1 && g->z == 27;
    }
    EXPECT_TRUE(crossedTunnel);
}

TEST_F(Ghosts, TurnedToFaceOutOfTheMazeAtATunnelEndTheyTurnBack) {
    for (unsigned seed = 0; seed < 50; seed++) {
        srand(seed);
        Place(14, 0, RIGHT);  // came through the tunnel
        ghost[1].x = 14;
        ghost[1].z = 27;
        ghost[1].dir = LEFT;
        StartPowerPeriod();
        MoveGhost(&ghost[0]);
        MoveGhost(&ghost[1]);
        EXPECT_TRUE(ghost[0].z == 1 && ghost[0].dir == RIGHT);
        EXPECT_TRUE(ghost[1].z == 26 && ghost[1].dir == LEFT);
    }
}

TEST_F(Ghosts, EatenAtThePlayersStartTheyWalk112StepsHome) {
    ghostT* g = Place(5, 13, LEFT);
    g->scared = true;
    killghost(g);
    EXPECT_TRUE(!g->alive && g->scared);
    EXPECT_EQ(score, 200);
    EXPECT_TRUE(ghostKilled == 1 && deadGhost.x == 5 && deadGhost.z == 13);
    const std::vector<ptT> steps = PathOf(g);
    ASSERT_EQ(steps.size(), 112u);
    EXPECT_TRUE(steps.front().x == 5 && steps.front().z == 14 && steps.front().dir == RIGHT);
    EXPECT_TRUE(steps.back().x == 13 && steps.back().z == 13 && steps.back().dir == DOWN);
    EXPECT_TRUE(IsWalkFrom({5, 13, LEFT}, steps));

    // Eating eyes changes nothing; a power pellet turns them, not their way.
    killghost(g);
    EXPECT_EQ(score, 200);
    EXPECT_EQ(StackDepth(g->path), 112);
    StartPowerPeriod();
    EXPECT_EQ(g->dir, RIGHT);
    EXPECT_EQ(StackDepth(g->path), 112);

    for (size_t i = 0; i < steps.size(); i++) {
        ASSERT_FALSE(g->alive) << "step " << i;
        MoveGhost(g);
        ASSERT_TRUE(g->x == steps[i].x && g->z == steps[i].z) << "step " << i;
    }
    EXPECT_TRUE(g->alive && !g->scared && g->dir == UP && g->path == nullptr);
    EXPECT_EQ(std::count(&g->marks[0][0], &g->marks[0][0] + boardRows * boardCols, true), 0);
    // With the marks cleared the same search finds the same way again.
    g->x = 5;
    g->z = 13;
    killghost(g);
    EXPECT_EQ(StackDepth(g->path), 112);
}

TEST_F(Ghosts, FromEveryReachableCellTheWayHomeIsAtMost131Steps) {
    bool seen[boardRows][boardCols] = {};
    std::deque<ptT> queue = {{13, 13, UP}};
    seen[13][13] = true;
    int reachable = 0;
    size_t longest = 0;
    for (; !queue.empty(); queue.pop_front(), reachable++) {
        const ptT cell = queue.front();
        for (const dirT d : {UP, RIGHT, DOWN, LEFT}) {
            const ptT n = Neighbour(cell.x, cell.z, d);
            if (!IsGhostWall(n.x, n.z) && !seen[n.x][n.z]) {
                seen[n.x][n.z] = true;
                queue.push_back(n);
            }
        }
        killghost(Place(cell.x, cell.z, UP));
        const std::vector<ptT> steps = PathOf(&ghost[0]);
        ASSERT_TRUE(IsWalkFrom(cell, steps)) << cell.x << "," << cell.z;
        ASSERT_EQ(IsHome(cell), steps.empty()) << cell.x << "," << cell.z;
        ASSERT_TRUE(steps.empty() || IsHome(steps.back())) << cell.x << "," << cell.z;
        longest = std::max(longest, steps.size());
    }
    EXPECT_EQ(reachable, 320);
    EXPECT_EQ(longest, 131u);
}

TEST_F(Ghosts, EatenOnTheOtherHomeCellTheyAreAliveAtTheirNextStep) {
    ghostT* g = Place(13, 14, LEFT);
    g->scared = true;
    killghost(g);
    ASSERT_NE(g->path, nullptr);
    EXPECT_TRUE(!g->alive && StackIsEmpty(g->path));
    MoveGhost(g);
    EXPECT_TRUE(g->alive && !g->scared && g->dir == UP && g->path == nullptr);
    EXPECT_EQ(g->x * 100 + g->z, 1314);
}
