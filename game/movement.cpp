// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// movement: moves on the maze grid. The opposite of a direction, the
// neighbour of a cell with the side tunnel applied, the wall tests of
// Gobbler and of the ghosts, Gobbler's step along gobdir and the chomping
// of its mouth during play.
// Depends on: mazerush.h (the game state), board/ (the live grid pellets),
// malloc for the move records that NextMove hands out.
#include <cstdlib>  // malloc

#include "../board/board.h"  // pellets, its size, the cell codes
#include "mazerush.h"

// The side tunnel: its two end cells lead into each other.
static const int tunnelLeftCol = 0;
static const int tunnelRightCol = boardCols - 1;

// The mouth moves one step a tick and turns back once it is wider than the
// one angle or narrower than the other: with steps of 10 degrees it swings
// from 0 to 40.
static const double chompStep = 10.0;
static const double chompClosesAbove = 30.0;
static const double chompOpensBelow = 10.0;

// The code of cell (x, z), or a wall for any cell outside the grid: the
// tunnel row is asked about the columns just beyond its two ends.
static int CellCode(int x, int z) {
    if (x < 0 || x >= boardRows || z < 0 || z >= boardCols) {
        return cellWall;
    }
    return pellets[x][z];
}

// A piece that walks into one tunnel end comes out of the other.
static int WrapTunnel(int z) {
    if (z == tunnelLeftCol) {
        return tunnelRightCol;
    }
    if (z == tunnelRightCol) {
        return tunnelLeftCol;
    }
    return z;
}

// The direction that turns straight back from d.
dirT OppositeDir(dirT d) {
    switch (d) {
        case UP:
            return DOWN;
        case DOWN:
            return UP;
        case RIGHT:
            return LEFT;
        case LEFT:
            return RIGHT;
    }
    return d;
}

// A new heap record for the neighbour of (x, z) in direction d; the caller
// owns it.
ptT* NextMove(int x, int z, dirT d) {
    ptT* p = static_cast<ptT*>(malloc(sizeof(ptT)));
    p->x = x;
    p->z = z;
    switch (d) {
        case UP:
            p->x--;
            break;
        case RIGHT:
            p->z++;
            break;
        case DOWN:
            p->x++;
            break;
        case LEFT:
            p->z--;
            break;
    }
    p->z = WrapTunnel(p->z);
    p->dir = d;
    return p;
}

// Whether Gobbler may not enter (x, z): walls and the ghost-house gate.
bool IsGobWall(int x, int z) {
    return CellCode(x, z) < 0;
}

// Whether a ghost may not enter (x, z): walls only, ghosts pass the gate.
bool IsGhostWall(int x, int z) {
    return CellCode(x, z) == cellWall;
}

// One step of Gobbler along gobdir; against a wall it stands still.
void MoveGob() {
    switch (gobdir) {
        case UP:
            if (!IsGobWall(gobx - 1, gobz)) {
                gobx--;
            }
            break;
        case RIGHT:
            if (!IsGobWall(gobx, gobz + 1)) {
                gobz++;
            }
            break;
        case DOWN:
            if (!IsGobWall(gobx + 1, gobz)) {
                gobx++;
            }
            break;
        case LEFT:
            if (!IsGobWall(gobx, gobz - 1)) {
                gobz--;
            }
            break;
    }
    gobz = WrapTunnel(gobz);
}

// One step of the mouth on the shared chomp clock, when more than interval
// seconds have passed since the last: step degrees toward the way it goes.
// Wider than closesAbove it turns to close, narrower than opensBelow to
// open, so it swings one step beyond each; setting the way rather than
// flipping it brings back an angle that another screen left outside the
// swing, instead of shaking about the limit. Returns whether it stepped.
bool MouthStep(double interval, double step, double opensBelow, double closesAbove) {
    if (firstChomp) {
        chompTimer.Start();
        chompLastTime = static_cast<float>(chompTimer.Time());
        firstChomp = 0;
    }
    chompCurrTime = static_cast<float>(chompTimer.Time());
    chompChange = chompCurrTime - chompLastTime;
    if (!(chompChange > interval)) {
        return false;
    }
    t += openMouth ? step : -step;
    if (t > closesAbove) {
        openMouth = 0;
    } else if (t < opensBelow) {
        openMouth = 1;
    }
    chompTimer.Reset();
    chompTimer.Start();
    chompLastTime = static_cast<float>(chompTimer.Time());
    return true;
}

// The mouth in play: any time passed moves it ten degrees, so it chomps at
// the pace of the ticks, one step beyond each limit.
void ChompStep() {
    MouthStep(0.0, chompStep, chompOpensBelow, chompClosesAbove);
}
