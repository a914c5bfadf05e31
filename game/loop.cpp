// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// loop: the display, reshape and idle callbacks, which choose by the mode
// flags what is drawn and what runs, the pace of the idle tick and the
// game's waits between ticks, all on the steady clock, and the play tick.
// Depends on: mazerush.h, desktop.h (the wait for the X server's events, the
// hidden window), gamepad.h (the pads looked at between events), sound/
// (the audio device's rounds), board/ (the pellet under Gobbler), GLUT.
#include <GL/glut.h>

#include <algorithm>  // min, of the moments to wake at; min and max of the stroke width
#include <cmath>      // lround for the ticks; tan and atan for the field of view
#include <ctime>      // clock_gettime, the steady clock of every wait
#include <limits>     // infinity, a wake that never comes

#include "../board/board.h"  // pellets, the cell codes
#include "gamepad.h"         // PollGamepads, GamepadsOpen
#include "mazerush.h"

// ---------------------------------------------------------------------------
// Module data: the pace of the idle tick
// ---------------------------------------------------------------------------

// Seconds on the system's steady clock. Every wait of the game counts it:
// the pace of the ticks follows neither a setting of the wall clock (which
// GLUT's own timers count, and which would hold the game still for as long
// as the clock was set back) nor the game's own clock, which the end-to-end
// tests run faster, slower or not at all.
static double SteadySeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double (*tickClock)() = SteadySeconds;
double nextTickTime = 0.0;

// 1 once the picture of the latest tick has been drawn.
static int tickDrawn = 0;

// 1 once the first frame has been drawn: the audio device, which may take
// a while to open, waits for it.
static int framesDrawn = 0;

// How far short of its interval a piece's reading may fall and the piece
// still step, where the machine keeps 60 ticks a second. The ticks then keep
// to the 1/60 s grid, but each runs a fraction of a millisecond late, as the
// wait that ends at its slot overshoots: the readings of two ticks 12 apart
// differ by 0.2 s give or take that, and a strict comparison would leave
// about half of Gobbler's 0.2 s steps to the 13th tick, and a ghost's 0.05 s
// steps to the 4th instead of the 3rd. With a quarter of a tick of leeway
// each step comes on the tick its interval falls on, and never a tick early.
static const double stepLeeway = tickInterval / 4.0;

// The ticks in a row, up to the latest, that ran within stepLeeway of their
// slot on the grid. Only a run that reaches back to a piece's last step
// gives the piece the leeway: both readings are then that close to their
// slots. Where ticks come further apart (a machine that cannot draw play 60
// times a second), none runs on time for long, and a step waits, as ever,
// for the first tick at which its whole interval has passed.
static int ticksOnTime = 0;

// 1 from the end of a wait (or a look at the pads) until the round of
// GLUT's loop after it is done.
static int justWoke = 0;

// The pads are looked at once a tick while one is open, so that a press is
// answered within a tick on every screen, and once a second while none is,
// so that one plugged in is noticed within a second; nextPadLook is the
// steady clock's reading at which they are looked at next.
static const double padLookWithoutPads = 1.0;
static double nextPadLook = 0.0;

// No wait ends: the game sleeps until an event comes.
static const double never = std::numeric_limits<double>::infinity();

// ---------------------------------------------------------------------------
// File-local helpers
// ---------------------------------------------------------------------------

// Whether the screen up is one whose idle tick runs: the intro, the level
// change (also behind the menu or the game-over screen) and play. On the
// menu, the game-over screen and paused play nothing moves until a key.
// The level change waits, its clock held, while the window is hidden.
static bool TickRuns() {
    const bool stillScreen = menu != 0 || gameOver != 0 || gamePaused != 0;
    if (intro == 0 && changeLevel != 0 && WindowHidden()) {
        return false;
    }
    return intro != 0 || changeLevel != 0 || !stillScreen;
}

// Whether a tick is due now; if so, books the one after it. Ticks keep to a
// grid of 1/60 s, so one that runs a little late is followed by the next on
// time, and the ticks of a second stay 60 where the machine keeps up. A tick
// a whole interval late or more (after a slow frame or a still screen) starts
// the grid afresh from now: the ticks it missed are not made up in a burst.
// A clock that reads earlier than the tick before (only a clock held by a
// test can) shows as a tick due more than an interval ahead, which runs at
// once and starts the grid afresh as well.
// A tick within stepLeeway of its slot adds to the run of ticks on time;
// any other ends it.
static bool TakeTick() {
    const double now = tickClock();
    const double late = now - nextTickTime;
    if (late < 0.0 && late >= -tickInterval) {
        return false;
    }
    const double slot = late >= 0.0 && late < tickInterval ? nextTickTime : now;
    nextTickTime = slot + tickInterval;
    ticksOnTime = late >= 0.0 && late < stepLeeway ? ticksOnTime + 1 : 0;
    return true;
}

