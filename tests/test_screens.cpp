// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the level-change and game-over screens: the pan and its end,
// driven by the recorded readings (levelChangeLastTime, the chomp readings,
// a Timer's start) instead of sleeping; the score counting up per frame; the
// pictures read back from GL; and how the screens meet the menu, play and
// each other through the real callbacks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "gl_test.h"
#include "stress_common.h"

namespace {

// Runs the idle callback with its tick due, as it is 1/60 s after the one
// before.
void IdleTick() {
    nextTickTime = tickClock() - tickInterval;
    Idle();
}

// The level-change screen as LevelFinished leaves it.
void BeginLevelChange() {
    intro = 0;
    menu = 0;
    changeLevel = 1;
    levelChangeStart = 1;
}

// The game's colours (tools/drive/colour.h); text is lit by the ambient light
// alone, a fifth of its colour.
using drive::IsGreen;
using drive::IsWhite;
using drive::IsYellow;

// The pixels of a kind in a box of the frame just swapped, and their mean x.
struct Blob {
    int count = 0;
    double meanX = 0.0;
};

Blob Find(bool (*kind)(gltest::Rgb), int x0 = 0, int y0 = 0, int x1 = 800, int y1 = 552) {
    const drive::Picture frame = gltest::ReadFrame();
    Blob b;
    for (int y = std::max(y0, 0); y < std::min(y1, 552); y++) {
        for (int x = std::max(x0, 0); x < std::min(x1, 800); x++) {
            if (kind(frame.At(gltest::OnScreen(frame, x, y)))) {
                b.count++;
                b.meanX += x;
            }
        }
    }
    b.meanX /= std::max(b.count, 1);
    return b;
}

}  // namespace

TEST(LevelChange, PansFromMinus15To7AndEndsJustPast7Seconds) {
    BeginLevelChange();
    LevelChangeIdle();
    EXPECT_EQ(levelChangeStart, 0);
    EXPECT_NEAR(xPos, -15.0f, 0.01f);
    EXPECT_EQ(std::vector<float>({yPos, zPos}), std::vector<float>({0, 10}));
    levelChangeLastTime = static_cast<float>(levelChangeTimer.Time() - 3.5);
    LevelChangeIdle();
    EXPECT_NEAR(xPos, -4.0f, 0.01f);
    stress::HoldClock(levelChangeTimer, levelChangeLastTime, 7.0);
    LevelChangeIdle();
    EXPECT_EQ(changeLevel, 1) << "still up at 7.0 s";
    EXPECT_FLOAT_EQ(xPos, 7.0f);

    happy = 120.0;
    t = 20.0;
    openMouth = 1;
    chompTimer.start -= 0.01;
    stress::HoldClock(levelChangeTimer, levelChangeLastTime, 7.001);
    LevelChangeIdle();
    EXPECT_EQ(changeLevel, 0);
    EXPECT_EQ(xPos + yPos + zPos, 0.0f);
    EXPECT_EQ(happy, 10.0) << "zeroed, then the chomp step of the same call";
    EXPECT_EQ(t, 25.0);
    EXPECT_EQ(levelChangeTimer.elapsed, 0.0) << "reset for the next level change";
    EXPECT_TRUE(gltest::RedisplayPending());
}

TEST(LevelChange, AFurtherLevelFinishedRestartsTheSevenSeconds) {
    BeginLevelChange();
    LevelChangeIdle();
    levelChangeLastTime = static_cast<float>(levelChangeTimer.Time() - 5.0);
    LevelChangeIdle();
    const float before = levelChangeCurrTime;
    LevelFinished();
    LevelChangeIdle();
    EXPECT_GE(levelChangeLastTime, before) << "the clock runs on without a reset";
    EXPECT_NEAR(xPos, -15.0f, 0.01f);
    levelChangeLastTime = static_cast<float>(levelChangeTimer.Time() - 6.9);
    LevelChangeIdle();
    EXPECT_EQ(changeLevel, 1) << "6.9 s after the second start";
}

