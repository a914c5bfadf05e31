// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// A robot player: plays whole levels through the real keyboard callback and
// the real idle callback, steering by a breadth-first search to the nearest
// pellet around the cells near dangerous ghosts, and chasing scared ghosts
// while a power pellet lasts. Time runs forward through the timers' start
// readings, so a level takes well under a second. The invariants of play are
// checked after every tick.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "stress_common.h"

namespace {

const double tickSeconds = 0.05;  // game time of one tick
const int dangerRadius = 3;       // cells kept clear around a dangerous ghost
const int chaseRadius = 10;       // a scared ghost this near is worth a chase
const double chaseUntil = 11.0;   // no chase late in the power period
const int noCell = -1;

// The four steering keys of the 2D view, in dirT order, and their twins.
const unsigned char steerKeys[2][4] = {{'8', '6', '2', '4'}, {'i', 'k', 'm', 'j'}};

struct Cell {
    int x;
    int z;
};

Cell Step(Cell c, int d) {
    const ptT n = stress::Neighbour(c.x, c.z, static_cast<dirT>(d));
    return Cell{n.x, n.z};
}

bool Dangerous(const ghostT& g) {
    return g.alive && !(invincible && g.scared && madtimer.Time() < chaseUntil + 2.0);
}

// Breadth-first distances over the cells a ghost may enter, from (x, z).
void GhostDistances(int x, int z, int dist[boardRows][boardCols]) {
    for (int r = 0; r < boardRows; r++) {
        for (int c = 0; c < boardCols; c++) {
            dist[r][c] = noCell;
        }
    }
    std::deque<Cell> open{{x, z}};
    dist[x][z] = 0;
    while (!open.empty()) {
        const Cell c = open.front();
        open.pop_front();
        if (dist[c.x][c.z] >= dangerRadius) {
            continue;
        }
        for (int d = UP; d <= LEFT; d++) {
            const Cell n = Step(c, d);
            if (!IsGhostWall(n.x, n.z) && dist[n.x][n.z] == noCell) {
                dist[n.x][n.z] = dist[c.x][c.z] + 1;
                open.push_back(n);
            }
        }
    }
}

// The cells Gobbler should keep off: those near a dangerous ghost.
void DangerMap(bool danger[boardRows][boardCols]) {
    static int dist[boardRows][boardCols];
    for (int r = 0; r < boardRows; r++) {
        for (int c = 0; c < boardCols; c++) {
            danger[r][c] = false;
        }
    }
    for (int i = 0; i < num_ghosts; i++) {
        if (!Dangerous(ghost[i])) {
            continue;
        }
        GhostDistances(ghost[i].x, ghost[i].z, dist);
        for (int r = 0; r < boardRows; r++) {
            for (int c = 0; c < boardCols; c++) {
                danger[r][c] = danger[r][c] || dist[r][c] != noCell;
            }
        }
    }
}

bool IsTarget(Cell c, bool chase) {
    if (chase) {
        for (int i = 0; i < num_ghosts; i++) {
            if (ghost[i].alive && ghost[i].scared && ghost[i].x == c.x && ghost[i].z == c.z) {
                return true;
            }
        }
    }
    return pellets[c.x][c.z] > cellEmpty;
}

// The first direction of the shortest way from Gobbler to a target that
// keeps off the danger cells, or -1 when there is none within maxDepth.
int FirstStepToTarget(const bool danger[boardRows][boardCols], bool chase, int maxDepth) {
    static int first[boardRows][boardCols];
    static int depth[boardRows][boardCols];
    for (int r = 0; r < boardRows; r++) {
        for (int c = 0; c < boardCols; c++) {
            first[r][c] = noCell;
            depth[r][c] = noCell;
        }
    }
    std::deque<Cell> open{{gobx, gobz}};
    depth[gobx][gobz] = 0;
    while (!open.empty()) {
        const Cell c = open.front();
        open.pop_front();
        if (depth[c.x][c.z] > 0 && IsTarget(c, chase)) {
            return first[c.x][c.z];
        }
        if (depth[c.x][c.z] >= maxDepth) {
            continue;
        }
        for (int d = UP; d <= LEFT; d++) {
            const Cell n = Step(c, d);
            if (IsGobWall(n.x, n.z) || depth[n.x][n.z] != noCell || danger[n.x][n.z]) {
                continue;
            }
            depth[n.x][n.z] = depth[c.x][c.z] + 1;
            first[n.x][n.z] = depth[c.x][c.z] == 0 ? d : first[c.x][c.z];
            open.push_back(n);
        }
    }
    return noCell;
}

// With no safe way anywhere: the open neighbour farthest from every
// dangerous ghost (as the crow flies), or standing on.
int Flee() {
    int best = noCell;
    int bestDistance = -1;
    for (int d = UP; d <= LEFT; d++) {
        const Cell n = Step(Cell{gobx, gobz}, d);
        if (IsGobWall(n.x, n.z)) {
            continue;
        }
        int nearest = 1 << 20;
        for (int i = 0; i < num_ghosts; i++) {
            if (Dangerous(ghost[i])) {
                const int dd = std::abs(ghost[i].x - n.x) + std::abs(ghost[i].z - n.z);
                nearest = dd < nearest ? dd : nearest;
            }
        }
        if (nearest > bestDistance) {
            bestDistance = nearest;
            best = d;
        }
    }
    return best;
}

int ChooseDirection() {
    static bool danger[boardRows][boardCols];
    DangerMap(danger);
    if (invincible && madtimer.Time() < chaseUntil) {
        const int d = FirstStepToTarget(danger, true, chaseRadius);
        if (d != noCell) {
            return d;
        }
    }
    const int d = FirstStepToTarget(danger, false, boardRows * boardCols);
    return d != noCell ? d : Flee();
}

struct RobotScore {
    int levelsCleared = 0;
    int powerPelletsEaten = 0;
    int ghostsEaten = 0;
    int livesLost = 0;
    long ticks = 0;
};

// Plays from the menu until levelsWanted levels are cleared, the game ends
// or maxTicks pass, checking the invariants after every tick.
RobotScore Play(int levelsWanted, long maxTicks) {
    RobotScore result;
    int twin = 0;
    for (; result.ticks < maxTicks && !gameOver; result.ticks++) {
        if (changeLevel) {
            stress::AdvanceClocks(tickSeconds);
            Idle();
            continue;
        }
        if (levelNum > levelsWanted) {
            break;
        }
        const int d = ChooseDirection();
        if (d != noCell && d != gobdir) {
            Keyboard(steerKeys[twin][d], 0, 0);
            twin ^= 1;
        }
        const stress::Before before = stress::Take();
        stress::AdvanceClocks(tickSeconds);
        Idle();
        EXPECT_TRUE(stress::Invariants(before)) << "at tick " << result.ticks;
        if (::testing::Test::HasFailure()) {
            break;
        }
        result.powerPelletsEaten += before.underGob == cellPowerPellet ? 1 : 0;
        for (int i = 0; i < num_ghosts; i++) {
            result.ghostsEaten += before.alive[i] && !ghost[i].alive ? 1 : 0;
        }
        result.livesLost += menLeft < before.menLeft ? 1 : 0;
        result.levelsCleared += levelNum > before.levelNum ? 1 : 0;
    }
    return result;
}

// The game as main prepares it, then through the intro and the menu by keys.
void StartGameByKeys() {
    InitBoard();
    initgame();
    Keyboard('s', 0, 0);
    ASSERT_EQ(menu, 1);
    Display();  // the menu applies the difficulty as it is drawn
    Keyboard('p', 0, 0);
    ASSERT_EQ(menu, 0);
    ASSERT_EQ(num_ghosts, 4);
}

}  // namespace

