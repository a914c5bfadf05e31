// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// step_rate: how many steps a second Gobbler and a fast ghost take in the
// real game loop. Opens the game's window and hands GLUT the game's own
// callbacks as main does, puts up play in the 3D view with six ghosts at a
// 0.05 s step (the GOOD difficulty on level 4) and Gobbler in the closed box
// of row 3, where no ghost comes (no life is lost, and a step against the
// box's wall is a step on Gobbler's clock all the same), and runs
// glutMainLoop for a second of warm-up and then the seconds asked for (10
// by default). A display callback around the game's Display counts the
// ticks and the steps: every tick of play asks for a frame, and a piece
// steps at most once a tick, so a new reading of lastgobmove (or of ghost
// 0's lastmove) in a frame is one step. Prints the ticks, the steps a
// second of each piece and how many ticks apart its steps came.
// With "nodraw" the frames are counted but not drawn: the loop, the ticks
// and the steps are still the game's, and the loop keeps 60 ticks a second
// on a machine whose frames of play take longer than a tick to draw.
// Usage: mazerush_step_rate [seconds [nodraw]], on an X display.
// Depends on: the game module, the maze module, GLUT (freeglut).
#include <GL/freeglut.h>  // glutLeaveMainLoop, glutSetOption

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>

#include "../../board/board.h"  // InitBoard, Init
#include "../../game/mazerush.h"

namespace {

const double warmUp = 1.0;
const double fastGhostStep = 0.05;
// An empty cell of row 3 walled in on every side.
const int boxRow = 3;
const int boxCol = 23;

double measureSeconds = 10.0;
bool draw = true;

// A piece's steps: how many, and how many ticks apart.
struct StepCount {
    double lastReading = 0.0;
    long lastTick = 0;
    long steps = 0;
    std::map<long, long> gaps;

    // Notes the piece's reading of its last step at tick `tick`; counts
    // only while `counting`.
    void See(double reading, long tick, bool counting) {
        if (reading == lastReading) {
            return;
        }
        if (counting) {
            steps++;
            gaps[tick - lastTick]++;
        }
        lastReading = reading;
        lastTick = tick;
    }
};

StepCount gob;
StepCount fastGhost;
long ticks = 0;        // the ticks counted
long allTicks = 0;     // and with those of the warm-up
double drawing = 0.0;  // seconds spent in the frames counted
double countStart = 0.0;
double countEnd = 0.0;

double Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// The game's Display, then a look at what the tick before it changed.
void CountingDisplay() {
    const double before = Now();
    if (draw) {
        Display();
        glFinish();
    }
    const double now = Now();
    const bool counting = before >= countStart;
    allTicks++;
    if (counting) {
        ticks++;
        countEnd = now;
        drawing += now - before;
    }
    gob.See(lastgobmove, allTicks, counting);
    fastGhost.See(ghost[0].lastmove, allTicks, counting);
}

void Leave(int /*unused*/) {
    glutLeaveMainLoop();
}

void Report(const char* name, const StepCount& count, double seconds, double interval) {
    std::printf("%-10s interval %.2f s: %ld steps, %.2f a second (%.2f due);", name, interval,
                count.steps, static_cast<double>(count.steps) / seconds, 1.0 / interval);
    std::printf(" ticks apart:");
    for (const auto& gap : count.gaps) {
        std::printf(" %ld x%ld", gap.first, gap.second);
    }
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    if (argc > 1) {
        measureSeconds = std::atof(argv[1]);
    }
    draw = argc <= 2 || std::strcmp(argv[2], "nodraw") != 0;
    glutInitWindowSize(window_width, window_height);
    glutInitWindowPosition(0, 0);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutCreateWindow("Gobbler");
    InitBoard();
    initgame();
    glutDisplayFunc(CountingDisplay);
    glutReshapeFunc(Reshape);
    glutKeyboardFunc(Keyboard);
    glutSpecialFunc(SpecialKey);
    glutIdleFunc(IdleOrWait);
    Init();

    // Play in the 3D view, six ghosts stepping every 0.05 s.
    intro = 0;
    menu = 0;
    ThreeDView = 1;
    difficulty = 2;
    SetDifficulty();
    ghostspeed = fastGhostStep;
    gobx = boxRow;
    gobz = boxCol;
    SetFog();

    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    countStart = Now() + warmUp;
    glutTimerFunc(static_cast<unsigned int>((warmUp + measureSeconds) * 1000.0), Leave, 0);
    glutMainLoop();

    const double seconds = countEnd - countStart;
    std::printf(
        "%.2f s of play in the 3D view%s, %ld ticks (%.2f a second), %.1f ms a frame, "
        "%d lives lost\n",
        seconds, draw ? "" : " (not drawn)", ticks, static_cast<double>(ticks) / seconds,
        ticks > 0 ? drawing / static_cast<double>(ticks) * 1000.0 : 0.0, livesPerGame - menLeft);
    Report("Gobbler", gob, seconds, gobspeed);
    Report("ghost 0", fastGhost, seconds, ghostspeed);
    return 0;
}
