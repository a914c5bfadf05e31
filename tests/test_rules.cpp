// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the rules of a game, driven mostly through the real play tick:
// step timing, the order of pellet, meetings and steps, the power period,
// the end of a level, of a life and of a game, pause, a new game, and whole
// games with no heap record lost. Time moves on by setting the recorded
// readings, never by sleeping.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "stress_common.h"

namespace {

void GobStepDue() {
    lastgobmove = movegobT.Time() - 1.0;
}

void Put(int* x, int* z, dirT* d, int toX, int toZ, dirT toD) {
    *x = toX;
    *z = toZ;
    *d = toD;
}
void PutGob(int x, int z, dirT d) {
    Put(&gobx, &gobz, &gobdir, x, z, d);
}
void PutGhost(int i, int x, int z, dirT d) {
    Put(&ghost[i].x, &ghost[i].z, &ghost[i].dir, x, z, d);
}

// Whether the player and the active ghosts stand at their start cells.
bool PiecesAtStart() {
    bool ok = gobx == 5 && gobz == 13 && gobdir == RIGHT && !invincible;
    for (int i = 0; i < num_ghosts; i++) {
        const ghostT& g = ghost[i];
        ok &= g.x == 13 && g.z == 13 && g.dir == UP && g.alive && !g.scared && !g.path;
    }
    return ok;
}

class Rules : public ::testing::Test {
protected:
    void SetUp() override {
        InitBoard();
        initgame();
        intro = menu = changeLevel = gameOver = gamePaused = 0;
        pelletsEaten = score = 0;
        levelNum = 1;
        menLeft = 3;
        num_ghosts = 4;
        gobspeed = 0.2;
        ghostspeed = 0.4;
        for (int i = 0; i < maxGhosts; i++) {
            ghost[i].lastmove = ghost[i].timer.Time();  // no ghost step due
        }
        lastgobmove = movegobT.Time();
    }
    void TearDown() override {
        initgame();
    }
};

}  // namespace

TEST_F(Rules, OneStepOfThePlayerPerIntervalHoweverLateTheTick) {
    // The player's clock is held still, so every reading is exact.
    movegobT.Reset();
    lastgobmove = 0.0;
    movegobT.elapsed = 0.19;
    PlayTick();
    EXPECT_EQ(gobz, 13);
    EXPECT_EQ(score, 10);  // the pellet under it is eaten all the same
    movegobT.elapsed = 0.2;
    PlayTick();
    EXPECT_EQ(gobz, 14);
    movegobT.elapsed = 5.2;  // a very late tick
    PlayTick();
    PlayTick();
    EXPECT_EQ(gobz, 15);
}

TEST_F(Rules, ALifeIsLostBeforeThePlayerMovesAndWhenItStepsOntoAGhost) {
    PutGob(5, 10, RIGHT);
    GobStepDue();
    PutGhost(1, 5, 10, LEFT);
    PlayTick();
    EXPECT_EQ(menLeft, 2);
    EXPECT_TRUE(PiecesAtStart());
    // The ghost's own step would have taken it past the player.
    PutGob(5, 10, RIGHT);
    GobStepDue();
    PutGhost(2, 5, 11, LEFT);
    ghost[2].lastmove = -1e9;
    PlayTick();
    EXPECT_EQ(menLeft, 1);
    // Eyes are harmless.
    PutGhost(3, 5, 13, LEFT);
    killghost(&ghost[3]);
    PlayTick();
    EXPECT_EQ(menLeft, 1);
}

TEST_F(Rules, APowerPelletTickEatsAGhostOnThePlayersCellInTheFirstTest) {
    // Left to the second test, the player would have stepped away first.
    PutGob(1, 1, RIGHT);
    GobStepDue();
    PutGhost(0, 1, 1, LEFT);
    PlayTick();
    EXPECT_TRUE(invincible && gobspeed == 0.1 && ghost[1].scared);
    EXPECT_FALSE(ghost[0].alive);
    EXPECT_EQ(score, 50 + 200);
    EXPECT_EQ(menLeft, 3);
    EXPECT_EQ(gobz, 2);
}

TEST_F(Rules, AGhostBackHomeInAPowerPeriodKillsFirstAndIsEatenAfterTheStep) {
    StartPowerPeriod();
    ghost[0].scared = false;  // came alive at home during the period
    PutGhost(0, 5, 13, LEFT);
    PlayTick();
    EXPECT_EQ(menLeft, 2);
    StartPowerPeriod();
    ghost[0].scared = false;
    PutGhost(0, 5, 14, LEFT);
    GobStepDue();
    PlayTick();
    EXPECT_EQ(menLeft, 2);
    EXPECT_FALSE(ghost[0].alive);
}

TEST_F(Rules, ThePowerPeriodLastsFifteenSeconds) {
    StartPowerPeriod();
    madtimer.start -= 14.9;
    PlayTick();
    EXPECT_EQ(invincible, 1);
    madtimer.start -= 0.2;
    PlayTick();
    EXPECT_TRUE(!invincible && gobspeed == 0.2 && !ghost[0].scared && !madtimer.running);
    EXPECT_EQ(madtimer.Time(), 0.0);
}

