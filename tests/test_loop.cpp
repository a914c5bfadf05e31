// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the spine: start values of the game state, the window and the
// reshape callback, and the idle tick in GLUT's own event loop.
#include <GL/freeglut.h>  // glutLeaveMainLoop, glutSetOption
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <utility>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "gl_test.h"
#include "stress_common.h"

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
    const float expected[8][4] = {{1, 0, 0, 1},       {0, 1, 1, 1},         {0, 1, 0, 1},
                                  {0.3f, 0.3f, 0, 1}, {1, 1, 1, 1},         {0, 0, 0.5f, 1},
                                  {0.5f, 1, 0, 1},    {0.5f, 0.5f, 0.5f, 1}};
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
    EXPECT_EQ(gltest::GetFloats(GL_VIEWPORT, 4), (std::vector<float>{0, 0, 1000, 500}));
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

// --- The pace of the idle tick -------------------------------------------

namespace {

// The clock of the ticks, held by the tests.
double heldTickClock = 0.0;

double HeldTickClock() {
    return heldTickClock;
}

// The level-change screen, its clock held 3.5 s into its 7, and the tick
// clock held at 0 with a tick due: every frame of it adds 5 points, so the
// points count the frames, and at most one frame is drawn a tick.
void HoldLevelChangeAndTickClock() {
    intro = 0;
    menu = 0;
    changeLevel = 1;
    levelChangeStart = 0;
    stress::HoldClock(levelChangeTimer, levelChangeLastTime, 3.5);
    tickClock = HeldTickClock;
    heldTickClock = 0.0;
    nextTickTime = 0.0;
}

// Runs the real idle callback at every millisecond of the tick clock from
// ms `from` up to but not including ms `to`, each call followed by two
// requests to draw (one standing for a key's or the window system's), and
// returns the frames of the level change drawn meanwhile.
int FramesBetween(int from, int to) {
    const int before = score;
    for (int ms = from; ms < to; ms++) {
        heldTickClock = ms / 1000.0;
        Idle();
        Display();
        Display();
    }
    return (score - before) / 5;
}

}  // namespace

// A simulated second of ticks on a fast machine: the tick runs 60 times, on
// the 1/60 s grid even though each runs up to a millisecond late, and each
// tick's picture is drawn once however often a frame is asked for.
TEST(TickPace, SixtyTicksAndFramesInASecond) {
    HoldLevelChangeAndTickClock();
    EXPECT_EQ(FramesBetween(0, 1000), ticksPerSecond);
    EXPECT_EQ(changeLevel, 1);
}

// A frame that takes a quarter of a second is followed by one tick at once
// and then by the next a whole interval later, not by the 14 it missed; a
// clock set back a minute is not waited for either.
TEST(TickPace, NoCatchUpAfterASlowFrameAndNoWaitAfterTheClockGoesBack) {
    HoldLevelChangeAndTickClock();
    EXPECT_EQ(FramesBetween(0, 1), 1);
    EXPECT_EQ(FramesBetween(250, 250 + 17), 1) << "ticks made up after a slow frame";
    EXPECT_EQ(FramesBetween(267, 268), 1) << "no tick an interval after the slow frame";
    EXPECT_EQ(FramesBetween(60000, 60001), 1);
    EXPECT_EQ(FramesBetween(0, 1), 1) << "a clock set back stopped the ticks";
}

