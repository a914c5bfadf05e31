// Tests of the spine: start values of the game state, the window and the
// reshape callback, and the mode dispatch of the idle callback.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "../game/mazerush.h"
#include "gl_test.h"

TEST(GameState, StartValues) {
    EXPECT_EQ(intro, 1);
    EXPECT_EQ(menu, 0);
    EXPECT_EQ(changeLevel, 0);
    EXPECT_EQ(gameOver, 0);
    EXPECT_EQ(gamePaused, 0);
    EXPECT_EQ(levelNum, 1);
    EXPECT_EQ(menLeft, 3);
    EXPECT_EQ(num_ghosts, 4);
    EXPECT_EQ(difficulty, 1);
    EXPECT_EQ(currMenuItem, 1);
    EXPECT_DOUBLE_EQ(gobspeed, 0.2);
    // Set in static initialisation from the player's interval.
    EXPECT_DOUBLE_EQ(ghostspeed, 0.4);
    EXPECT_EQ(firstChomp, 1);
    EXPECT_EQ(openMouth, 1);
    EXPECT_EQ(window_width, 800);
    EXPECT_EQ(window_height, 552);
    EXPECT_EQ(odalieIntro, 1);
    EXPECT_EQ(runLeft, 1);
    EXPECT_EQ(firstTime, 1);
}

TEST(GameState, GhostColoursByRow) {
    const float expected[8][4] = {{1, 0, 0, 1},     {0, 1, 1, 1}, {0, 1, 0, 1},
                                  {0.3f, 0.3f, 0, 1}, {1, 1, 1, 1}, {0, 0, 0.5f, 1},
                                  {0.5f, 1, 0, 1},  {0.5f, 0.5f, 0.5f, 1}};
    EXPECT_EQ(std::memcmp(colors, expected, sizeof(expected)), 0);
}

TEST(GameState, ClocksStartStopped) {
    EXPECT_EQ(tim.running, 0);
    EXPECT_EQ(chompTimer.running, 0);
    EXPECT_EQ(levelChangeTimer.running, 0);
    EXPECT_EQ(madtimer.Time(), 0.0);
}

TEST(Window, TheTestWindowIsTheGamesSize) {
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 800);
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 552);
    EXPECT_TRUE(glutGet(GLUT_WINDOW_DOUBLEBUFFER));
    EXPECT_GT(glutGet(GLUT_WINDOW_DEPTH_SIZE), 0);
}

TEST(Reshape, SetsViewportAspectAndSize) {
    Reshape(1000, 500);
    EXPECT_DOUBLE_EQ(aspect, 2.0);
    EXPECT_EQ(window_width, 1000);
    EXPECT_EQ(window_height, 500);
    GLint view[4];
    glGetIntegerv(GL_VIEWPORT, view);
    EXPECT_EQ(view[0], 0);
    EXPECT_EQ(view[1], 0);
    EXPECT_EQ(view[2], 1000);
    EXPECT_EQ(view[3], 500);
    Reshape(800, 552);
    EXPECT_DOUBLE_EQ(aspect, 800.0 / 552.0);
}

TEST(Reshape, HeightZeroKeepsAFiniteAspect) {
    Reshape(800, 552);
    Reshape(640, 0);
    EXPECT_TRUE(std::isfinite(aspect));
    EXPECT_DOUBLE_EQ(aspect, 800.0 / 552.0);
    EXPECT_EQ(window_height, 0);
    Reshape(800, 552);
}
