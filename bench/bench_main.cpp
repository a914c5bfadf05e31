// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// bench_main: the benchmark program's entry. Opens the game's 800 x 552
// window, fills the maze, places the pieces and does the one-time GL setup
// as the game does at start-up, then runs the benchmarks.
// Depends on: the game module, the maze module, GLUT, Google Benchmark.
#include <GL/glut.h>
#include <benchmark/benchmark.h>

#include "../board/board.h"  // InitBoard, Init
#include "../game/mazerush.h"

static void DrawNothing() {}

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitWindowSize(window_width, window_height);
    glutInitWindowPosition(0, 0);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutCreateWindow("Gobbler");
    glutDisplayFunc(DrawNothing);
    Reshape(window_width, window_height);
    InitBoard();
    initgame();
    Init();
    // The renderer and its version head the report beside the machine's.
    benchmark::AddCustomContext("gl_renderer",
                                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    benchmark::AddCustomContext("gl_version",
                                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
