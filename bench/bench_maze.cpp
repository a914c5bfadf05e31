// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// bench_maze: the cost of drawing the maze alone (pellets, tubes, corner
// spheres) from the camera above, on the renderer of the run. Every
// iteration clears the frame, draws the maze and waits for GL to finish.
// Depends on: the maze module (the drawing routines, InitBoard), GL, GLU.
#include <GL/glu.h>
#include <benchmark/benchmark.h>

#include "../board/board.h"

// The camera of the view from above, on the window's 800 x 552.
static void CameraAbove() {
    glViewport(0, 0, 800, 552);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 800.0 / 552.0, 1.0, 1000.0);
    gluLookAt(0.01, 30.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void BM_MazeDraw(benchmark::State& state) {
    InitBoard();
    CameraAbove();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawRemainingPellets();
        DrawHorizontalWalls();
        DrawVerticalWalls();
        DrawWallEndings();
        glFinish();
    }
}

BENCHMARK(BM_MazeDraw)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();
