// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// session: the real game on an X server, driven from outside. XServer starts
// a virtual X server (Xvfb) of its own; Game starts the program on it, finds
// its window by the title "Gobbler", gives it the focus, types keys into it
// through XTEST, looks at its pixels and waits, against a deadline, for a
// look that shows what is awaited. It can run the game on a clock of its own
// (tools/fakeclock.cpp, preloaded) at a speed that may change while it runs,
// count the frames it shows (tools/swapcount.cpp, preloaded) and tell the
// share of a core it takes.
// Depends on: Xlib, XTest, picture.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "picture.h"

namespace drive {

// A virtual X server of its own: a display number no other server holds,
// checked to answer before the constructor returns. Servers started side by
// side (tests run in parallel) start one at a time, under a lock that
// scripts/with-display takes too.
class XServer {
public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // The display's name, ":N".
    const std::string& Name() const {
        return name;
    }
    // The driver's own connection to it.
    Display* Connection() const {
        return display;
    }
    // Stops the server now (the connection is closed first).
    void Stop();

private:
    std::string name;
    Display* display = nullptr;
    pid_t pid = -1;
};

// How a game is started.
struct GameOptions {
    std::string program;              // the mazerush program (found on PATH if no '/')
    std::vector<std::string> args;    // its command line
    std::vector<std::string> prefix;  // a command that starts it (valgrind ...), or none
    std::vector<std::string> env;     // "NAME=value" to add, or "NAME" to unset
    double clock = -1.0;              // the fake clock's first speed; < 0: the real clock
    std::string fakeClock;            // libfakeclock.so, for clock >= 0
    std::string frameCounter;         // libswapcount.so, to count frames; "" not to
    double windowDeadline = 30.0;     // seconds to wait for the window
    bool iconic = false;              // the window may be iconic: found unmapped too, no focus
};

// Where a window stands on the screen, and its size, in pixels.
struct Placement {
    int x;
    int y;
    int width;
    int height;

    bool operator==(const Placement& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// "WxH+X+Y", as -geometry writes it.
std::ostream& operator<<(std::ostream& out, const Placement& p);

// The frames shown so far and the time of the latest, in seconds from the
// first (the frame counter's count), and the seconds from the game's start
// to its first frame.
struct Frames {
    long shown;
    double seconds;
    double firstAfter;
};

using Shows = std::function<bool(const Picture&)>;

class Game {
public:
    // Starts the game with its ghosts' walk seeded the same every time
    // (MAZERUSH_SEED), waits for its window and gives it the focus.
    Game(XServer& server, GameOptions options);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    pid_t Pid() const {
        return pid;
    }
    Window Id() const {
        return window;
    }
    bool Running();
    // Where the window stands on the screen now, and its size.
    Placement Place() const;

    // Hides the window (unmaps it, as a minimised window is) or shows it
    // again with the focus, and waits until the X server has done it.
    void Show(bool shown);

    // Types keys, by their X names ("s", "Escape", "Down", "F11"), through XTEST
    // into the focused window.
    void Press(const std::vector<std::string>& keys);

    // One look at the window; the last look is kept for whoever reads why a
    // check failed.
    const Picture& Look();
    const Picture& Last() const {
        return last;
    }
    // Looks until a look shows what is awaited, for up to seconds, and returns
    // it; throws Failure(what) when none did, or when the game stopped.
    const Picture& Await(const Shows& shows, double seconds, const std::string& what);

    // Sets the fake clock's speed (0 stops it) and steps it by offset seconds
    // at once, from the game's next reading on.
    void Clock(double speed, double offset = 0.0);
    // The frames counted so far (GameOptions::frameCounter).
    Frames FramesShown() const;
    // Waits up to 10 s for a frame shown at least seconds after the latest
    // one counted now, and returns the count then; throws Failure when none
    // comes.
    Frames AwaitFramesFor(double seconds);
    // The share of one core that all the game's threads take over the next
    // seconds; *held gets the seconds that really passed.
    double CpuShare(double seconds, double* held);

    // Waits up to seconds for the game to end by itself and returns its exit
    // status (128 + N for signal N); throws Failure(what) if it runs on.
    int AwaitExit(double seconds, const std::string& what);
    // Ends the game (its whole process group) and waits until it is gone.
    void Stop();
    // What it wrote to standard output and standard error so far.
    std::string Output() const;
    std::string Errors() const;

private:
    void FindWindow(double seconds, bool iconic);
    void Focus();

    XServer& server;
    std::string dir;  // the game's files: output, clock, frame count
    pid_t pid = -1;
    double startedAt = 0.0;  // the steady clock's reading when it was started
    int status = -1;
    Window window = 0;
    Picture last;
};

// A program run to its end, without a window: its exit status (as Game
// gives it) and what it wrote.
struct Ran {
    int status;
    std::string output;
    std::string errors;
};
// Runs argv to its end, with env changed as GameOptions::env changes it;
// ends it after seconds (status 128 + SIGKILL) should it run on.
Ran RunToEnd(const std::vector<std::string>& argv, const std::vector<std::string>& env,
             double seconds);

// A new directory of its own for temporary files (under TMPDIR, or /tmp),
// named after what it holds.
std::string MakeTempDir(const std::string& what);

// The 32-bit items of a window's property (a cardinal, a list of them), or
// none when the window lacks it.
std::vector<unsigned long> WindowProperty(Display* display, Window window, const char* name);

// The instance and class names of a window's WM_CLASS, "" where it has none.
std::string WindowClass(Display* display, Window window, bool instance);

// Seconds on the steady clock since it was made, for a case's own deadline
// or a measure of how long something took.
class Stopwatch {
public:
    Stopwatch();
    double Seconds() const;

private:
    double start;
};

// Lets seconds pass for a check about time itself (a screen that must stay);
// returns the seconds that really passed.
double Hold(double seconds);

}  // namespace drive
