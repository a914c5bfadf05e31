// Tests of the rules of a game: placing the pieces for a game, a life and a
// level, pellets and their points, the end of a level and the ghosts'
// quicker pace after it, the power period, lost lives and a new game.
#include <gtest/gtest.h>

#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"

namespace {

int PelletsLeft() {
    int n = 0;
    for (int x = 0; x < boardRows; x++) {
        for (int z = 0; z < boardCols; z++) {
            n += pellets[x][z] > 0;
        }
    }
    return n;
}

// Eats the first n pellets of the maze in row order.
void EatPellets(int n) {
    for (int x = 0; x < boardRows && n > 0; x++) {
        for (int z = 0; z < boardCols && n > 0; z++) {
            if (pellets[x][z] > 0) {
                eatPellet(x, z);
                n--;
            }
        }
    }
}

// The ghosts' intervals after each of n finished levels.
std::vector<double> IntervalsAfterLevels(double start, int n) {
    ghostspeed = start;
    std::vector<double> seen;
    for (int i = 0; i < n; i++) {
        LevelFinished();
        seen.push_back(ghostspeed);
    }
    return seen;
}

// The intervals expected after the given first ones: 0.1 s and 0.05 s
// taking turns from then on.
std::vector<double> ExpectedIntervals(std::vector<double> first, int n) {
    while (static_cast<int>(first.size()) < n) {
        first.push_back(first.back() == 0.05 ? 0.1 : 0.05);
    }
    return first;
}

void ExpectAtStart(const ghostT& g) {
    EXPECT_EQ(g.x, 13);
    EXPECT_EQ(g.z, 13);
    EXPECT_EQ(g.dir, UP);
    EXPECT_TRUE(g.alive);
    EXPECT_FALSE(g.scared);
    EXPECT_EQ(g.path, nullptr);
    EXPECT_EQ(g.lastmove, 0.0);
    EXPECT_EQ(g.timer.running, 1);
}

void ExpectGobAtStart() {
    EXPECT_EQ(gobx, 5);
    EXPECT_EQ(gobz, 13);
    EXPECT_EQ(gobdir, RIGHT);
    EXPECT_EQ(invincible, 0);
    EXPECT_EQ(lastgobmove, 0.0);
    EXPECT_EQ(movegobT.running, 1);
    EXPECT_EQ(madtimer.running, 0);
    EXPECT_EQ(madtimer.elapsed, 0.0);
}

// Scatters the pieces: the player on a power pellet facing left, every
// ghost somewhere else, ghost 0 and ghost 7 as eyes with a way home.
void ScatterPieces() {
    gobx = 1;
    gobz = 1;
    gobdir = LEFT;
    lastgobmove = 3.0;
    for (int i = 0; i < maxGhosts; i++) {
        ghost[i].x = 5;
        ghost[i].z = 1 + i;
        ghost[i].dir = LEFT;
        ghost[i].lastmove = 7.0;
        ghost[i].marks[1][1] = true;
    }
    killghost(&ghost[0]);
    killghost(&ghost[7]);
    StartPowerPeriod();
}

class Rules : public ::testing::Test {
protected:
    void SetUp() override {
        InitBoard();
        initgame();
        num_ghosts = 4;
        pelletsEaten = 0;
        score = 0;
        menLeft = 3;
        intro = 0;
        menu = 0;
        changeLevel = 0;
        gameOver = 0;
        gamePaused = 0;
        levelNum = 1;
    }
    void TearDown() override {
        initgame();
    }
};

}  // namespace

TEST_F(Rules, NewGamePlacesThePlayerAndAllEightGhostSlots) {
    ScatterPieces();
    ghost[2].color = nullptr;
    initgame();
    ExpectGobAtStart();
    for (int i = 0; i < maxGhosts; i++) {
        SCOPED_TRACE(i);
        ExpectAtStart(ghost[i]);
        EXPECT_EQ(ghost[i].color, colors[i]);
        EXPECT_FALSE(ghost[i].marks[1][1]);
    }
}

TEST_F(Rules, RestartPutsBackOnlyTheActiveGhosts) {
    ScatterPieces();
    ghost[1].color = colors[6];
    restartgame();
    ExpectGobAtStart();
    for (int i = 0; i < num_ghosts; i++) {
        SCOPED_TRACE(i);
        ExpectAtStart(ghost[i]);
    }
    EXPECT_EQ(ghost[1].color, colors[6]);
    // Slot 7 is not in play: still eyes where it was eaten.
    EXPECT_EQ(ghost[7].z, 8);
    EXPECT_FALSE(ghost[7].alive);
    EXPECT_NE(ghost[7].path, nullptr);
    // A power period cut short keeps the player's quick pace.
    EXPECT_EQ(gobspeed, 0.1);
}

TEST_F(Rules, PelletsScoreTenAndPowerPelletsFifty) {
    eatPellet(5, 12);
    EXPECT_EQ(score, 10);
    EXPECT_EQ(pellets[5][12], cellEmpty);
    eatPellet(1, 1);
    EXPECT_EQ(score, 60);
    EXPECT_EQ(pellets[1][1], cellEmpty);
    EXPECT_EQ(pelletsEaten, 2);
    EXPECT_EQ(PelletsLeft(), 296);
}