namespace {

// Ticks of play on the held tick clock every `spacing` seconds, each a
// millisecond after its slot, with Gobbler's and ghost 0's clocks reading a
// hair short of the time since tick 0, when both stepped. Returns the ticks
// after it at which each steps next.
std::pair<int, int> NextSteps(double spacing) {
    InitBoard();
    initgame();
    intro = 0;
    num_ghosts = 1;
    ghostspeed = 0.05;
    gobx = gobz = 3;  // walled in, where the ghost cannot come
    tickClock = HeldTickClock;
    nextTickTime = 1.0 - 20 * spacing;
    std::pair<int, int> next{0, 0};
    for (int k = -20; k <= 20 && next.first == 0; k++) {
        heldTickClock = 1.0 + k * spacing + 0.001;
        movegobT.elapsed = ghost[0].timer.elapsed = 10.0 + k * spacing - (k > 0 ? 1e-4 : 0.0);
        movegobT.running = ghost[0].timer.running = 0;
        Idle();
        if (k == 0) {
            lastgobmove = ghost[0].lastmove = 10.0;
        } else if (k > 0) {
            next.second = next.second == 0 && ghost[0].lastmove != 10.0 ? k : next.second;
            next.first = lastgobmove != 10.0 ? k : 0;
        }
    }
    return next;
}

}  // namespace

// At 60 ticks a second Gobbler steps on the 12th tick after its last step
// and a ghost at 0.05 s on the 3rd, though each reading falls a hair short
// of the interval. At 40 a second a step waits, as before, for the first
// tick at which the whole interval has passed: the 9th and the 3rd.
TEST(TickPace, EachPieceStepsOnTheTickItsIntervalFallsOn) {
    EXPECT_EQ(NextSteps(1.0 / 60.0), std::make_pair(12, 3));
    EXPECT_EQ(NextSteps(1.0 / 40.0), std::make_pair(9, 3));
}

// --- GLUT's own loop ------------------------------------------------------

namespace {

// The stages of the run: each asks for a key and then awaits, on every pass
// of the loop, the state that the key and the ticks after it bring about.
int stage = 0;
int gobzAtStage = 0;
double stageDeadline = 0.0;

bool StageDone() {
    switch (stage) {
        case 0:  // paused from the start: p
            return gobz > gobzAtStage;
        case 1:  // Escape: the menu and a fresh game
            return menu == 1 && gobz == 13;
        case 2:  // p on the menu starts play
            return gobz > 13;
        case 3:  // game over, as the last life does: q, then p on the menu
            return menu == 1;
        default:
            return gobz > 13;
    }
}

void StartStage(int next) {
    static const char* const keys[] = {"p", "Escape", "p", "q", "p"};
    static const char* const what[] = {
        "no tick after p resumed play", "Escape did not bring the menu",
        "no tick after p on the menu started play", "q on game over did not bring the menu",
        "no tick after p on the menu started play again"};
    if (next > 0 && !StageDone()) {
        if (tickClock() < stageDeadline) {
            return;
        }
        ADD_FAILURE() << what[next - 1];
        glutLeaveMainLoop();
        return;
    }
    if (next == 5) {
        glutLeaveMainLoop();
        return;
    }
    stage = next;
    gobzAtStage = gobz;
    if (stage == 3) {
        gameOver = 1;
    }
    stageDeadline = tickClock() + 10.0;
    gltest::SendKey(keys[stage]);
}

// The stage kept up on each pass of the loop, then the game's own idle
// callback, which may sleep until the key asked for comes.
void IdleAndStages() {
    StartStage(stage + 1);
    IdleOrWait();
}

}  // namespace

// Runs the real event loop with the game's callbacks, as main hands them to
// GLUT: on paused play, the menu and the game-over screen the idle callback
// sleeps, and the key that leaves each of them (p; p on the menu; q, then p)
// wakes it and brings the ticks back. The loop ends the test program's GLUT
// session as it returns, so the run is a process of its own.
TEST(IdleTicks, LeavingEachStillScreenBringsTheTicksBack) {
    if (!gltest::InAProcessOfItsOwn()) {
        return;
    }
    InitBoard();
    initgame();
    intro = 0;
    gamePaused = 1;
    glutDisplayFunc(Display);
    glutKeyboardFunc(Keyboard);
    glutIdleFunc(IdleAndStages);
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    WatchWindow(WindowHiddenOrShown);
    gltest::StartSendingKeys();
    stage = -1;
    StartStage(0);
    glutMainLoop();
    gltest::RanAlone();
    gltest::StopSendingKeys();
}
