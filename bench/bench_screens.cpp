// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// bench_screens: the cost of one frame of each screen around play: the main
// menu, the level-change screen halfway through its pan, and the intro in
// phase 9 (three ghosts chase Gobbler) and phase 12 (Gobbler chases the
// frightened ghosts). Every iteration draws the frame, swaps and waits for GL
// to finish.
// Depends on: the game module (the screens' display routines and state), GL,
// Google Benchmark.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include "../game/mazerush.h"

namespace {

// Every mode flag and intro phase flag down.
void AllScreensOff() {
    intro = 0;
    menu = 0;
    changeLevel = 0;
    gameOver = 0;
    int* const phases[] = {
        &odalieIntro,   &odaliePause,   &tavishIntro,   &tavishPause, &kestrelIntro,
        &kestrelPause,  &presentIntro,  &presentPause,  &runLeft,     &runRight,
        &cameraShake,   &eatGhosts,     &gotGhosts,     &gobSolo,     &towardCamera,
        &swallowCamera, &mazerushIntro, &mazerushPause, &prodIntro,   &prodPause,
    };
    for (int* flag : phases) {
        *flag = 0;
    }
    fogtype = 0;
    SetFog();
}

void Frames(benchmark::State& state, void (*display)()) {
    for (auto _ : state) {
        display();
        glFinish();
    }
}

}  // namespace

static void BM_MenuFrame(benchmark::State& state) {
    AllScreensOff();
    menu = 1;
    currMenuItem = 1;
    Frames(state, DisplayMenu);
    AllScreensOff();
}

// The pan halfway: Gobbler and the level line in view.
static void BM_LevelChangeFrame(benchmark::State& state) {
    AllScreensOff();
    changeLevel = 1;
    levelNum = 2;
    xPos = -4.0f;
    yPos = 0.0f;
    zPos = 10.0f;
    Frames(state, DisplayLevelChange);
    score = 0;
    AllScreensOff();
}

// range(0): the phase, 9 or 12; the camera in front of the characters.
static void BM_IntroFrame(benchmark::State& state) {
    AllScreensOff();
    intro = 1;
    *(state.range(0) == 9 ? &runLeft : &eatGhosts) = 1;
    xPos = 0.0f;
    yPos = 0.0f;
    zPos = 10.0f;
    Frames(state, DisplayIntro);
    AllScreensOff();
}

BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_LevelChangeFrame)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
BENCHMARK(BM_IntroFrame)
    ->Arg(9)
    ->Arg(12)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