// Runs the tick of the screen up if one is due; returns whether it ran.
static bool RunDueTick() {
    if (!TickRuns() || !TakeTick()) {
        return false;
    }
    tickDrawn = 0;
    if (intro) {
        IntroIdle();
    } else if (changeLevel) {
        LevelChangeIdle();
    } else if (WindowHidden()) {
        // Nobody can follow play in a hidden window, however it began.
        PauseHiddenPlay();
    } else {
        PlayTick();
    }
    return true;
}

// The steady clock's reading at which the game next has something to do
// without a key: the next tick, where ticks run, the next look at the pads
// and at a hidden window, and the end of the sounds playing, after which
// the audio device rests.
static double NextWake() {
    const double tick = TickRuns() ? nextTickTime : never;
    const double soundEnds = tickClock() + SoundSecondsLeft();
    return std::min({tick, nextPadLook, NextWindowCheck(), soundEnds});
}

// Looks at the pads when it is time: a press runs its key, and what it asks
// for is drawn in the next round of GLUT's loop, before any wait.
static void LookAtPads(double now) {
    if (now < nextPadLook) {
        return;
    }
    PollGamepads();
    nextPadLook = now + (GamepadsOpen() ? tickInterval : padLookWithoutPads);
    justWoke = 1;
}

// Hides the pointer over the window, or shows it again. In play it would
// stand over the maze, and the game takes no mouse input anywhere. GLUT
// keeps the window's cursor, so asking for it costs no X request: only a
// change goes to the X server.
static void ShowPointer(bool shown) {
    const int cursor = shown ? GLUT_CURSOR_INHERIT : GLUT_CURSOR_NONE;
    if (glutGet(GLUT_WINDOW_CURSOR) != cursor) {
        glutSetCursor(cursor);
    }
}

// ---------------------------------------------------------------------------
// The GLUT callbacks
// ---------------------------------------------------------------------------

// Draws the screen up. Where the idle tick runs, the picture changes only
// with a tick, so it is drawn at most once a tick: a request after the
// tick's picture is drawn (a key's, the window system's when the window is
// uncovered) is met by the next tick's picture, at most 1/60 s later, and
// the level change adds its 5 points a frame only once a tick. The pointer
// is hidden over play, paused or not, and shown over the other screens.
void Display() {
    ShowPointer(intro != 0 || menu != 0 || changeLevel != 0 || gameOver != 0);
    if (TickRuns()) {
        if (tickDrawn) {
            return;
        }
        tickDrawn = 1;
    }
    framesDrawn = 1;
    if (intro) {
        DisplayIntro();
    } else if (menu) {
        DisplayMenu();
    } else if (changeLevel) {
        DisplayLevelChange();
    } else if (gameOver) {
        DisplayGameOver();
    } else {
        DisplayGame();
    }
}

// The vertical field of view, in degrees, of every screen's perspective in a
// window of this aspect (width / height). At the game's own 800 x 552 and
// wider it is 60 degrees. A narrower window (a desktop's half screen, say)
// would show less across and cut off the sides of each picture, in play the
// score and the lives beside the maze: there the field of view widens just
// enough for the picture to span across what 800 x 552 shows, and the
// window's extra height shows more above and below.
double FieldOfView(double windowAspect) {
    if (!(windowAspect > 0.0) || windowAspect >= pictureAspect) {
        return pictureFieldOfView;
    }
    const double radiansPerDegree = std::atan(1.0) / 45.0;
    const double halfHeight = std::tan(pictureFieldOfView / 2.0 * radiansPerDegree);
    const double halfAngle = std::atan(halfHeight * pictureAspect / windowAspect);
    return 2.0 * halfAngle / radiansPerDegree;
}

// The width, in pixels, of the strokes of text (the only lines the game
// draws) in a window w x h. GL draws a line as many pixels wide whatever the
// window's size, so that text at 1 pixel would thin as the window grows: the
// strokes are made as much wider as the picture is larger than at the
// game's own 800 x 552, where they are 1 pixel wide. The picture's scale is
// the window's height's, or in a window narrower than 800 x 552 its width's
// (FieldOfView keeps the picture's width there); a stroke is never thinner
// than a pixel.
float StrokeWidth(int w, int h) {
    const double scale = std::min(w / pictureWidth, h / pictureHeight);
    return static_cast<float>(std::max(1.0, scale));
}

// Keeps the viewport on the whole window and the strokes of text in scale
// with the picture; both are GL state that every screen shares, set here
// once for each size the window takes (F11 included), not on each frame.
void Reshape(int w, int h) {
    glViewport(0, 0, w, h);
    glLineWidth(StrokeWidth(w, h));
    // A window of height 0 has no aspect ratio; keep the last finite one.
    if (h > 0) {
        aspect = static_cast<double>(w) / static_cast<double>(h);
    }
    window_height = h;
    window_width = w;
    glutPostRedisplay();
}

