// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// stress_common: what the robot player, the keyboard fuzz and the soak
// share, with the tests of the rules, the ghosts, movement, the keyboard,
// the gamepads, the loop, the intro and the screens. A screen's clock held,
// a clock that runs the game's timers forward by moving their start
// readings back, the state a key may change, the cells next to a cell and
// the pellets of a grid, and the invariants that must hold after every play
// tick.
// Depends on: the game state (mazerush.h), the maze (board.h), GoogleTest.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"

namespace stress {

// A screen's clock held: its stopwatch stopped at 10 s and its last
// reading e before that, so that exactly e has passed.
inline void HoldClock(Timer& stopwatch, float& lastReading, double e) {
    stopwatch.Reset();
    stopwatch.elapsed = 10.0;
    lastReading = static_cast<float>(10.0 - e);
}

// Moves every running clock of play forward by dt seconds of game time, and
// the idle tick's due time back by as much.
inline void AdvanceClocks(double dt) {
    Timer* timers[] = {&movegobT, &madtimer, &chompTimer, &levelChangeTimer, &tim};
    for (Timer* timer : timers) {
        timer->start -= dt;
    }
    nextTickTime -= dt;
    for (int i = 0; i < maxGhosts; i++) {
        ghost[i].timer.start -= dt;
    }
}

// The game state that a key may change, in this order: the five mode flags,
// levelNum, score, difficulty, fogtype, ThreeDView, currMenuItem, num_ghosts,
// ghostspeed, t, openMouth, gobx, gobz, gobdir.
inline std::vector<double> State() {
    return {double(intro),        double(menu),
            double(changeLevel),  double(gameOver),
            double(gamePaused),   double(levelNum),
            double(score),        double(difficulty),
            double(fogtype),      double(ThreeDView),
            double(currMenuItem), double(num_ghosts),
            ghostspeed,           t,
            double(openMouth),    double(gobx),
            double(gobz),         double(gobdir)};
}

// The cell one grid move from (x, z) in direction d, as NextMove makes
// moves (stepping onto one tunnel end comes out at the other).
inline ptT Neighbour(int x, int z, dirT d) {
    ptT* p = NextMove(x, z, d);
    const ptT n = *p;
    free(p);
    return n;
}

// Whether b is one grid move from a.
inline bool OneCellApart(int ax, int az, int bx, int bz) {
    for (int d = UP; d <= LEFT; d++) {
        const ptT n = Neighbour(ax, az, static_cast<dirT>(d));
        if (n.x == bx && n.z == bz) {
            return true;
        }
    }
    return false;
}

// Whether any direction but straight back is open to a ghost at (x, z)
// facing d (the only case in which a living ghost may turn back).
inline bool GhostHasWayForward(int x, int z, dirT d) {
    for (int k = UP; k <= LEFT; k++) {
        const ptT n = Neighbour(x, z, static_cast<dirT>(k));
        if (static_cast<dirT>(k) != OppositeDir(d) && !IsGhostWall(n.x, n.z)) {
            return true;
        }
    }
    return false;
}

// The pellets of a grid: those still in place (pellets) or the layout's
// (board).
inline int PelletsIn(const int grid[boardRows][boardCols]) {
    int n = 0;
    for (int x = 0; x < boardRows; x++) {
        for (int z = 0; z < boardCols; z++) {
            n += grid[x][z] > cellEmpty ? 1 : 0;
        }
    }
    return n;
}

// Checks a dead ghost's way home: every step one cell from the one before,
// the first one from where the ghost stands, none on a wall.
inline ::testing::AssertionResult PathIsOneCellMoves(const ghostT& g) {
    if (g.path == nullptr) {
        return ::testing::AssertionSuccess();
    }
    int px = g.x;
    int pz = g.z;
    for (int i = g.path->count - 1; i >= 0; i--) {
        const ptT* step = static_cast<const ptT*>(g.path->elements[i]);
        if (!OneCellApart(px, pz, step->x, step->z) || IsGhostWall(step->x, step->z)) {
            return ::testing::AssertionFailure()
                   << "path step " << i << " (" << step->x << "," << step->z << ") after (" << px
                   << "," << pz << ")";
        }
        px = step->x;
        pz = step->z;
    }
    return ::testing::AssertionSuccess();
}

// Records the readings a tick is checked against.
struct Before {
    int score;
    int gobx;
    int gobz;
    int levelNum;
    int menLeft;
    int invincible;
    int underGob;
    int x[maxGhosts];
    int z[maxGhosts];
    dirT dir[maxGhosts];
    bool alive[maxGhosts];
};

inline Before Take() {
    Before b{};
    b.score = score;
    b.gobx = gobx;
    b.gobz = gobz;
    b.levelNum = levelNum;
    b.menLeft = menLeft;
    b.invincible = invincible;
    b.underGob = pellets[gobx][gobz];
    for (int i = 0; i < maxGhosts; i++) {
        b.x[i] = ghost[i].x;
        b.z[i] = ghost[i].z;
        b.dir[i] = ghost[i].dir;
        b.alive[i] = ghost[i].alive;
    }
    return b;
}

// The invariants of play after one tick that started from b. A lost life or
// a new level puts the pieces back on their start cells, and a power pellet
// turns every ghost round: those ticks are not held to the moves' rules.
inline ::testing::AssertionResult Invariants(const Before& b) {
    if (score < b.score) {
        return ::testing::AssertionFailure() << "score fell from " << b.score << " to " << score;
    }
    if (pelletsEaten != PelletsIn(board) - PelletsIn(pellets)) {
        return ::testing::AssertionFailure()
               << "pelletsEaten " << pelletsEaten << " but the grid lacks "
               << PelletsIn(board) - PelletsIn(pellets);
    }
    if (IsGobWall(gobx, gobz)) {
        return ::testing::AssertionFailure() << "Gobbler on a closed cell " << gobx << "," << gobz;
    }
    const bool restarted = menLeft != b.menLeft || levelNum != b.levelNum;
    const bool powerStarted = b.underGob == cellPowerPellet;
    if (!restarted && !(gobx == b.gobx && gobz == b.gobz) &&
        !OneCellApart(b.gobx, b.gobz, gobx, gobz)) {
        return ::testing::AssertionFailure() << "Gobbler jumped from " << b.gobx << "," << b.gobz
                                             << " to " << gobx << "," << gobz;
    }
    for (int i = 0; i < num_ghosts; i++) {
        const ghostT& g = ghost[i];
        if (IsGhostWall(g.x, g.z)) {
            return ::testing::AssertionFailure() << "ghost " << i << " in a wall";
        }
        if (!PathIsOneCellMoves(g)) {
            return PathIsOneCellMoves(g) << " of ghost " << i;
        }
        if (restarted) {
            continue;
        }
        const bool moved = g.x != b.x[i] || g.z != b.z[i];
        if (moved && !OneCellApart(b.x[i], b.z[i], g.x, g.z)) {
            return ::testing::AssertionFailure() << "ghost " << i << " jumped";
        }
        if (moved && b.alive[i] && g.alive && !powerStarted && g.dir == OppositeDir(b.dir[i]) &&
            GhostHasWayForward(b.x[i], b.z[i], b.dir[i])) {
            return ::testing::AssertionFailure()
                   << "ghost " << i << " turned back at " << b.x[i] << "," << b.z[i];
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace stress