TEST(LevelChange, MouthAndSpinStepWheneverTheClockHasMovedAndStayInRange) {
    BeginLevelChange();
    LevelChangeIdle();  // starts chompTimer
    t = 0.0;
    openMouth = 1;
    happy = 0.0;
    std::vector<double> mouth;
    std::vector<double> spin;
    for (int i = 0; i < 38; i++) {
        chompTimer.start -= 0.001;
        LevelChangeIdle();
        mouth.push_back(t);
        spin.push_back(happy);
    }
    for (int i = 0; i < 21; i++) {
        EXPECT_EQ(mouth[i], i < 10 ? 5.0 * (i + 1) : std::fabs(5.0 * (19 - i))) << i;
    }
    EXPECT_EQ(spin[35], 360.0);
    EXPECT_EQ(spin[36], 0.0) << "not 370";
    chompTimer.Reset();  // a clock that has not moved moves nothing
    chompTimer.elapsed = 2.0;
    chompLastTime = 2.0f;
    LevelChangeIdle();
    EXPECT_EQ(t, mouth.back());
    chompTimer.Start();

    // An angle that play left past a limit comes back into the swing instead
    // of shaking about the limit.
    for (double start : {60.0, -10.0}) {
        t = start;
        openMouth = start > 0.0;
        double lowest = t;
        double highest = t;
        for (int i = 0; i < 30; i++) {
            chompTimer.start -= 0.001;
            LevelChangeIdle();
            lowest = std::min(lowest, t);
            highest = std::max(highest, t);
        }
        EXPECT_EQ(start > 0.0 ? lowest : highest, start > 0.0 ? 0.0 : 50.0) << start;
    }
}

TEST(LevelChangePicture, EveryFrameAddsFiveAndTheCameraLooksFromDistance10) {
    aspect = 800.0 / 552.0;
    score = 100;
    xPos = -4.0f;
    yPos = 0.0f;
    zPos = 10.0f;
    DisplayLevelChange();
    DisplayLevelChange();
    EXPECT_EQ(score, 110) << "the first frame counts too";
    const gltest::WindowPoint o = gltest::ProjectWorld(-4.0, 0.0, 0.0);
    const gltest::WindowPoint r = gltest::ProjectWorld(-3.0, 0.0, 0.0);
    const gltest::WindowPoint u = gltest::ProjectWorld(-4.0, 1.0, 0.0);
    EXPECT_NEAR(o.x, 400, 1);
    EXPECT_NEAR(o.y, 276, 1);
    EXPECT_NEAR(u.y - o.y, 276.0 / std::tan(M_PI / 6) / 10.0, 1.5);
    EXPECT_NEAR(r.x - o.x, u.y - o.y, 1.5) << "the window's aspect";

    // After a level change the camera is at the origin, and the frame that
    // LevelFinished asks for can come before the idle step moves it.
    xPos = yPos = zPos = 0.0f;
    DisplayLevelChange();
    ASSERT_TRUE(gltest::Finite(gltest::GetFloats(GL_PROJECTION_MATRIX)));
    const gltest::WindowPoint ahead = gltest::ProjectWorld(0.0, 0.0, -5.0);
    EXPECT_NEAR(ahead.x, 400, 1) << "looking toward -z";
    EXPECT_NEAR(ahead.y, 276, 1);
}

TEST(LevelChangePicture, TheLevelLinePassesInTheSceneWhileNameAndScoreFollowTheCamera) {
    Init();
    aspect = 800.0 / 552.0;
    levelNum = 2;
    score = 1230;
    yPos = 0.0f;
    zPos = 10.0f;
    Blob line[2], name[2], points[2];
    for (int i = 0; i < 2; i++) {
        xPos = 1.5f + 0.5f * i;  // Gobbler (x = -8) out of view, the line in it
        DisplayLevelChange();
        line[i] = Find(IsGreen);
        name[i] = Find(IsYellow, 0, 276, 800, 552);  // 1.5 above the centre
        points[i] = Find(IsWhite, 0, 0, 800, 276);   // 2 below it
    }
    ASSERT_GT(line[0].count, 100) << "\"Level 2\" in green";
    ASSERT_GT(name[0].count, 100) << "\"Gobbler\" in yellow";
    ASSERT_GT(points[0].count, 50) << "the score in white";
    // Half a unit of pan at distance 10 moves the scene 23.9 pixels left.
    EXPECT_NEAR(line[0].meanX - line[1].meanX, 0.5 * 276.0 / std::tan(M_PI / 6) / 10.0, 3.0);
    EXPECT_NEAR(name[0].meanX, name[1].meanX, 2.0);
    EXPECT_NEAR(points[0].meanX, points[1].meanX, 2.0);
}

