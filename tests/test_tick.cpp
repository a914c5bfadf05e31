// Tests of the play tick, driven through the real PlayTick and Idle: the
// step timing of the player and the ghosts, the order of the pellet, the
// two meeting tests and the steps, the power period's start and end, the
// end of a level and of a game, pause, and whole games with no record lost.
// Time is moved on by setting the recorded readings, never by sleeping.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "../board/board.h"
#include "../game/mazerush.h"

namespace {

// The player's step is due at the next tick (its last step long ago), or
// not (it stepped just now).
void GobStepDue() {
    lastgobmove = movegobT.Time() - 1.0;
}
void GobStepNotDue() {
    lastgobmove = movegobT.Time();
}
void GhostStepDue(ghostT* g) {
    g->lastmove = g->timer.Time() - 1.0;
}
void GhostStepNotDue(ghostT* g) {
    g->lastmove = g->timer.Time();
}

void PutGob(int x, int z, dirT d) {
    gobx = x;
    gobz = z;
    gobdir = d;
}

void PutGhost(ghostT* g, int x, int z, dirT d) {
    g->x = x;
    g->z = z;
    g->dir = d;
}

int PelletsLeft() {
    int n = 0;
    for (int x = 0; x < boardRows; x++) {
        for (int z = 0; z < boardCols; z++) {
            n += pellets[x][z] > 0;
        }
    }
    return n;
}

class Tick : public ::testing::Test {
protected:
    void SetUp() override {
        InitBoard();
        initgame();
        intro = 0;
        menu = 0;
        changeLevel = 0;
        gameOver = 0;
        gamePaused = 0;
        levelNum = 1;
        num_ghosts = 4;
        score = 0;
        menLeft = 3;
        pelletsEaten = 0;
        gobspeed = 0.2;
        ghostspeed = 0.4;
        for (int i = 0; i < maxGhosts; i++) {
            GhostStepNotDue(&ghost[i]);
        }
        GobStepNotDue();
    }
    void TearDown() override {
        initgame();
    }
};

}  // namespace

TEST_F(Tick, PlayerStepsWhenItsIntervalHasPassed) {
    lastgobmove = movegobT.Time() - 0.19;
    PlayTick();
    EXPECT_EQ(gobz, 13);
    EXPECT_EQ(score, 10);  // the pellet under it is eaten all the same
    lastgobmove = movegobT.Time() - 0.2;
    PlayTick();
    EXPECT_EQ(gobz, 14);
    // However late the tick, one step; the next is timed from this tick.
    lastgobmove = movegobT.Time() - 5.0;
    PlayTick();
    EXPECT_EQ(gobz, 15);
    PlayTick();
    EXPECT_EQ(gobz, 15);
    // Twice the pace in a power period.
    gobspeed = 0.1;
    lastgobmove = movegobT.Time() - 0.1;
    PlayTick();
    EXPECT_EQ(gobz, 16);
}

TEST_F(Tick, GhostsStepAtTheirInterval) {
    ghostT* g = &ghost[0];
    PutGhost(g, 1, 3, RIGHT);
    g->lastmove = g->timer.Time() - 0.39;
    PlayTick();
    EXPECT_EQ(g->z, 3);
    g->lastmove = g->timer.Time() - 0.4;
    PlayTick();
    EXPECT_EQ(g->z, 4);
    GhostStepDue(g);
    PlayTick();
    PlayTick();
    EXPECT_EQ(g->z, 5);
    // The other ghosts had no step due and stayed at home.
    EXPECT_EQ(ghost[1].x, 13);
    EXPECT_EQ(ghost[1].z, 13);
}

TEST_F(Tick, ALifeIsLostBeforeThePlayerMoves) {
    PutGob(5, 10, RIGHT);
    GobStepDue();
    PutGhost(&ghost[1], 5, 10, LEFT);
    PlayTick();
    EXPECT_EQ(menLeft, 2);
    EXPECT_EQ(score, 10);  // the pellet was eaten before the meeting
    EXPECT_EQ(gobx, 5);
    EXPECT_EQ(gobz, 13);
    EXPECT_EQ(ghost[1].x, 13);
    EXPECT_EQ(ghost[1].z, 13);
}

