// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// rules: the rules of a game. How a game, a life and a level begin, what a
// pellet is worth, when a level ends and how the next one gets harder, the
// power period in which the ghosts can be eaten, and the loss of a life.
// Depends on: mazerush.h (the game state, the ghosts), board/ (the maze and
// its refill), sound/ (the sounds of its events), GLUT (redisplay requests).
#include <GL/glut.h>

#include <cmath>  // lround

#include "../board/board.h"  // pellets, InitBoard, the cell codes
#include "mazerush.h"

// Where the pieces start a life.
static const int gobStartRow = 5;
static const int gobStartCol = 13;
static const dirT gobStartDir = RIGHT;
static const int ghostStartRow = 13;
static const int ghostStartCol = 13;
static const dirT ghostStartDir = UP;

// The ghosts' step interval is kept on whole steps of 0.05 s: each finished
// level takes one step off, and an interval that reaches zero becomes two
// steps (0.1 s), so that from 0.05 s on the levels alternate between 0.1 s
// and 0.05 s. Working in whole steps keeps the sequence exact.
static const double ghostSpeedStepsPerSecond = 20.0;
static const long ghostSpeedStepsAfterZero = 2;

// Puts ghost g on its start cell, alive, with no path and a fresh clock.
static void PlaceGhostAtStart(ghostT* g) {
    g->x = ghostStartRow;
    g->z = ghostStartCol;
    g->dir = ghostStartDir;
    g->alive = true;
    g->scared = false;
    FreePath(g);
    InitMarks(g->marks);
    g->lastmove = 0.0;
    g->timer.Reset();
    g->timer.Start();
}

// Puts Gobbler back on its start cell, facing its start direction, and ends
// its invincibility. It touches no clock and leaves gobspeed as it is: a
// power period cut short by a lost life or a level keeps the quick pace.
static void ResetGob() {
    gobx = gobStartRow;
    gobz = gobStartCol;
    gobdir = gobStartDir;
    invincible = 0;
}

// The clocks of play from zero: the power period's clock cleared and left
// stopped (only a power pellet starts it), and Gobbler's step clock cleared
// and running, its last step taken at 0.
static void ResetPlayClocks() {
    madtimer.Reset();
    movegobT.Reset();
    movegobT.Start();
    lastgobmove = 0.0;
}

// Places Gobbler and all eight ghost slots for a new game, the first one at
// start-up included.
void initgame() {
    ResetGob();
    for (int i = 0; i < maxGhosts; i++) {
        PlaceGhostAtStart(&ghost[i]);
        ghost[i].color = colors[i];
    }
    ResetPlayClocks();
}

// Puts Gobbler and the active ghosts back after a lost life or a level; a
// power period that was running ends without slowing Gobbler down.
void restartgame() {
    ResetGob();
    for (int i = 0; i < num_ghosts; i++) {
        PlaceGhostAtStart(&ghost[i]);
    }
    ResetPlayClocks();
    glutPostRedisplay();
}

// Abandons the game: a fresh game with the default settings, in the menu.
// A fresh game is never paused, whatever the abandoned one was: a pause
// carried over would leave the menu's last frame standing once play starts,
// as a paused game draws nothing.
void RestartGame() {
    SilenceSound();
    initgame();
    InitBoard();
    pelletsEaten = 0;
    score = 0;
    menLeft = livesPerGame;
    difficulty = 1;
    fogtype = 0;
    SetFog();
    levelNum = 1;
    invincible = 0;
    gobspeed = gobNormalSpeed;
    ghostspeed = gobspeed + gobspeed;
    currMenuItem = 1;
    ThreeDView = 0;
    ghostKilled = 0;
    menu = 1;
    gameOver = 0;
    gamePaused = 0;
    glutPostRedisplay();
}

// Scores and removes the pellet at (x, z), with a chomp (a power pellet has
// its own call); the last one ends the level.
void eatPellet(int x, int z) {
    const bool power = pellets[x][z] == cellPowerPellet;
    score += power ? powerPelletPoints : pelletPoints;
    if (!power) {
        PlayChomp();
    }
    glutPostRedisplay();
    pellets[x][z] = cellEmpty;
    pelletsEaten++;
    if (pelletsEaten == pelletsPerLevel) {
        LevelFinished();
    }
}

// Ends the level: a full maze, the level-change screen, and the ghosts' step
// interval one step of 0.05 s shorter (from 0.05 s it goes back to 0.1 s).
void LevelFinished() {
    pelletsEaten = 0;
    InitBoard();
    levelNum++;
    changeLevel = 1;
    levelChangeStart = 1;
    long steps = std::lround(ghostspeed * ghostSpeedStepsPerSecond) - 1;
    if (steps <= 0) {
        steps = ghostSpeedStepsAfterZero;
    }
    ghostspeed = static_cast<double>(steps) / ghostSpeedStepsPerSecond;
    restartgame();
    PlaySound(SOUND_FANFARE);
    glutPostRedisplay();
}

// A power pellet: Gobbler speeds up, every active ghost turns scared and
// reverses, and the 15 seconds begin (again), and their tone with them.
void StartPowerPeriod() {
    PlaySound(SOUND_POWER_PELLET);
    RestartBlue();
    invincible = 1;
    gobspeed = gobPowerSpeed;
    for (int i = 0; i < num_ghosts; i++) {
        ghost[i].scared = true;
        ghost[i].dir = OppositeDir(ghost[i].dir);
    }
    madtimer.Reset();
    madtimer.Start();
}

// The power period runs out: Gobbler slows down, no ghost is scared.
void EndPowerPeriod() {
    madtimer.Stop();
    madtimer.Reset();
    invincible = 0;
    gobspeed = gobNormalSpeed;
    for (int i = 0; i < num_ghosts; i++) {
        ghost[i].scared = false;
    }
}

// A dangerous ghost caught Gobbler: one life less, the last ends the game;
// the pieces go back to their start cells either way. The catch is heard,
// or on the last life the catch and the game's end.
void LoseLife() {
    glutPostRedisplay();
    menLeft--;
    if (menLeft == 0) {
        gameOver = 1;
        glutPostRedisplay();
    }
    PlaySound(gameOver ? SOUND_GAME_OVER : SOUND_CAUGHT);
    restartgame();
}