// The idle step: at most 60 ticks a second of the intro, else of the level
// change, else of play. The level-change tick is tested before the menu, so
// that a game left from the level-change screen still lets that screen
// finish its course. On the menu, the game-over screen and paused play it
// does nothing.
void Idle() {
    RunDueTick();
}

// The idle callback that main hands to GLUT, which calls it whenever no
// event is waiting: the idle step if a tick is due (its picture is then
// drawn before anything waits), else a wait for the next event from the X
// server (a key, the window shown) or for the next moment the game has
// something to do (a tick, a look at the pads), whichever comes first. So the ticks keep to the steady
// clock, a key is answered at once, and a screen on which nothing moves
// takes no processor time at all. Each round, the sound hears the screen
// up, and the audio device rests if nothing sounds.
void IdleOrWait() {
    CheckHiddenWindow(tickClock());
    LookAtPads(tickClock());
    const bool ticked = RunDueTick();
    HearScreen();
    if (framesDrawn) {
        UpdateSound();
    }
    if (ticked) {
        return;
    }
    // GLUT carries out some of what a key asks for (F11's switch to full
    // screen and back) over two rounds of its loop, the second asking the X
    // server for it: after each wake, one more round goes by before the next
    // wait, or the game would sleep with the request unsent.
    if (justWoke) {
        justWoke = 0;
        return;
    }
    AwaitWindowEvent(NextWake() - tickClock());
    justWoke = 1;
}

// What the game does when its window is hidden (minimised, or on another
// workspace) or shown again. Play, which nobody could follow, pauses as P
// does, and P resumes it. The level-change screen waits: its clock stands
// still while the window is hidden, and no frame adds to the score, so its
// seven seconds and its count go on where they were once it is shown; the
// level after it starts paused, as after P on that screen.
void WindowHiddenOrShown(bool hidden) {
    if (hidden) {
        PauseHiddenPlay();
    }
    if (changeLevel == 0 || levelChangeStart != 0) {
        return;
    }
    if (hidden && levelChangeTimer.running) {
        levelChangeTimer.Stop();
    } else if (!hidden && !levelChangeTimer.running) {
        levelChangeTimer.Start();
    }
}

// ---------------------------------------------------------------------------
// The play tick
// ---------------------------------------------------------------------------

// The leeway of a piece that steps every interval seconds, at this tick.
static double LeewayFor(double interval) {
    return ticksOnTime > std::lround(interval / tickInterval) ? stepLeeway : 0.0;
}

static bool OnGobCell(const ghostT& g) {
    return g.x == gobx && g.z == gobz;
}

// The meeting before anything moves: a scared ghost in a power period is
// eaten, any other living ghost costs a life. Returns whether a life was
// lost.
static bool MeetBeforeMoves() {
    for (int i = 0; i < num_ghosts; i++) {
        ghostT& g = ghost[i];
        if (!OnGobCell(g)) {
            continue;
        }
        if (invincible && g.scared) {
            killghost(&g);
        } else if (g.alive) {
            LoseLife();
            return true;
        }
    }
    return false;
}

// The meeting after Gobbler's step, just before ghost g's own: in a power
// period every ghost there is eaten, else a living one costs a life.
// Returns whether a life was lost.
static bool MeetAfterGobStep(ghostT& g) {
    if (!OnGobCell(g)) {
        return false;
    }
    if (invincible) {
        killghost(&g);
    } else if (g.alive) {
        LoseLife();
        return true;
    }
    return false;
}

// One tick of play: the mouth, the power period, the pellet under Gobbler,
// the first meeting, Gobbler's step, then each ghost's meeting and step. A
// piece steps once its interval has passed since its last step, within the
// leeway of a machine that keeps 60 ticks a second.
void PlayTick() {
    ChompStep();
    if (invincible && madtimer.Time() >= powerPeriod) {
        EndPowerPeriod();
    }
    if (pellets[gobx][gobz] > cellEmpty) {
        if (pellets[gobx][gobz] == cellPowerPellet) {
            StartPowerPeriod();
        }
        eatPellet(gobx, gobz);
    }
    if (MeetBeforeMoves()) {
        return;
    }
    glutPostRedisplay();
    const double now = movegobT.Time();
    if (now - lastgobmove >= gobspeed - LeewayFor(gobspeed)) {
        MoveGob();
        lastgobmove = now;
    }
    for (int i = 0; i < num_ghosts; i++) {
        ghostT& g = ghost[i];
        if (MeetAfterGobStep(g)) {
            return;
        }
        const double ghostNow = g.timer.Time();
        if (ghostNow - g.lastmove >= ghostspeed - LeewayFor(ghostspeed)) {
            MoveGhost(&g);
            g.lastmove = ghostNow;
        }
    }
}