TEST_F(Tick, APlayerSteppingOntoAGhostMeetsItBeforeTheGhostSteps) {
    PutGob(5, 10, RIGHT);
    GobStepDue();
    PutGhost(&ghost[2], 5, 11, LEFT);
    GhostStepDue(&ghost[2]);
    PlayTick();
    EXPECT_EQ(menLeft, 2);
    EXPECT_EQ(gobz, 13);
}

TEST_F(Tick, EyesNeverCostALife) {
    PutGhost(&ghost[0], 5, 13, LEFT);
    killghost(&ghost[0]);
    score = 0;
    PlayTick();
    EXPECT_EQ(menLeft, 3);
    EXPECT_EQ(score, 10);
}

TEST_F(Tick, APowerPelletTickEatsAGhostOnThePlayersCellInTheFirstTest) {
    // Had the ghost been left to the second test, the player would have
    // stepped away from it first.
    PutGob(1, 1, RIGHT);
    GobStepDue();
    PutGhost(&ghost[0], 1, 1, LEFT);
    PlayTick();
    EXPECT_EQ(invincible, 1);
    EXPECT_EQ(gobspeed, 0.1);
    EXPECT_FALSE(ghost[0].alive);
    EXPECT_NE(ghost[0].path, nullptr);
    EXPECT_EQ(score, 50 + 200);
    EXPECT_EQ(menLeft, 3);
    EXPECT_EQ(gobz, 2);
    EXPECT_TRUE(ghost[1].scared);
}

TEST_F(Tick, AGhostBackHomeInAPowerPeriodTakesALifeInTheFirstTest) {
    StartPowerPeriod();
    ghost[0].scared = false;  // came alive at home during the period
    PutGhost(&ghost[0], 5, 13, LEFT);
    PlayTick();
    EXPECT_EQ(menLeft, 2);
    EXPECT_EQ(invincible, 0);
}

TEST_F(Tick, AGhostBackHomeInAPowerPeriodIsEatenInTheSecondTest) {
    StartPowerPeriod();
    ghost[0].scared = false;
    PutGhost(&ghost[0], 5, 14, LEFT);
    GobStepDue();
    PlayTick();
    EXPECT_EQ(gobz, 14);
    EXPECT_EQ(menLeft, 3);
    EXPECT_FALSE(ghost[0].alive);
    EXPECT_EQ(score, 10 + 200);
}

TEST_F(Tick, ThePowerPeriodEndsAfterFifteenSeconds) {
    StartPowerPeriod();
    madtimer.start -= 14.9;
    PlayTick();
    EXPECT_EQ(invincible, 1);
    EXPECT_EQ(gobspeed, 0.1);
    madtimer.start -= 0.2;
    PlayTick();
    EXPECT_EQ(invincible, 0);
    EXPECT_EQ(gobspeed, 0.2);
    EXPECT_EQ(madtimer.running, 0);
    EXPECT_EQ(madtimer.Time(), 0.0);
    for (int i = 0; i < num_ghosts; i++) {
        EXPECT_FALSE(ghost[i].scared);
    }
}

TEST_F(Tick, APowerPelletAsThe298thLeavesTheNextLevelUnpoweredButQuick) {
    pelletsEaten = 297;
    PutGob(1, 1, RIGHT);
    GobStepDue();
    PlayTick();
    EXPECT_EQ(changeLevel, 1);
    EXPECT_EQ(levelNum, 2);
    EXPECT_EQ(pelletsEaten, 0);
    EXPECT_EQ(PelletsLeft(), 298);
    EXPECT_EQ(invincible, 0);
    EXPECT_EQ(gobspeed, 0.1);
    EXPECT_EQ(ghostspeed, 0.35);
    EXPECT_EQ(score, 50);
    EXPECT_EQ(gobx, 5);
    EXPECT_EQ(gobz, 13);
    for (int i = 0; i < num_ghosts; i++) {
        EXPECT_FALSE(ghost[i].scared);
    }
}