TEST_F(Rules, APowerPelletAsThe298thEndsTheLevelInTheSameTick) {
    pelletsEaten = 297;
    PutGob(1, 1, RIGHT);
    GobStepDue();
    PlayTick();
    EXPECT_TRUE(changeLevel && levelChangeStart);
    EXPECT_EQ(levelNum, 2);
    EXPECT_EQ(pelletsEaten, 0);
    EXPECT_EQ(stress::PelletsIn(pellets), 298);
    EXPECT_TRUE(PiecesAtStart());
    EXPECT_EQ(gobspeed, 0.1);  // the cut-short period leaves the quick pace
    EXPECT_EQ(ghostspeed, 0.35);
}

TEST_F(Rules, GhostIntervalsFollowExactStepsOverAHundredLevels) {
    const std::vector<std::vector<double>> runs = {
        {0.4, 0.35, 0.30, 0.25, 0.20, 0.15, 0.10, 0.05},
        {0.2, 0.15, 0.10, 0.05},  // "GOOD": 0.1 s at the fourth change
    };
    for (std::vector<double> expected : runs) {
        while (expected.size() < 101) {
            expected.push_back(expected.back() == 0.05 ? 0.1 : 0.05);
        }
        std::vector<double> got = {expected[0]};
        ghostspeed = expected[0];
        for (int level = 0; level < 100; level++) {
            LevelFinished();
            got.push_back(ghostspeed);
        }
        EXPECT_EQ(got, expected);
    }
}

TEST_F(Rules, TheLastLifeEndsTheGameWithThePiecesAtTheirStart) {
    menLeft = 1;
    PutGhost(3, 20, 5, LEFT);
    killghost(&ghost[3]);
    PutGhost(1, 5, 13, UP);
    PutGob(5, 13, LEFT);
    PlayTick();
    EXPECT_EQ(menLeft, 0);
    EXPECT_EQ(gameOver, 1);
    EXPECT_TRUE(PiecesAtStart());
}

TEST_F(Rules, WhilePausedTheIdleCallbackChangesNothing) {
    PutGob(5, 10, RIGHT);
    GobStepDue();
    ghost[0].lastmove = -1e9;
    StartPowerPeriod();
    madtimer.start -= 20.0;
    gamePaused = 1;
    const int before[] = {gobx, gobz, score, invincible, ghost[0].x, ghost[0].z};
    const double tBefore = t;
    Idle();
    const int after[] = {gobx, gobz, score, invincible, ghost[0].x, ghost[0].z};
    EXPECT_EQ(std::memcmp(before, after, sizeof(after)), 0);
    EXPECT_EQ(t, tBefore);
    gamePaused = 0;
    Idle();  // everything whose time has come acts at once
    EXPECT_TRUE(gobz == 11 && score == 10 && !invincible && ghost[0].x * 100 + ghost[0].z != 1313);
}

TEST_F(Rules, ANewGameAfterQuittingMidLevelNeedsAll298Pellets) {
    for (int z = 1; z <= 26; z++) {
        eatPellet(5, z);
    }
    PutGhost(0, 5, 1, LEFT);
    killghost(&ghost[0]);
    killghost(&ghost[7]);  // a slot out of play holding a way home
    ghostspeed = gobspeed = 0.1;
    RestartGame();
    EXPECT_TRUE(menu == 1 && score == 0 && menLeft == 3 && levelNum == 1);
    EXPECT_TRUE(gobspeed == 0.2 && ghostspeed == 0.4 && !ghost[7].path);
    EXPECT_TRUE(PiecesAtStart());
    for (int x = 0; x < boardRows; x++) {
        for (int z = 0; z < boardCols; z++) {
            if (pellets[x][z] > 0 && changeLevel == 0) {
                eatPellet(x, z);
            }
        }
    }
    EXPECT_EQ(score, 294 * 10 + 4 * 50);  // the level ended at the last one
    EXPECT_EQ(changeLevel, 1);
}

// Whole games on a fast clock: the player's step is due every tick, the
// ghosts' every other; the player turns at random where it can, and every
// 3000 ticks the level is cut short. The leak check must stay silent.
TEST_F(Rules, WholeGamesLoseNoHeapRecord) {
    srand(2024);
    int kills = 0;
    int games = 0;
    for (int tick = 0; games < 3 && tick < 200000; tick++) {
        const dirT d = static_cast<dirT>(rand() % 4);
        const ptT n = stress::Neighbour(gobx, gobz, d);
        if (rand() % 4 == 0 && !IsGobWall(n.x, n.z)) {
            gobdir = d;
        }
        GobStepDue();
        for (int i = 0; i < num_ghosts && tick % 2 == 0; i++) {
            ghost[i].lastmove = -1e9;
        }
        madtimer.start -= 0.25;  // a power period lasts sixty ticks
        PlayTick();
        kills += ghostKilled;
        ghostKilled = 0;
        if (tick % 3000 == 2999) {
            LevelFinished();
        }
        changeLevel = 0;  // the level-change screen has run its course
        if (gameOver) {
            games++;
            RestartGame();
            menu = 0;
            num_ghosts = 4 + 2 * (games % 3);
        }
    }
    EXPECT_EQ(games, 3);
    EXPECT_GT(kills, 0);
}
