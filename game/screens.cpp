// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// screens: the level-change screen (a seven-second pan past a spinning,
// bobbing Gobbler and the new level's number while the score counts up) and
// the still game-over screen, with the camera and the mouth step that all
// the screens around play share.
// Depends on: mazerush.h (game state), board.h (IntegerToString),
// gobdraw.h (DrawGob, DrawText), GL, GLU, GLUT.
#include <GL/glu.h>
#include <GL/glut.h>

#include <cstdio>   // snprintf, the "Level N" line
#include <cstdlib>  // free, for IntegerToString's strings

#include "../board/board.h"
#include "../models/gobdraw.h"
#include "mazerush.h"

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

// The perspective of every screen around play.
const double screenNear = 1.0;
const double screenFar = 100.0;

// Below this distance the eye stands on the centre and has no direction.
const double lookAtMinDistance = 1.0e-4;

// The mouth steps of the screens: 5 degrees a step, turning back once it is
// wider than 45 degrees or nearly shut.
const double screenMouthStep = 5.0;
const double mouthWideOpen = 45.0;
const double mouthShut = 2.5;

// The level-change screen: a pan from x = -15 to x = 7 over 7 seconds, at
// distance 10; Gobbler spins 10 degrees a mouth step; the score rises by 5 a
// frame; the mouth steps whenever the clock has moved at all.
const double levelChangeLength = 7.0;
const double levelChangePanStart = -15.0;
const double levelChangePanLength = 22.0;
const float screenCameraDistance = 10.0f;
const double spinStep = 10.0;
const double fullTurn = 360.0;
const int levelChangeScoreStep = 5;
const double levelChangeChompInterval = 0.0;

// The game-over camera: in front of (4, 0, 0) at distance 10.
const float gameOverCameraX = 4.0f;

// ---------------------------------------------------------------------------
// Shared by the screens around play
// ---------------------------------------------------------------------------

// Loads the screens' perspective, fovy degrees from bottom to top, onto the
// projection matrix, which is left selected.
void ScreenPerspective(double fovy, double aspectRatio) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fovy, aspectRatio, screenNear, screenFar);
}

// Multiplies a look-at onto the current matrix. An eye standing on its centre
// has no direction to look along (a look-at would collapse the picture), so
// the camera then looks from the eye toward -z, as every screen's camera does.
void ScreenLookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY,
                  double centreZ, double upX, double upY, double upZ) {
    const double dx = centreX - eyeX;
    const double dy = centreY - eyeY;
    const double dz = centreZ - eyeZ;
    if (dx * dx + dy * dy + dz * dz < lookAtMinDistance * lookAtMinDistance) {
        centreX = eyeX;
        centreY = eyeY;
        centreZ = eyeZ - 1.0;
    }
    gluLookAt(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ);
}

// One mouth step of the screens around play, once more than interval seconds
// have passed on chompTimer; returns whether the mouth moved.
bool ScreenChompStep(double interval) {
    return MouthStep(interval, screenMouthStep, mouthShut, mouthWideOpen);
}

// ---------------------------------------------------------------------------
// Level change
// ---------------------------------------------------------------------------

// Ends the level-change screen: the next one starts its clock from 0, and
// the camera and the spin from nothing.
void EndLevelChange() {
    levelChangeTimer.Reset();
    levelChangeStart = 0;
    changeLevel = 0;
    xPos = 0.0f;
    yPos = 0.0f;
    zPos = 0.0f;
    happy = 0.0;
}

// One idle step of the level-change screen: the pan, its end, the chomp and
// the spin.
void LevelChangeIdle() {
    if (levelChangeStart) {
        levelChangeStart = 0;
        levelChangeTimer.Start();
        levelChangeLastTime = static_cast<float>(levelChangeTimer.Time());
        yPos = 0.0f;
        zPos = screenCameraDistance;
    }
    levelChangeCurrTime = static_cast<float>(levelChangeTimer.Time());
    const float elapsed = levelChangeCurrTime - levelChangeLastTime;
    xPos = static_cast<float>(elapsed / levelChangeLength * levelChangePanLength +
                              levelChangePanStart);
    if (elapsed > levelChangeLength) {
        EndLevelChange();
    }
    if (ScreenChompStep(levelChangeChompInterval)) {
        happy += spinStep;
        if (happy > fullTurn) {
            happy = 0.0;
        }
    }
    glutPostRedisplay();
}

// Draws one frame of the level-change screen; every frame adds 5 to the score.
void DisplayLevelChange() {
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ScreenPerspective(FieldOfView(aspect), aspect);
    ScreenLookAt(xPos, yPos, zPos, xPos, yPos, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    score += levelChangeScoreStep;
    // The score and the name follow the camera; Gobbler and the level line
    // stand in the scene and pass through the view from right to left.
    char* text = IntegerToString(score);
    DrawText(xPos - 1.5f, yPos - 2.0f, 0.0f, 1.0f, 1.0f, 1.0f, 0.01f, 1, text);
    free(text);
    DrawGob(-8.0f, static_cast<float>(t / 15.0), 0.0f, 0.0f, static_cast<float>(happy), 0.0f,
            static_cast<float>(t), 0);
    DrawText(xPos - 3.0f, yPos + 1.5f, 1.0f, 1.0f, 1.0f, 0.0f, 0.01f, 1, "Gobbler");
    char line[32];
    snprintf(line, sizeof line, "%s %d", "Level", levelNum);
    DrawText(-6.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.01f, 1, line);

    glutSwapBuffers();
}

// ---------------------------------------------------------------------------
// Game over
// ---------------------------------------------------------------------------

// Draws the game-over screen: Gobbler lying on its side under "Game Over".
void DisplayGameOver() {
    xPos = gameOverCameraX;
    yPos = 0.0f;
    zPos = screenCameraDistance;
    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ScreenPerspective(FieldOfView(aspect), aspect);
    ScreenLookAt(xPos, yPos, zPos, xPos, yPos, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    DrawGob(xPos, -1.0f, 0.0f, 90.0f, 0.0f, 70.0f, 20.0f, 0);
    DrawText(0.0f, 1.0f, 3.0f, 1.0f, 1.0f, 1.0f, 0.01f, 1, "Game Over");

    glutSwapBuffers();
}
