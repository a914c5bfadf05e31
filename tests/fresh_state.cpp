// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// fresh_state: every case of the test program starts from the game's state
// as a fresh process has it, so that the cases pass in one process, in any
// order and repeated. The state is taken as the program starts, before the
// first case, and put back before each: the shared game state, the maze's
// live grid, the random numbers' seed, GL's settings and matrices, and the
// test window's callbacks. A case that exits the program fails the run.
// Depends on: the game module, the maze module, GoogleTest, gl_test.
#include <gtest/gtest.h>

#include <cstdio>   // fputs
#include <cstdlib>  // srand, atexit, _Exit
#include <cstring>  // memcpy
#include <functional>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "gl_test.h"

namespace {

// Each puts one variable back to the value it had when it was kept.
std::vector<std::function<void()>> putBack;

template <typename T>
void Keep(T& variable) {
    putBack.emplace_back([&variable, fresh = variable] { variable = fresh; });
}

// A plain array, kept whole.
template <typename T, size_t n>
void KeepArray(T (&array)[n]) {
    std::vector<unsigned char> fresh(sizeof array);
    std::memcpy(fresh.data(), array, sizeof array);
    putBack.emplace_back([&array, fresh] { std::memcpy(array, fresh.data(), sizeof array); });
}

// The game's state, as mazerush.h lists it, and the maze's live grid.
void KeepGameState() {
    for (int* value :
         {&intro,        &menu,      &changeLevel,      &gameOver,     &gamePaused,   &levelNum,
          &pelletsEaten, &score,     &menLeft,          &invincible,   &ghostKilled,  &num_ghosts,
          &difficulty,   &fogtype,   &ThreeDView,       &currMenuItem, &gobx,         &gobz,
          &firstChomp,   &openMouth, &levelChangeStart, &window_width, &window_height}) {
        Keep(*value);
    }
    for (int* flag : {&firstTime,    &camAxis,      &gotGhosts,    &runLeft,       &runRight,
                      &cameraShake,  &eatGhosts,    &gobSolo,      &towardCamera,  &swallowCamera,
                      &odalieIntro,  &odaliePause,  &tavishIntro,  &tavishPause,   &kestrelIntro,
                      &kestrelPause, &presentIntro, &presentPause, &mazerushIntro, &mazerushPause,
                      &prodIntro,    &prodPause,    &shakeUp,      &shakeRestart,  &shakeCount}) {
        Keep(*flag);
    }
    for (float* value : {&chompCurrTime, &chompLastTime, &levelChangeCurrTime, &levelChangeLastTime,
                         &currTime, &lastTime, &xPos, &yPos, &zPos, &shakeBase}) {
        Keep(*value);
    }
    for (Timer* timer : {&movegobT, &madtimer, &chompTimer, &levelChangeTimer, &tim}) {
        Keep(*timer);
    }
    for (ghostT& g : ghost) {
        Keep(g);
    }
    for (double* value :
         {&gobspeed, &ghostspeed, &lastgobmove, &chompChange, &t, &happy, &aspect, &nextTickTime}) {
        Keep(*value);
    }
    Keep(deadGhost);
    Keep(gobdir);
    Keep(tickClock);
    KeepArray(colors);
    KeepArray(pellets);
}

// A case that ends the program (exit in the middle of it, as a key that
// wrongly quits would) would end the run with status 0, which reads as a
// pass: such an exit fails the run instead. A case's own child process, in
// which a case tests an exit (EXPECT_EXIT), exits as it likes.
bool caseRunning = false;

void ExitInTheMiddleOfACase() {
    if (caseRunning && !::testing::internal::InDeathTestChild()) {
        std::fputs("the program exited in the middle of a case\n", stderr);
        std::_Exit(1);
    }
}

class FreshState : public ::testing::EmptyTestEventListener {
    void OnTestProgramStart(const ::testing::UnitTest& /*unit*/) override {
        std::atexit(ExitInTheMiddleOfACase);
        KeepGameState();
        // Every setting of GL's, as the window was made with.
        glPushAttrib(GL_ALL_ATTRIB_BITS);
    }

    void OnTestStart(const ::testing::TestInfo& /*test*/) override {
        // A path home belongs to its ghost, which a fresh process has none of.
        for (ghostT& g : ghost) {
            FreePath(&g);
        }
        FreePath(&deadGhost);
        for (const auto& restore : putBack) {
            restore();
        }
        // A program that never seeds rand is seeded 1.
        srand(1);
        // The keyboard's own record of the fog, from fogtype 0; then GL's
        // settings (fog, lights, materials, viewport, line width, ...)
        // as they were, kept again for the next case.
        SetFog();
        glPopAttrib();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        for (const GLenum matrix : {GL_PROJECTION, GL_MODELVIEW}) {
            glMatrixMode(matrix);
            glLoadIdentity();
        }
        gltest::ResetWindow();
        caseRunning = true;
    }

    void OnTestEnd(const ::testing::TestInfo& /*test*/) override {
        caseRunning = false;
    }
};

// Appended before main runs the cases.
const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshState);
    return true;
}();

}  // namespace