TEST_F(Tick, TheLastLifeEndsTheGameWithThePiecesAtTheirStart) {
    menLeft = 1;
    PutGhost(&ghost[3], 20, 5, LEFT);
    killghost(&ghost[3]);
    PutGhost(&ghost[1], 5, 13, UP);
    PutGob(5, 13, LEFT);
    PlayTick();
    EXPECT_EQ(menLeft, 0);
    EXPECT_EQ(gameOver, 1);
    EXPECT_EQ(gobx, 5);
    EXPECT_EQ(gobz, 13);
    EXPECT_EQ(gobdir, RIGHT);
    for (int i = 0; i < num_ghosts; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ghost[i].x, 13);
        EXPECT_EQ(ghost[i].z, 13);
        EXPECT_EQ(ghost[i].dir, UP);
        EXPECT_TRUE(ghost[i].alive);
        EXPECT_EQ(ghost[i].path, nullptr);
    }
    // The game-over screen is up: the idle callback moves nothing.
    GobStepDue();
    Idle();
    EXPECT_EQ(gobz, 13);
}

TEST_F(Tick, WhilePausedTheIdleCallbackChangesNothing) {
    PutGob(5, 10, RIGHT);
    GobStepDue();
    for (int i = 0; i < num_ghosts; i++) {
        GhostStepDue(&ghost[i]);
    }
    StartPowerPeriod();
    madtimer.start -= 20.0;
    gamePaused = 1;
    const int gobBefore[] = {gobx, gobz, gobdir, score, menLeft, invincible};
    const double tBefore = t;
    const double lastGobBefore = lastgobmove;
    int pelletsBefore[boardRows][boardCols];
    std::memcpy(pelletsBefore, pellets, sizeof(pellets));
    for (int i = 0; i < 5; i++) {
        Idle();
    }
    const int gobAfter[] = {gobx, gobz, gobdir, score, menLeft, invincible};
    EXPECT_EQ(std::memcmp(gobBefore, gobAfter, sizeof(gobAfter)), 0);
    EXPECT_EQ(t, tBefore);
    EXPECT_EQ(lastgobmove, lastGobBefore);
    EXPECT_EQ(std::memcmp(pelletsBefore, pellets, sizeof(pellets)), 0);
    for (int i = 0; i < num_ghosts; i++) {
        EXPECT_EQ(ghost[i].x, 13);
        EXPECT_EQ(ghost[i].z, 13);
    }
    // Resumed, everything whose time has come acts at once.
    gamePaused = 0;
    Idle();
    EXPECT_EQ(invincible, 0);
    EXPECT_EQ(gobz, 11);
    EXPECT_FALSE(ghost[0].x == 13 && ghost[0].z == 13);
}

// Whole games on a fast clock: every tick the player's step is due and
// every other tick the ghosts'; the player turns at random where it can.
// Eyes come and go, lives are lost, levels are cut short with the level
// key's LevelFinished; the leak check of the test build must stay silent.
TEST_F(Tick, WholeGamesLoseNoRecord) {
    srand(2024);
    int kills = 0;
    int games = 0;
    int levels = 0;
    for (int tick = 0; games < 3 && tick < 200000; tick++) {
        if (rand() % 4 == 0) {
            const dirT d = static_cast<dirT>(rand() % 4);
            const ptT* n = NextMove(gobx, gobz, d);
            if (!IsGobWall(n->x, n->z)) {
                gobdir = d;
            }
            free(const_cast<ptT*>(n));
        }
        GobStepDue();
        for (int i = 0; i < num_ghosts && tick % 2 == 0; i++) {
            GhostStepDue(&ghost[i]);
        }
        madtimer.start -= 0.25;  // a power period lasts sixty ticks
        PlayTick();
        kills += ghostKilled;
        ghostKilled = 0;
        if (changeLevel) {
            changeLevel = 0;  // the level-change screen has run its course
        }
        if (tick % 3000 == 2999) {
            LevelFinished();
            changeLevel = 0;
            levels++;
        }
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