TEST(GameOver, ShowsGobblerLyingUnderGameOver) {
    Init();
    aspect = 800.0 / 552.0;
    xPos = -3.0f;
    zPos = 1.0f;
    DisplayGameOver();
    EXPECT_EQ(std::vector<float>({xPos, yPos, zPos}), std::vector<float>({4, 0, 10}));
    const gltest::WindowPoint g = gltest::ProjectWorld(4.0, -1.0, 0.0);  // Gobbler
    EXPECT_GT(Find(IsYellow, g.x - 40, g.y - 40, g.x + 40, g.y + 40).count, 2000) << "Gobbler";
    // "Game Over" from (0, 1, 3), capitals one unit tall.
    const gltest::WindowPoint from = gltest::ProjectWorld(0.0, 1.0, 3.0);
    const gltest::WindowPoint to = gltest::ProjectWorld(6.0, 2.0, 3.0);
    EXPECT_GT(Find(IsWhite, from.x, from.y, to.x, to.y).count, 300);
    EXPECT_EQ(Find(IsWhite, 0, to.y + 5, 800, 552).count, 0) << "nothing above it";
}

TEST(GameOver, IsDrawnOnlyWhenARedisplayIsRequested) {
    intro = 0;
    gameOver = 1;
    gltest::RedisplayPending();
    for (int i = 0; i < 20; i++) {
        Idle();
    }
    EXPECT_FALSE(gltest::RedisplayPending()) << "the idle step leaves the picture alone";
    glutPostRedisplay();
    EXPECT_TRUE(gltest::RedisplayPending());
}

TEST(ScreensDispatch, LeftForTheMenuTheLevelChangeRunsOnBehindIt) {
    BeginLevelChange();
    menu = 1;  // Escape during the level change
    score = 50;
    Display();
    EXPECT_EQ(score, 50) << "the menu is drawn, not the level change";
    IdleTick();
    EXPECT_NEAR(xPos, -15.0f, 0.01f) << "the level change's idle step runs";
    stress::HoldClock(levelChangeTimer, levelChangeLastTime, 7.01);
    IdleTick();
    EXPECT_EQ(changeLevel, 0);
}

// Play chosen on the menu before the level change left behind it is over
// starts a fresh game at once: no "Level 1" screen of its own, and no points
// from one.
TEST(ScreensDispatch, PlayFromTheMenuEndsALevelChangeLeftBehindIt) {
    intro = 0;
    menu = 0;
    score = 930;
    LevelFinished();
    IdleTick();
    Keyboard(27, 0, 0);  // Escape: the menu, a fresh game
    IdleTick();
    Keyboard('p', 0, 0);
    EXPECT_EQ(changeLevel, 0);
    Display();
    EXPECT_TRUE(score == 0 && levelNum == 1 && menu == 0 && xPos == 0.0f);
}

TEST(ScreensDispatch, WithGameOverSetTooTheLevelChangeComesFirst) {
    BeginLevelChange();
    gameOver = 1;
    score = 50;
    IdleTick();
    Display();
    EXPECT_EQ(score, 55) << "the level change is shown";
    stress::HoldClock(levelChangeTimer, levelChangeLastTime, 7.01);
    IdleTick();
    Display();
    EXPECT_EQ(score, 55) << "then game over";
    EXPECT_EQ(xPos, 4.0f);
}

TEST(ScreensDispatch, PlayResumesOnTheNextLevelWhenTheLevelChangeEnds) {
    intro = 0;
    menu = 0;
    LevelFinished();
    EXPECT_EQ(levelNum, 2);
    lastgobmove = -1.0;  // Gobbler is overdue for a step
    IdleTick();
    stress::HoldClock(levelChangeTimer, levelChangeLastTime, 7.01);
    IdleTick();
    EXPECT_EQ(changeLevel, 0);
    EXPECT_EQ(gobz, 13) << "play waited behind the level change";
    IdleTick();
    EXPECT_EQ(gobz, 14) << "play runs again, Gobbler heading right";
    IdleTick();
    EXPECT_EQ(pellets[5][14], 0) << "and eats in the refilled maze";
}

TEST(ScreensDispatch, EscapeOrQFromGameOverStartsAFreshGameInTheMenu) {
    for (unsigned char key : {27, 81, 113}) {  // Escape, Q, q
        intro = 0;
        menu = 0;
        gameOver = 1;
        score = 1200;
        Keyboard(key, 0, 0);
        EXPECT_EQ(menu, 1) << "key " << int(key);
        EXPECT_EQ(gameOver, 0);
        EXPECT_EQ(score, 0);
    }
}
