// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the game's window on the desktop: hidden in play, through GLUT's
// real window status callback on the test program's own window, it pauses
// play; the pointer is hidden over play.
#include <GL/freeglut.h>  // glutMainLoopEvent
#include <gtest/gtest.h>
#include <unistd.h>  // usleep

#include "../board/board.h"
#include "../game/mazerush.h"
#include "gl_test.h"

namespace {

bool Paused() {
    glutMainLoopEvent();
    return gamePaused == 1;
}

// Asks done(), which runs a pass of GLUT's events, until it holds; 10 s at
// most.
bool Until(bool (*done)()) {
    for (int round = 0; round < 10000; round++, usleep(1000)) {
        if (done()) {
            return true;
        }
    }
    return false;
}

}  // namespace

// Hidden in play (minimised, on another workspace), the window pauses the
// game as P does; shown again, the game stays paused until P.
TEST(Desktop, AWindowHiddenInPlayPausesItUntilP) {
    InitBoard();
    initgame();
    intro = 0;
    glutSetWindow(gltest::Window());
    WatchWindow(WindowHiddenOrShown);
    glutHideWindow();
    EXPECT_TRUE(Until(Paused)) << "no pause";
    glutShowWindow();
    // Shown once exposed: a window's status comes before its exposure.
    ASSERT_TRUE(Until(gltest::RedisplayPending));
    EXPECT_EQ(gamePaused, 1);
    Keyboard('p', 0, 0);
    EXPECT_EQ(gamePaused, 0);
}

// The pointer, of no use in the game, is hidden over play and shown over
// the other screens.
TEST(Desktop, ThePointerIsHiddenOverPlayOnly) {
    InitBoard();
    initgame();
    Init();
    intro = 0;
    Display();
    EXPECT_EQ(glutGet(GLUT_WINDOW_CURSOR), GLUT_CURSOR_NONE);
    menu = 1;
    Display();
    EXPECT_EQ(glutGet(GLUT_WINDOW_CURSOR), GLUT_CURSOR_INHERIT);
}

// Hidden on the level-change screen, the game waits: no tick moves the
// screen on and its clock stands still, so that shown again it goes on for
// the rest of its seven seconds, with the next level paused as after P.
TEST(Desktop, AWindowHiddenOnTheLevelChangeHoldsItAndPausesTheNextLevel) {
    InitBoard();
    initgame();
    intro = 0;
    LevelFinished();
    glutSetWindow(gltest::Window());
    WatchWindow(WindowHiddenOrShown);
    nextTickTime = tickClock() - tickInterval;
    Idle();
    const float panAt = xPos;
    glutHideWindow();
    ASSERT_TRUE(Until([] {
        glutMainLoopEvent();
        return WindowHidden();
    }));
    const double held = levelChangeTimer.Time();
    levelChangeTimer.start -= 10.0;  // as if the window had stayed hidden 10 s
    nextTickTime = tickClock() - tickInterval;
    Idle();
    EXPECT_EQ(xPos, panAt) << "the pan went on while hidden";
    EXPECT_EQ(levelChangeTimer.Time(), held) << "its clock ran while hidden";
    EXPECT_EQ(gamePaused, 1);
    glutShowWindow();
    ASSERT_TRUE(Until(gltest::RedisplayPending));
    ASSERT_FALSE(WindowHidden());
    nextTickTime = tickClock() - tickInterval;
    Idle();
    EXPECT_EQ(changeLevel, 1) << "the rest of the seven seconds";
    EXPECT_GT(xPos, panAt);
}
