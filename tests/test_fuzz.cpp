// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Bad input: every key code in every mode, a million random keys with the
// play tick between them, and windows of odd sizes in every mode. Every
// frame's matrices must stay finite and GL must report no error.
#include <GL/freeglut.h>  // glutMainLoopEvent
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "gl_test.h"
#include "stress_common.h"

namespace {

const int menuQuitLine = 5;
const int keyCodes = 256;

struct Mode {
    const char* name;
    std::function<void()> enter;
};

// A fresh game, as main prepares it, in the menu on the given line.
void ToMenu(int line) {
    RestartGame();
    intro = 0;
    changeLevel = 0;
    gamePaused = 0;
    currMenuItem = line;
}

void ToPlay() {
    ToMenu(1);
    menu = 0;
}

// Every mode the keyboard callback can meet.
std::vector<Mode> Modes() {
    std::vector<Mode> modes;
    modes.push_back({"intro", [] {
                         RestartGame();
                         menu = 0;
                         intro = 1;
                     }});
    for (int line = 1; line < menuQuitLine; line++) {
        modes.push_back({"menu", [line] { ToMenu(line); }});
    }
    modes.push_back({"play", [] { ToPlay(); }});
    modes.push_back({"play 3D with fog", [] {
                         ToPlay();
                         ThreeDView = 1;
                         fogtype = 2;
                         SetFog();
                     }});
    modes.push_back({"paused", [] {
                         ToPlay();
                         gamePaused = 1;
                     }});
    modes.push_back({"level change", [] {
                         ToPlay();
                         LevelFinished();
                     }});
    modes.push_back({"game over", [] {
                         ToPlay();
                         menLeft = 1;
                         LoseLife();
                     }});
    return modes;
}

// What a key may change.
std::vector<int> Settings() {
    return {intro,      menu,    changeLevel, gameOver, gamePaused, currMenuItem, difficulty,
            num_ghosts, fogtype, ThreeDView,  gobdir,   score,      levelNum};
}

::testing::AssertionResult TickOnly() {
    const stress::Before before = stress::Take();
    stress::AdvanceClocks(0.05);
    Idle();
    return stress::Invariants(before);
}

// One frame and one idle tick of whatever mode is up, checked.
::testing::AssertionResult FrameAndTick() {
    Display();
    if (!gltest::Finite(gltest::GetFloats(GL_PROJECTION_MATRIX)) ||
        !gltest::Finite(gltest::GetFloats(GL_MODELVIEW_MATRIX))) {
        return ::testing::AssertionFailure() << "a matrix is not finite";
    }
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        return ::testing::AssertionFailure() << "GL error " << error;
    }
    return TickOnly();
}

}  // namespace

TEST(KeyFuzz, EveryKeyInEveryMode) {
    Init();
    Reshape(16, 11);  // small frames: this is about the state, not pixels
    for (const Mode& mode : Modes()) {
        for (int key = 0; key < keyCodes; key++) {
            mode.enter();
            const std::vector<int> before = Settings();
            Keyboard(static_cast<unsigned char>(key), 0, 0);
            // A frame for each key that changed anything, and one a mode;
            // the others only tick (a frame costs far more than a tick).
            const bool frame = key == 0 || Settings() != before;
            ASSERT_TRUE(frame ? FrameAndTick() : TickOnly())
                << mode.name << " line " << currMenuItem << " key " << key;
        }
    }
    Reshape(800, 552);
    RestartGame();
}

// A key pressed while this is set must not end the program: the handler
// that runs at exit says so and fails the test program.
static bool keyMustNotQuit = false;

static void FailIfAKeyQuit() {
    if (keyMustNotQuit) {
        std::fprintf(stderr, "a key that must not quit ended the program\n");
        _exit(1);
    }
}

// On the menu's last line the keys that change a setting end the program
// with status 0, and so does its initial; every other key leaves it running.
TEST(KeyFuzz, OnlyTheQuitKeysEndTheProgramFromTheLastMenuLine) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::string quitKeys = "46jJkKqQ";
    for (const char key : quitKeys) {
        EXPECT_EXIT(
            {
                ToMenu(menuQuitLine);
                Keyboard(static_cast<unsigned char>(key), 0, 0);
            },
            ::testing::ExitedWithCode(EXIT_SUCCESS), "")
            << "key " << key;
    }
    std::atexit(FailIfAKeyQuit);
    keyMustNotQuit = true;
    for (int key = 0; key < keyCodes; key++) {
        if (quitKeys.find(static_cast<char>(key)) != std::string::npos && key != 0) {
            continue;
        }
        ToMenu(menuQuitLine);
        Keyboard(static_cast<unsigned char>(key), 0, 0);
    }
    keyMustNotQuit = false;
}

// A million random keys, the idle tick after each. Keys that would end the
// program are swapped for a harmless one; everything else goes through.
TEST(KeyFuzz, AMillionRandomKeysWithTheTickBetween) {
    const long presses = 1000000;
    srand(7);
    RestartGame();
    Keyboard('s', 0, 0);
    long ticksInPlay = 0;
    for (long i = 0; i < presses; i++) {
        unsigned char key = static_cast<unsigned char>(rand() % keyCodes);
        if (menu && currMenuItem == menuQuitLine) {
            key = 'i';  // up, off the quit line
        }
        Keyboard(key, 0, 0);
        const bool playing = !intro && !menu && !changeLevel && !gameOver && !gamePaused;
        const stress::Before before = stress::Take();
        stress::AdvanceClocks(0.05);
        Idle();
        if (gameOver) {
            Keyboard('q', 0, 0);
        }
        if (playing) {
            ticksInPlay++;
            ASSERT_TRUE(stress::Invariants(before)) << "press " << i;
        }
    }
    EXPECT_GT(ticksInPlay, presses / 20);
    RestartGame();
    for (int i = 0; i < maxGhosts; i++) {
        FreePath(&ghost[i]);
    }
}

// Odd window sizes, set through the reshape callback in every mode, and a
// real window resized by the X server to 1 x 1 and to very wide.
TEST(OddWindows, EveryModeAtEverySize) {
    Init();
    const int sizes[][2] = {{1, 1}, {640, 0}, {0, 480}, {0, 0}, {8000, 3}, {2, 6000}, {800, 552}};
    for (const Mode& mode : Modes()) {
        for (const auto& size : sizes) {
            mode.enter();
            Reshape(size[0], size[1]);
            EXPECT_TRUE(std::isfinite(aspect));
            for (int frame = 0; frame < 3; frame++) {
                ASSERT_TRUE(FrameAndTick()) << mode.name << " at " << size[0] << " x " << size[1];
            }
        }
    }
    glutReshapeFunc(Reshape);
    glutDisplayFunc(Display);
    const int realSizes[][2] = {{1, 1}, {4000, 20}, {800, 552}};
    for (const auto& size : realSizes) {
        ToPlay();
        glutReshapeWindow(size[0], size[1]);
        for (int round = 0; round < 200 && window_width != size[0]; round++) {
            glutMainLoopEvent();
            usleep(1000);
        }
        glutMainLoopEvent();
        EXPECT_TRUE(gltest::Finite(gltest::GetFloats(GL_PROJECTION_MATRIX)));
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_TRUE(std::isfinite(aspect));
    }
    RestartGame();
}
