// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// bench_scene: the cost of one in-game frame on the renderer of the run, in
// the view from above, the view behind the player and with each kind of fog.
// Every iteration draws a whole frame, swaps and waits for GL to finish.
// Depends on: the game module (DisplayGame, SetFog, the game state), GL.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "bench_start.h"

// Play as it stands after start-up. Benchmarks run one after another in one
// process, so the start state is put back here rather than trusted from the
// one before.
void StartOfPlay(int view, int fog) {
    InitBoard();
    initgame();
    num_ghosts = 4;
    score = 0;
    menLeft = livesPerGame;
    ghostKilled = 0;
    t = 0.0;
    intro = 0;
    menu = 0;
    ThreeDView = view;
    fogtype = fog;
    SetFog();
}

static void GameFrame(benchmark::State& state, int view, int fog) {
    StartOfPlay(view, fog);
    for (auto _ : state) {
        DisplayGame();
        glFinish();
    }
    StartOfPlay(0, 0);
}

static void BM_GameFrame2D(benchmark::State& state) {
    GameFrame(state, 0, 0);
}

static void BM_GameFrame3D(benchmark::State& state) {
    GameFrame(state, 1, 0);
}

// range(0): the fog type, 1 to 3, in the view from above.
static void BM_GameFrameFog(benchmark::State& state) {
    GameFrame(state, 0, static_cast<int>(state.range(0)));
}

// The frame that the reference is held against is measured three times as
// often as the others: a frame varies by several per cent from one
// repetition to the next, and the ratio of two medians should not.
BENCHMARK(BM_GameFrame2D)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly();
BENCHMARK(BM_GameFrame3D)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
BENCHMARK(BM_GameFrameFog)
    ->DenseRange(1, 3)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
