// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// menu: the main menu screen. A still picture of 3D stroke text: the title,
// the five menu lines with the selected one highlighted, and the values of
// the three settings beside their lines. Each frame also applies the shown
// difficulty to the ghosts again.
// Depends on: mazerush.h (settings, aspect, the screens' camera,
// SetDifficulty), models/gobdraw.h (DrawText), OpenGL, GLU, GLUT.
#include <GL/glu.h>
#include <GL/glut.h>

#include "../models/gobdraw.h"  // DrawText
#include "mazerush.h"

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

// The menu's camera: looking down -z at the text from in front of it, with
// the field of view of every screen (FieldOfView).
const double menuNear = 1.0;
const double menuFar = 100.0;
const float menuEyeX = 4.0f;
const float menuEyeY = 0.0f;
const float menuEyeZ = 10.0f;

// Text that stands in the x-y plane, facing the camera.
const int upright = 1;

// The title.
const char* const titleText = "GOBBLER";
const float titlePos[3] = {1.0f, 3.5f, 0.0f};
const float titleColor[3] = {1.0f, 0.5f, 0.0f};  // orange
const float titleScale = 0.007f;

// The menu lines, top to bottom as currMenuItem counts them. Each is the
// rest of its word, led by a space, with its initial (the line's key) drawn
// larger where the space stands.
struct MenuLineT {
    const char* rest;
    const char* initial;
    float y;
};

const int menuItems = 5;

static const MenuLineT menuLines[menuItems] = {
    // rest of word, initial, row y
    {" LAY GAME", "P", 2.0f},   // 1
    {" IFFICULTY", "D", 1.0f},  // 2
    {" IEW IN 3D", "V", 0.0f},  // 3
    {" OG", "F", -1.0f},        // 4
    {" UIT", "Q", -2.0f},       // 5
};

const float lineX = 0.0f;
const float lineZ = 0.0f;
const float restScale = 0.004f;
const float initialScale = 0.005f;
const float selectedRestColor[3] = {1.0f, 0.0f, 1.0f};     // magenta
const float selectedInitialColor[3] = {1.0f, 0.0f, 0.0f};  // red
const float lineColor[3] = {1.0f, 1.0f, 1.0f};             // white

// The settings' values, right of their lines.
const float valueX = 5.0f;
const float valueZ = 0.0f;
const float valueScale = 0.004f;
const float valueColor[3] = {0.5f, 0.5f, 1.0f};  // light blue
const float difficultyRowY = 1.0f;
const float viewRowY = 0.0f;
const float fogRowY = -1.0f;

// The words for each setting, from the setting's first value on.
const int firstDifficulty = 1;
static const char* const difficultyTexts[] = {"WUSS", "GOOD", "EXPERT"};
const int firstFogType = 0;
static const char* const fogTexts[] = {"NO FOG", "EXP TYPE 1", "EXP TYPE 2", "LINEAR TYPE"};
const int firstView = 0;
static const char* const viewTexts[] = {"2D VIEW", "3D VIEW"};

// ---------------------------------------------------------------------------
// File-local helpers
// ---------------------------------------------------------------------------

static void DrawTextIn(const float* color, float x, float y, float z, float scale,
                       const char* text) {
    DrawText(x, y, z, color[0], color[1], color[2], scale, upright, text);
}

// The five lines, the one at selected highlighted.
static void DrawMenuLines(int selected) {
    for (int item = 1; item <= menuItems; item++) {
        const MenuLineT& line = menuLines[item - 1];
        const bool isSelected = item == selected;
        DrawTextIn(isSelected ? selectedRestColor : lineColor, lineX, line.y, lineZ, restScale,
                   line.rest);
        DrawTextIn(isSelected ? selectedInitialColor : lineColor, lineX, line.y, lineZ,
                   initialScale, line.initial);
    }
}

// A setting's value in light blue on its row, if its words have one for it.
template <int count>
static void DrawValue(const char* const (&texts)[count], int first, int value, float y) {
    if (value < first || value >= first + count) {
        return;
    }
    DrawTextIn(valueColor, valueX, y, valueZ, valueScale, texts[value - first]);
}

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

// Draws the main menu and applies the shown difficulty to the ghosts.
void DisplayMenu() {
    xPos = menuEyeX;
    yPos = menuEyeY;
    zPos = menuEyeZ;

    glClearDepth(1.0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FieldOfView(aspect), aspect, menuNear, menuFar);
    gluLookAt(xPos, yPos, zPos, xPos, yPos, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    DrawTextIn(titleColor, titlePos[0], titlePos[1], titlePos[2], titleScale, titleText);

    if (currMenuItem >= 1 && currMenuItem <= menuItems) {
        DrawMenuLines(currMenuItem);
    }

    DrawValue(difficultyTexts, firstDifficulty, difficulty, difficultyRowY);
    // The ghosts follow the difficulty shown, also after a new game has put
    // it back to 1 without applying it.
    SetDifficulty();
    DrawValue(fogTexts, firstFogType, fogtype, fogRowY);
    DrawValue(viewTexts, firstView, ThreeDView, viewRowY);

    glutSwapBuffers();
}