TEST_F(Rules, The298thPelletFinishesTheLevel) {
    EatPellets(297);
    EXPECT_EQ(changeLevel, 0);
    EXPECT_EQ(PelletsLeft(), 1);
    ScatterPieces();
    EatPellets(1);
    EXPECT_EQ(changeLevel, 1);
    EXPECT_EQ(levelChangeStart, 1);
    EXPECT_EQ(levelNum, 2);
    EXPECT_EQ(pelletsEaten, 0);
    EXPECT_EQ(PelletsLeft(), 298);
    EXPECT_EQ(ghostspeed, 0.35);
    ExpectGobAtStart();
    for (int i = 0; i < num_ghosts; i++) {
        SCOPED_TRACE(i);
        ExpectAtStart(ghost[i]);
    }
}

TEST_F(Rules, GhostIntervalFollowsExactStepsOverAHundredLevelsFrom04) {
    const std::vector<double> expected =
        ExpectedIntervals({0.35, 0.30, 0.25, 0.20, 0.15, 0.10, 0.05}, 100);
    EXPECT_EQ(IntervalsAfterLevels(0.4, 100), expected);
    EXPECT_EQ(levelNum, 101);
}

TEST_F(Rules, GhostIntervalFollowsExactStepsOverAHundredLevelsFrom02) {
    const std::vector<double> got = IntervalsAfterLevels(0.2, 100);
    EXPECT_EQ(got, ExpectedIntervals({0.15, 0.10, 0.05}, 100));
    // The fourth level change of a game on "GOOD" gives 0.1 s, the fifth 0.05 s.
    EXPECT_EQ(got[3], 0.1);
    EXPECT_EQ(got[4], 0.05);
}

TEST_F(Rules, PowerPelletScaresAndReversesTheActiveGhosts) {
    ghost[1].dir = LEFT;
    ghost[2].dir = DOWN;
    ghost[5].dir = LEFT;
    StartPowerPeriod();
    EXPECT_EQ(invincible, 1);
    EXPECT_EQ(gobspeed, 0.1);
    EXPECT_EQ(madtimer.running, 1);
    EXPECT_EQ(ghost[0].dir, DOWN);
    EXPECT_EQ(ghost[1].dir, RIGHT);
    EXPECT_EQ(ghost[2].dir, UP);
    for (int i = 0; i < num_ghosts; i++) {
        EXPECT_TRUE(ghost[i].scared);
    }
    EXPECT_FALSE(ghost[5].scared);
    EXPECT_EQ(ghost[5].dir, LEFT);

    // Another one during the period turns them once more and starts the
    // fifteen seconds anew.
    madtimer.start -= 10.0;
    StartPowerPeriod();
    EXPECT_EQ(ghost[1].dir, LEFT);
    EXPECT_LT(madtimer.Time(), 1.0);

    EndPowerPeriod();
    EXPECT_EQ(invincible, 0);
    EXPECT_EQ(gobspeed, 0.2);
    EXPECT_EQ(madtimer.running, 0);
    EXPECT_EQ(madtimer.Time(), 0.0);
    for (int i = 0; i < num_ghosts; i++) {
        EXPECT_FALSE(ghost[i].scared);
    }
}

TEST_F(Rules, TheThirdLostLifeEndsTheGameWithThePiecesAtTheirStart) {
    for (int life = 1; life <= 3; life++) {
        SCOPED_TRACE(life);
        ScatterPieces();
        LoseLife();
        EXPECT_EQ(menLeft, 3 - life);
        EXPECT_EQ(gameOver, life == 3 ? 1 : 0);
        ExpectGobAtStart();
        for (int i = 0; i < num_ghosts; i++) {
            ExpectAtStart(ghost[i]);
        }
    }
}

TEST_F(Rules, ANewGameAfterQuittingMidLevelNeedsAll298Pellets) {
    EatPellets(150);
    ScatterPieces();
    levelNum = 3;
    difficulty = 3;
    num_ghosts = 8;
    fogtype = 2;
    ThreeDView = 1;
    currMenuItem = 4;
    ghostspeed = 0.1;
    ghostKilled = 1;
    menLeft = 1;
    gameOver = 1;
    RestartGame();
    EXPECT_EQ(menu, 1);
    EXPECT_EQ(gameOver, 0);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(menLeft, 3);
    EXPECT_EQ(levelNum, 1);
    EXPECT_EQ(difficulty, 1);
    EXPECT_EQ(fogtype, 0);
    EXPECT_EQ(ThreeDView, 0);
    EXPECT_EQ(currMenuItem, 1);
    EXPECT_EQ(ghostKilled, 0);
    EXPECT_EQ(gobspeed, 0.2);
    EXPECT_EQ(ghostspeed, 0.4);
    EXPECT_EQ(num_ghosts, 8);  // the menu applies the difficulty again
    ExpectGobAtStart();
    for (int i = 0; i < maxGhosts; i++) {
        ExpectAtStart(ghost[i]);
    }
    EXPECT_EQ(pelletsEaten, 0);
    EXPECT_EQ(PelletsLeft(), 298);
    EatPellets(297);
    EXPECT_EQ(changeLevel, 0);
    EatPellets(1);
    EXPECT_EQ(changeLevel, 1);
}
