// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// loop: the display, reshape and idle callbacks, which choose by the mode
// flags what is drawn and what runs, the pace of the idle tick, and the play
// tick.
// Depends on: mazerush.h, board/ (the pellet under Gobbler), GLUT.
#include <GL/glut.h>

#include <cmath>  // ceil and lround for the ticks; tan and atan for the field of view
#include <ctime>  // clock_gettime, the steady clock of the ticks

#include "../board/board.h"  // pellets, the cell codes
#include "mazerush.h"

// ---------------------------------------------------------------------------
// Module data: the pace of the idle tick
// ---------------------------------------------------------------------------

// Seconds on the system's steady clock, the one GLUT's timers count: the
// pace of the ticks follows neither a setting of the wall clock nor the
// game's own clock, which the end-to-end tests run faster, slower or not
// at all.
static double SteadySeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double (*tickClock)() = SteadySeconds;
double nextTickTime = 0.0;

// 1 once the picture of the latest tick has been drawn.
static int tickDrawn = 0;

// 1 while a GLUT timer is set to hand the idle callback back for the next
// tick.
static int tickWaitSet = 0;

// How far short of its interval a piece's reading may fall and the piece
// still step, where the machine keeps 60 ticks a second. The ticks then keep
// to the 1/60 s grid, but each runs a fraction of a millisecond to a
// millisecond or two late, as the GLUT timer that wakes it overshoots: the
// readings of two ticks 12 apart differ by 0.2 s give or take that, and a
// strict comparison would leave about half of Gobbler's 0.2 s steps to the
// 13th tick, and a ghost's 0.05 s steps to the 4th instead of the 3rd. With
// a quarter of a tick of leeway each step comes on the tick its interval
// falls on, and never a tick early.
static const double stepLeeway = tickInterval / 4.0;

// The ticks in a row, up to the latest, that ran within stepLeeway of their
// slot on the grid. Only a run that reaches back to a piece's last step
// gives the piece the leeway: both readings are then that close to their
// slots. Where ticks come further apart (a machine that cannot draw play 60
// times a second), none runs on time for long, and a step waits, as ever,
// for the first tick at which its whole interval has passed.
static int ticksOnTime = 0;

// ---------------------------------------------------------------------------
// File-local helpers
// ---------------------------------------------------------------------------

// Whether the screen up is one whose idle tick runs: the intro, the level
// change (also behind the menu or the game-over screen) and play. On the
// menu, the game-over screen and paused play nothing moves until a key.
static bool TickRuns() {
    const bool stillScreen = menu != 0 || gameOver != 0 || gamePaused != 0;
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

// The GLUT timer set by WaitForTick: the next tick is due, so the idle
// callback comes back.
static void TickDue(int /*unused*/) {
    tickWaitSet = 0;
    glutIdleFunc(Idle);
}

// Until the next tick is due, the idle callback is off and a GLUT timer set
// for that moment brings it back: meanwhile GLUT sleeps until an event or
// the timer instead of spinning, and a key that arrives is handled at once.
// GLUT counts whole milliseconds of a clock it truncates, so its timer can
// come up to a millisecond early: it is set a millisecond past the wait
// rounded up, and the tick, a little late, keeps to its grid all the same.
// A timer already set stays; should one come early all the same, the idle
// callback sets another for the rest.
static void WaitForTick() {
    glutIdleFunc(nullptr);
    if (tickWaitSet) {
        return;
    }
    const double wait = nextTickTime - tickClock();
    const double waitMs = wait > 0.0 ? std::ceil(wait * 1000.0) + 1.0 : 0.0;
    glutTimerFunc(static_cast<unsigned int>(waitMs), TickDue, 0);
    tickWaitSet = 1;
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

void Reshape(int w, int h) {
    glViewport(0, 0, w, h);
    // A window of height 0 has no aspect ratio; keep the last finite one.
    if (h > 0) {
        aspect = static_cast<double>(w) / static_cast<double>(h);
    }
    window_height = h;
    window_width = w;
    glutPostRedisplay();
}

// The idle callback: at most 60 ticks a second of the intro, else of the
// level change, else of play. The level-change tick is tested before the
// menu, so that a game left from the level-change screen still lets that
// screen finish its course.
void Idle() {
    if (!TickRuns()) {
        // Nothing on these screens moves until a key is pressed: GLUT stops
        // calling back and waits for the next event instead of spinning a
        // core, until the keyboard callback hands the tick back.
        glutIdleFunc(nullptr);
        return;
    }
    if (!TakeTick()) {
        WaitForTick();
        return;
    }
    tickDrawn = 0;
    if (intro) {
        IntroIdle();
    } else if (changeLevel) {
        LevelChangeIdle();
    } else {
        PlayTick();
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
