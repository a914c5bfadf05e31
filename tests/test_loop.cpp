// Tests of the spine: start values of the game state, the window and the
// reshape callback, and the idle tick in GLUT's own event loop.
#include <GL/freeglut.h>  // glutLeaveMainLoop, glutSetOption
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "../board/board.h"
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

// --- GLUT's own loop ------------------------------------------------------

namespace {

// Stages of a run of GLUT's event loop, each a timer callback 0.4 s after
// the one before: long enough for one tick at least, in which Gobbler, due
// to step every 0.2 s, steps.
int gobzAtStage = 0;

void NextStage(int stage);

void After(int stage) {
    glutTimerFunc(400, NextStage, stage);
}

void NextStage(int stage) {
    switch (stage) {
        case 0:  // paused from the start
            gobzAtStage = gobz;
            Keyboard('p', 0, 0);
            break;
        case 1:
            EXPECT_GT(gobz, gobzAtStage) << "no tick after p resumed play";
            Keyboard(27, 0, 0);  // Escape: the menu and a fresh game
            break;
        case 2:
            EXPECT_TRUE(menu == 1 && gobz == 13) << "Escape did not bring the menu";
            Keyboard('p', 0, 0);
            break;
        case 3:
            EXPECT_GT(gobz, 13) << "no tick after p on the menu started play";
            gameOver = 1;  // as the last life does
            break;
        case 4:
            Keyboard('q', 0, 0);
            Keyboard('p', 0, 0);
            break;
        default:
            EXPECT_GT(gobz, 13) << "no tick after q on game over and p on the menu";
            glutLeaveMainLoop();
            return;
    }
    After(stage + 1);
}

}  // namespace

// Runs the real event loop with the game's callbacks, as main hands them to
// GLUT: on paused play, the menu and the game-over screen the tick takes
// itself off, and the key that leaves each of them (p; p on the menu; q,
// then p) brings it back. The loop ends the test program's GLUT session as
// it returns.
TEST(IdleTicks, LeavingEachStillScreenBringsTheTicksBack) {
    InitBoard();
    initgame();
    intro = 0;
    gamePaused = 1;
    glutDisplayFunc(Display);
    glutKeyboardFunc(Keyboard);
    glutIdleFunc(Idle);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    After(0);
    glutMainLoop();
}
