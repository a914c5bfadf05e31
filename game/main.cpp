// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// main: program entry. Answers the command line's --help and --version (or
// refuses a word it does not know, or a geometry it cannot read) before any
// window opens; otherwise opens the game's window, fills the maze, places
// the pieces, hands the callbacks to GLUT, starts the gamepads and runs its
// event loop.
// Depends on: the game module, the maze module, GLUT.
#include <GL/glut.h>

#include <cstdlib>   // atexit
#include <optional>  // the exit status ReadCommandLine may return

#include "../board/board.h"     // InitBoard, Init
#include "../sound/sound.h"     // InitSound, CloseSound
#include "../support/random.h"  // Randomize
#include "command_line.h"       // ReadCommandLine, TakeWindowOptions, MuteOption
#include "gamepad.h"            // InitGamepads, QuitGamepads
#include "mazerush.h"

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>  // __lsan_do_leak_check

// In a sanitizer build the leak check runs while the GL driver is still
// whole. Left to the end of exit, it would come after the driver's own exit
// handlers have stopped its renderer threads, and what only those threads
// still pointed to would show as leaks of the game. Registered once the
// window and the driver exist, this handler runs before theirs.
static void CheckLeaksBeforeTheDriverStops() {
    glFinish();
    __lsan_do_leak_check();
}
#endif

int main(int argc, char** argv) {
    if (const std::optional<int> status = ReadCommandLine(argc, argv)) {
        return *status;
    }
    Randomize();
    InitSound(MuteOption(argc, argv));
    const WindowOptionsT windowOptions = TakeWindowOptions(&argc, argv);
    glutInit(&argc, argv);
    InitWindowGeometry(windowOptions.geometry, window_width, window_height);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutCreateWindow("Gobbler");
    IdentifyWindow();
    WatchWindow(WindowHiddenOrShown);
    // -iconic: the window opens as any other, for glutCreateWindow waits
    // until it shows, and is iconified at once.
    if (windowOptions.iconic) {
        glutIconifyWindow();
    }
    InitBoard();
    initgame();
    glutDisplayFunc(Display);
    glutReshapeFunc(Reshape);
    glutKeyboardFunc(Keyboard);
    glutSpecialFunc(SpecialKey);
    glutIdleFunc(IdleOrWait);
    Init();
    atexit(CloseSound);
#ifdef __SANITIZE_ADDRESS__
    atexit(CheckLeaksBeforeTheDriverStops);
#endif
    // Where SDL cannot start, the keyboard alone plays. Registered after the
    // leak check, SDL's end runs before it.
    if (InitGamepads()) {
        atexit(QuitGamepads);
    }
    glutMainLoop();
    return 0;
}
