// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// bench_gobdraw: the cost of one character model and one line of text, each
// drawn and rendered to the end (glFinish) on the renderer of the run, in
// the game's 3D view: the model about 3 units in front of the camera, lit
// by the game's light.
// Depends on: gobdraw, GL, GLU, Google Benchmark.
#include <GL/glu.h>
#include <GL/glut.h>
#include <benchmark/benchmark.h>

#include "../models/gobdraw.h"

static float ghostColor[4] = {1, 0, 0, 1};

// The game's lighting and a camera looking at the origin from behind and
// above, as the 3D view follows Gobbler.
static void SetUpView() {
    glClearColor(0, 0, 0, 0);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60, 800.0 / 552, 1, 1000);
    gluLookAt(0, 2, 3, 0, 0, 0, 0, 1, 0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float light[4] = {15, 5, 0, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
}

// Clears the depth buffer (so that every model is drawn in full), draws,
// and waits for the renderer.
template <typename Draw>
static void Run(benchmark::State& state, Draw draw) {
    SetUpView();
    for (auto _ : state) {
        glClear(GL_DEPTH_BUFFER_BIT);
        draw();
        glFinish();
    }
}

static void BM_ClearAndFinish(benchmark::State& state) {
    Run(state, [] {});
}
BENCHMARK(BM_ClearAndFinish);

static void BM_DrawGob(benchmark::State& state) {
    const int mad = static_cast<int>(state.range(0));
    Run(state, [mad] { DrawGob(0, 0, 0, 0, 0, 0, 20, mad); });
}
BENCHMARK(BM_DrawGob)->ArgName("mad")->Arg(0)->Arg(1);

static void BM_DrawGhost(benchmark::State& state) {
    Run(state, [] { DrawGhost(0, 0, 0, 0, 0, 0, 0, ghostColor, 0); });
}
BENCHMARK(BM_DrawGhost);

static void BM_DrawText(benchmark::State& state) {
    Run(state, [] { DrawText(-1, 0, 0, 1, 1, 0, 0.01f, 1, "SCORE 12340"); });
}
BENCHMARK(BM_DrawText);
