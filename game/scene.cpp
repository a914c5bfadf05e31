// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// scene: the in-game picture. Each frame puts the perspective and the camera
// of the current view on the projection matrix, then draws the maze, Gobbler,
// the active ghosts, the score and the lives beside the maze, and for one
// frame after a ghost is eaten the points it gave where it was eaten.
// Depends on: mazerush.h (game state), board/ (maze drawing, score and lives,
// pelletSpacing), models/ (DrawGob, DrawGhost, DrawText), GL, GLU, GLUT.
#include <GL/glu.h>
#include <GL/glut.h>

#include <cstdlib>  // free

#include "../board/board.h"     // the maze, the score and lives, the grid's origin
#include "../models/gobdraw.h"  // DrawGob, DrawGhost, DrawText
#include "mazerush.h"

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

// The perspective of play: the field of view of every screen (FieldOfView).
static const double nearPlane = 1.0;
static const double farPlane = 1000.0;

// From above: 30 units over the maze's centre, nudged along x so that the
// view direction is not parallel to the up vector (row 0 is then at the top
// of the screen and column 0 at the left).
static const double aboveEyeX = 0.01;
static const double aboveEyeY = 30.0;
static const double aboveEyeZ = 0.0;

// Behind the player: 5 units up and 5 units toward +z, looking down at 45
// degrees, so that columns run up the screen and rows to the right.
static const double behindHeight = 5.0;
static const double behindDistance = 5.0;

// The points text of an eaten ghost: three quarters of a cell off its cell,
// white, a capital one cell tall, lying flat.
static const double killTextOffset = 0.75;
static const float killTextScale = 0.01f;

// How a piece is turned for its direction (degrees about x, y and z).
struct turnT {
    float rotX;
    float rotY;
    float rotZ;
};

// Rows UP, RIGHT, DOWN, LEFT, and the turn for any other value.
static const int otherDir = 4;
static const turnT turnsAbove[5] = {
    //  rotX    rotY    rotZ
    {0.0f, 270.0f, -90.0f},    // UP
    {45.0f, 180.0f, -90.0f},   // RIGHT
    {145.0f, 90.0f, -90.0f},   // DOWN
    {145.0f, 180.0f, -90.0f},  // LEFT
    {45.0f, 180.0f, -90.0f},   // any other
};
static const turnT turnsBehind[5] = {
    //  rotX    rotY    rotZ
    {0.0f, 270.0f, 0.0f},       // UP
    {0.0f, 180.0f, 0.0f},       // RIGHT
    {0.0f, 90.0f, 0.0f},        // DOWN
    {180.0f, 180.0f, -180.0f},  // LEFT
    {45.0f, 180.0f, 0.0f},      // any other
};

// ---------------------------------------------------------------------------
// File-local helpers
// ---------------------------------------------------------------------------

// World x of a maze row and world z of a maze column.
static double RowToWorld(int row) {
    return (row - originRow) * pelletSpacing;
}

static double ColToWorld(int col) {
    return (originCol - col) * pelletSpacing;
}

// The turn of a piece facing d in the current view.
static const turnT& TurnFor(dirT d) {
    const turnT* table = ThreeDView ? turnsBehind : turnsAbove;
    switch (d) {
        case UP:
        case RIGHT:
        case DOWN:
        case LEFT:
            return table[d];
    }
    return table[otherDir];
}

// Gobbler on its cell, facing its way, chomping, glowing while powered up.
static void DrawGobbler() {
    const turnT& turn = TurnFor(gobdir);
    glPushMatrix();
    {
        DrawGob(static_cast<float>(RowToWorld(gobx)), 0.0f, static_cast<float>(ColToWorld(gobz)),
                turn.rotX, turn.rotY, turn.rotZ, static_cast<float>(t), invincible);
    }
    glPopMatrix();
}

// Ghost i on its cell: blue while scared, only its eyes while it runs home.
static void DrawGhostFunc(int i) {
    const ghostT& g = ghost[i];
    const turnT& turn = TurnFor(g.dir);
    glPushMatrix();
    {
        DrawGhost(static_cast<float>(RowToWorld(g.x)), 0.0f, static_cast<float>(ColToWorld(g.z)),
                  turn.rotX, turn.rotY, turn.rotZ, g.scared ? 1 : 0, g.color, g.alive ? 0 : 1);
    }
    glPopMatrix();
}

// The points of an eaten ghost, below and to the right of its cell in the
// view from above. Drawn in the frame that the score left turned by 90
// degrees about y, where (X, Y, Z) stands for world (Z, Y, -X). Only the
// cell of g is read.
static void DrawGhostKill(const ghostT& g) {
    char* text = IntegerToString(ghostPoints);
    if (text == nullptr) {
        return;
    }
    const double x = (g.z - originCol) * pelletSpacing + killTextOffset;
    const double z = (g.x - originRow) * pelletSpacing + killTextOffset;
    DrawText(static_cast<float>(x), 0.0f, static_cast<float>(z), 1.0f, 1.0f, 1.0f, killTextScale, 0,
             text);
    free(text);
}

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

// The camera of play in the view in use, up along +y: from above, 30 units
// over the maze's centre; from behind, above and behind Gobbler, looking down
// at it at 45 degrees.
void PlayCamera(double eye[3], double centre[3]) {
    if (ThreeDView) {
        const double x = RowToWorld(gobx);
        const double z = ColToWorld(gobz);
        eye[0] = x;
        eye[1] = behindHeight;
        eye[2] = z + behindDistance;
        centre[0] = x;
        centre[1] = 0.0;
        centre[2] = z;
    } else {
        eye[0] = aboveEyeX;
        eye[1] = aboveEyeY;
        eye[2] = aboveEyeZ;
        centre[0] = 0.0;
        centre[1] = 0.0;
        centre[2] = 0.0;
    }
}

// Draws one frame of play and swaps the buffers.
void DisplayGame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // The camera lives in the projection matrix, so that the model-view
    // matrix holds world coordinates and the light stays put in the world.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FieldOfView(aspect), aspect, nearPlane, farPlane);
    double eye[3];
    double centre[3];
    PlayCamera(eye, centre);
    gluLookAt(eye[0], eye[1], eye[2], centre[0], centre[1], centre[2], 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    DrawRemainingPellets();
    DrawHorizontalWalls();
    DrawVerticalWalls();
    DrawWallEndings();
    DrawGobbler();
    // Only the active slots take part; never read past the eight slots.
    for (int i = 0; i < num_ghosts && i < maxGhosts; i++) {
        DrawGhostFunc(i);
    }
    // The score leaves its turn about y in force for the lives and the
    // points text after it.
    DrawScore(score);
    DrawLivesLeft(menLeft);
    if (ghostKilled) {
        ghostKilled = 0;
        DrawGhostKill(deadGhost);
    }
    glutSwapBuffers();
}
