// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// idle_cost: what a screen on which nothing moves costs the real game loop,
// with no pad and with one, and how soon a pad's press is answered there.
// Opens the game's window and hands GLUT the game's own callbacks as main
// does, puts up the menu and runs glutMainLoop: for the seconds asked for
// (10 by default) with no pad, then as long again with a pad plugged in
// (one of SDL's virtual controllers, which the game looks at as it looks at
// a real one), then until a press of the pad's D-pad has moved the menu's
// highlight. Prints the share of a core the process took in each stretch
// (all its threads, from getrusage), how long the game took to notice the
// pad, and how long after the press, made from a thread of its own at a
// moment unrelated to the loop's, the highlight had moved.
// Usage: mazerush_idle_cost [seconds], on an X display.
// Depends on: the game module, the maze module, GLUT (freeglut), SDL2.
#include <GL/freeglut.h>  // glutLeaveMainLoop, glutSetOption
#include <SDL.h>
#include <sys/resource.h>  // getrusage

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "../../board/board.h"  // InitBoard, Init
#include "../../game/gamepad.h"
#include "../../game/mazerush.h"

namespace {

double Now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// The process's processor time so far, all threads, in seconds.
double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double stretch = 10.0;
double stretchStart = 0.0;
double processorStart = 0.0;

// What the pad's thread did, and when the game saw it (< 0: not yet).
std::atomic<double> plugged{0.0};
std::atomic<double> pressed{0.0};
double noticed = -1.0;
double answered = -1.0;
bool reported = false;

// A stretch of the still menu ends: its share of a core.
void Report(const char* what) {
    const double seconds = Now() - stretchStart;
    std::printf("%s: %.2f %% of a core over %.1f s\n", what,
                100.0 * (ProcessorSeconds() - processorStart) / seconds, seconds);
    stretchStart = Now();
    processorStart = ProcessorSeconds();
}

// The pad, from a thread of its own at moments unrelated to the loop's: it
// is plugged in after the stretch without a pad, and its D-pad pressed down
// half a second after the stretch with it.
void PadThread() {
    std::this_thread::sleep_for(std::chrono::duration<double>(1.0 + stretch));
    SDL_Joystick* pad = SDL_JoystickOpen(SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0));
    plugged = Now();
    std::this_thread::sleep_for(std::chrono::duration<double>(stretch + 0.5071));
    SDL_JoystickSetVirtualButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
    pressed = Now();
}

void Stage(int stage);

void After(double seconds, int stage) {
    glutTimerFunc(static_cast<unsigned int>(seconds * 1000.0), Stage, stage);
}

// The game's Display, then a look at whether the pad's press has shown.
void WatchingDisplay() {
    Display();
    if (pressed > 0.0 && answered < 0.0 && currMenuItem == 2) {
        answered = Now();
    }
}

// The game's idle callback, and a look at whether it has opened the pad.
void WatchingIdle() {
    IdleOrWait();
    if (plugged > 0.0 && noticed < 0.0 && GamepadsOpen()) {
        noticed = Now();
    }
    if (answered > 0.0 && reported) {
        glutLeaveMainLoop();
    }
}

// The stretches, timed by GLUT's timers, which come when the loop next
// wakes (up to a second late without a pad: it sleeps till then).
void Stage(int stage) {
    switch (stage) {
        case 0:
            Report("warm-up");
            After(stretch, 1);
            break;
        case 1:
            Report("the menu, no pad");
            After(stretch, 2);
            break;
        default:
            Report("the menu, one pad");
            reported = true;
            break;
    }
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    if (argc > 1) {
        stretch = std::atof(argv[1]);
    }
    glutInitWindowSize(window_width, window_height);
    glutInitWindowPosition(0, 0);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutCreateWindow("Gobbler");
    WatchWindow(WindowHiddenOrShown);
    InitGamepads();
    InitBoard();
    initgame();
    glutDisplayFunc(WatchingDisplay);
    glutReshapeFunc(Reshape);
    glutKeyboardFunc(Keyboard);
    glutSpecialFunc(SpecialKey);
    glutIdleFunc(WatchingIdle);
    Init();
    intro = 0;
    menu = 1;
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    stretchStart = Now();
    processorStart = ProcessorSeconds();
    After(1.0, 0);
    std::thread padThread(PadThread);
    glutMainLoop();
    padThread.join();
    std::printf("pad noticed %.0f ms after it was plugged in\n", 1000.0 * (noticed - plugged));
    std::printf("press answered %.1f ms after it was made\n", 1000.0 * (answered - pressed));
    QuitGamepads();
    return 0;
}
