// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// score_display: the score and the lives left, drawn as objects of the 3D
// scene beside the maze and seen through the same camera, and
// IntegerToString, which also writes the level-change screen's score and the
// points of an eaten ghost.
// Depends on: board.h (pelletSpacing, the grid's origin), models/ (DrawGob,
// DrawText), GL, and two variables of the game state: ThreeDView (text
// upright, icons tilted) and t (the icons chomp with the real Gobbler).
#include <GL/gl.h>

#include <cstdio>   // snprintf
#include <cstdlib>  // free
#include <cstring>  // strdup

#include "../game/mazerush.h"   // ThreeDView, t
#include "../models/gobdraw.h"  // DrawGob, DrawText
#include "board.h"

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

// The turn about y that the score leaves in force for the rest of the frame:
// (X, Y, Z) of the turned frame stands for world (Z, Y, -X).
static const float scoreTurn = 90.0f;

// The score starts from grid point row 30, column 0 of the turned frame,
// which is world (14, 0, -15), beside the maze's last rows; white text.
static const int scoreRow = 30;
static const int scoreCol = 0;
static const float scoreScale = 0.02f;

// Life icon i stands at grid point row 32, column 28 - 2i of the turned
// frame, which is world row 2i + 1, column 31: a line four columns beyond
// the maze. In the view from above the icons lean back to show their faces.
static const int lifeRow = 32;
static const int lifeFirstCol = 28;
static const int lifeColStep = 2;
static const float lifeTiltAbove = -65.0f;
static const float lifeTiltBehind = 0.0f;

// Room for "%d" of any int, sign and NUL included.
static const int numberBufferSize = 16;

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

// A new heap string holding n in decimal; the caller frees it.
char* IntegerToString(int n) {
    char buffer[numberBufferSize];
    snprintf(buffer, sizeof buffer, "%d", n);
    return strdup(buffer);
}

// The score, points, as white 3D text beside the maze: standing in the 3D
// view, lying flat in the view from above. Leaves a 90 degree turn about y.
// (Not named score, which would hide the game's score of mazerush.h.)
void DrawScore(int points) {
    char* text = IntegerToString(points);
    const double x = (scoreRow - originRow) * pelletSpacing;
    const double z = (originCol - scoreCol) * pelletSpacing;
    // No push: the lives and the points text are placed in this turned frame.
    glRotatef(scoreTurn, 0.0f, 1.0f, 0.0f);
    if (text == nullptr) {
        return;
    }
    DrawText(static_cast<float>(x), 0.0f, static_cast<float>(z), 1.0f, 1.0f, 1.0f, scoreScale,
             ThreeDView, text);
    free(text);
}

// One chomping Gobbler per life left, in a line beside the score.
void DrawLivesLeft(int lives) {
    const float tilt = ThreeDView ? lifeTiltBehind : lifeTiltAbove;
    glPushMatrix();
    {
        for (int i = 0; i < lives; i++) {
            const double x = (lifeRow - originRow) * pelletSpacing;
            const double z = (originCol - (lifeFirstCol - lifeColStep * i)) * pelletSpacing;
            DrawGob(static_cast<float>(x), 0.0f, static_cast<float>(z), tilt, 0.0f, 0.0f,
                    static_cast<float>(t), 0);
        }
    }
    glPopMatrix();
}
