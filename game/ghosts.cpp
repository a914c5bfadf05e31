// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// ghosts: how the ghosts wander while alive, what happens when Gobbler eats
// one, and how an eaten ghost finds its way back to the ghost house by a
// depth-first search and walks it home as a pair of eyes.
// Depends on: mazerush.h (the game state, the grid moves), support/ (the
// random draws, the path stack), GLUT (redisplay requests), free for the
// move records.
#include <GL/glut.h>

#include <cstdlib>  // free

#include "../support/random.h"  // RandomInteger
#include "mazerush.h"

// The two home cells, just below the gate of the ghost house. A ghost is
// born on the first and leaves it upwards.
static const int homeRow = 13;
static const int homeLeftCol = 13;
static const int homeRightCol = 14;

// The draw of a living ghost's step, one of 0..2, picks the first direction
// it tries: its own direction, or on this value a random one. A first try
// that is walled or turns straight back is followed by fresh random draws.
static const int drawTurnRandomly = 2;

static bool IsHome(int x, int z) {
    return x == homeRow && (z == homeLeftCol || z == homeRightCol);
}

// Whether ghost g may not take candidate c: a wall, or straight back.
static bool IsRejected(const ghostT* g, const ptT* c) {
    return IsGhostWall(c->x, c->z) || c->dir == OppositeDir(g->dir);
}

// Whether any direction but straight back is open to ghost g.
static bool HasWayForward(const ghostT* g) {
    bool open = false;
    for (int d = UP; d <= LEFT && !open; d++) {
        ptT* c = NextMove(g->x, g->z, static_cast<dirT>(d));
        open = !IsRejected(g, c);
        free(c);
    }
    return open;
}

// Pops and frees every step left on g's path home, then the path itself.
void FreePath(ghostT* g) {
    if (g->path == nullptr) {
        return;
    }
    while (!StackIsEmpty(g->path)) {
        free(Pop(g->path));
    }
    FreeStack(g->path);
    g->path = nullptr;
}

// One step of ghost g: a living ghost wanders, an eaten one walks home.
void MoveGhost(ghostT* g) {
    if (!g->alive) {
        GoHome(g);
        return;
    }
    // The draw is made in every step, whether it is used or not.
    const int r = RandomInteger(0, 2);
    dirT d = g->dir;
    if (g->x == homeRow && g->z == homeLeftCol) {
        d = UP;
    } else if (r == drawTurnRandomly) {
        d = static_cast<dirT>(RandomInteger(UP, LEFT));
    }
    ptT* candidate = NextMove(g->x, g->z, d);
    if (IsRejected(g, candidate)) {
        free(candidate);
        if (HasWayForward(g)) {
            // Fresh draws until one is taken; one of the four always is.
            for (;;) {
                candidate = NextMove(g->x, g->z, static_cast<dirT>(RandomInteger(UP, LEFT)));
                if (!IsRejected(g, candidate)) {
                    break;
                }
                free(candidate);
            }
        } else {
            // Only the way back is open (a tunnel end that a power pellet
            // turned to face out of the maze): the ghost turns back.
            candidate = NextMove(g->x, g->z, OppositeDir(g->dir));
            if (IsGhostWall(candidate->x, candidate->z)) {
                free(candidate);  // walled in on all sides: it waits
                return;
            }
        }
    }
    g->x = candidate->x;
    g->z = candidate->z;
    g->dir = candidate->dir;
    free(candidate);
}

// Gobbler eats ghost g: it turns into eyes with a way home, and scores.
void killghost(ghostT* g) {
    if (!g->alive) {
        return;
    }
    g->alive = false;
    // Only an eaten ghost holds a path, and it frees it on getting home (or
    // when the pieces are put back), so a living ghost's path is always none
    // and the new stack replaces nothing.
    g->path = NewStack();
    ptT from = {g->x, g->z, g->dir};
    ReturnHome(g, &from);
    score += ghostPoints;
    ghostKilled = 1;
    PlaySound(SOUND_GHOST_EATEN);
    deadGhost.x = g->x;
    deadGhost.z = g->z;
    glutPostRedisplay();
}

// Searches depth first, trying DOWN, RIGHT, LEFT, UP in turn, for a way
// from p to a home cell; the way found is pushed onto g's path with its
// first step on top. p stays the caller's. The recursion goes no deeper
// than the cells a ghost can reach, 320 in this maze.
bool ReturnHome(ghostT* g, ptT* p) {  // NOLINT(misc-no-recursion): the search is depth first
    static const dirT searchOrder[] = {DOWN, RIGHT, LEFT, UP};
    if (IsHome(p->x, p->z)) {
        return true;
    }
    if (IsMarked(g->marks, p)) {
        return false;
    }
    MarkSquare(g->marks, p);
    for (const dirT d : searchOrder) {
        ptT* n = NextMove(p->x, p->z, d);
        if (!IsGhostWall(n->x, n->z) && ReturnHome(g, n)) {
            // The path owns the step from here on. A full stack refuses it
            // (and says so), which a way in this maze, at most 320 steps
            // against the stack's 400 places, never meets; a refused step
            // is freed here rather than lost.
            const bool refused = StackIsFull(g->path);
            Push(g->path, n);
            if (refused) {
                free(n);
            }
            return true;
        }
        free(n);
    }
    UnMarkSquare(g->marks, p);
    return false;
}

// One step of eaten ghost g along its path; at home it comes alive again.
void GoHome(ghostT* g) {
    if (g->path != nullptr && !StackIsEmpty(g->path)) {
        ptT* step = static_cast<ptT*>(Pop(g->path));
        g->x = step->x;
        g->z = step->z;
        g->dir = step->dir;
        free(step);
    }
    if (IsHome(g->x, g->z)) {
        g->alive = true;
        g->dir = UP;
        g->scared = false;
        FreePath(g);
        InitMarks(g->marks);
    }
}

// Clears every mark of a search.
void InitMarks(bool marks[boardRows][boardCols]) {
    for (int x = 0; x < boardRows; x++) {
        for (int z = 0; z < boardCols; z++) {
            marks[x][z] = false;
        }
    }
}

// Marks the cell of p as on the current search path.
void MarkSquare(bool marks[boardRows][boardCols], const ptT* p) {
    marks[p->x][p->z] = true;
}

// Takes the cell of p off the current search path.
void UnMarkSquare(bool marks[boardRows][boardCols], const ptT* p) {
    marks[p->x][p->z] = false;
}

// Whether the cell of p is on the current search path.
bool IsMarked(const bool marks[boardRows][boardCols], const ptT* p) {
    return marks[p->x][p->z];
}