TEST(Robot, ClearsTwoLevelsWithFourGhosts) {
    srand(1);
    StartGameByKeys();
    const RobotScore r = Play(2, 200000);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(gameOver, 0);
    EXPECT_EQ(r.levelsCleared, 2);
    EXPECT_EQ(levelNum, 3);
    EXPECT_EQ(r.powerPelletsEaten, 8);  // four in each maze
    EXPECT_GT(r.ghostsEaten, 0);
    EXPECT_GE(score, 2 * (294 * pelletPoints + 4 * powerPelletPoints));
    RecordProperty("ticks", static_cast<int>(r.ticks));
    RecordProperty("ghostsEaten", r.ghostsEaten);
    RecordProperty("livesLost", r.livesLost);
    std::printf("robot: %ld ticks, %d ghosts eaten, %d lives lost, score %d\n", r.ticks,
                r.ghostsEaten, r.livesLost, score);
    for (int i = 0; i < maxGhosts; i++) {
        FreePath(&ghost[i]);
    }
}

// Several games from different draws of the ghosts' moves: the invariants
// hold on every tick whether the robot wins or loses.
TEST(Robot, InvariantsHoldOverManyDraws) {
    for (unsigned seed = 2; seed < 8; seed++) {
        srand(seed);
        RestartGame();
        StartGameByKeys();
        difficulty = 1 + static_cast<int>(seed % 3);
        SetDifficulty();
        Play(2, 20000);
        ASSERT_FALSE(HasFailure()) << "seed " << seed;
    }
    for (int i = 0; i < maxGhosts; i++) {
        FreePath(&ghost[i]);
    }
}
