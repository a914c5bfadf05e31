// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// maze_draw: the one-time GL setup of the whole program (clear colour,
// shading, the single light, depth test, the display lists of the wall
// tubes) and the four routines that draw the maze in every in-game frame:
// pellets, horizontal tubes with the gate, vertical tubes, corner spheres.
// Depends on: maze.cpp (the grids, the wall tables, pelletSpacing), board.h
// (the grid's origin), GL, GLU (the tube quadric), GLUT (solid spheres).
#include <GL/glu.h>
#include <GL/glut.h>

#include "board.h"

// ---------------------------------------------------------------------------
// Light 0: a positional white light 5 units above the middle of the bottom
// border. Its ambient colour stays at GL's default.
// ---------------------------------------------------------------------------

static const GLfloat light_position[] = {15.0f, 5.0f, 0.0f, 1.0f};
static const GLfloat light_diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
static const GLfloat light_specular[] = {1.0f, 1.0f, 1.0f, 1.0f};

// ---------------------------------------------------------------------------
// Materials, set on the front face: ambient, diffuse, specular, shininess.
// ---------------------------------------------------------------------------

// clang-format off
// Wall: blue tubes and corner spheres.
static const GLfloat wall_ambient[]   = {0.11f,     0.06f,     0.11f,    1.0f};
static const GLfloat wall_diffuse[]   = {0.0f,      0.0f,      1.0f,     1.0f};
static const GLfloat wall_specular[]  = {0.33f,     0.33f,     0.33f,    0.33f};
static const GLfloat wall_shininess   = 100.0f;

// Gate: the yellow bar across the ghost house's door.
static const GLfloat gate_ambient[]   = {0.2295f,   0.08825f,  0.0275f,  1.0f};
static const GLfloat gate_diffuse[]   = {0.5508f,   0.5518f,   0.066f,   1.0f};
static const GLfloat gate_specular[]  = {0.580594f, 0.223257f, 0.06957f, 1.0f};
static const GLfloat gate_shininess   = 151.2f;

// Power pellet: orange copper.
static const GLfloat gold_ambient[]   = {0.2295f,   0.08825f,  0.0275f,  1.0f};
static const GLfloat gold_diffuse[]   = {0.5508f,   0.2118f,   0.066f,   1.0f};
static const GLfloat gold_specular[]  = {0.580594f, 0.223257f, 0.06957f, 1.0f};
static const GLfloat gold_shininess   = 151.2f;

// Pellet: pale pink.
static const GLfloat pellet_ambient[]  = {0.25f,     0.20725f,  0.20725f,  0.922f};
static const GLfloat pellet_diffuse[]  = {1.0f,      0.829f,    0.829f,    0.922f};
static const GLfloat pellet_specular[] = {0.296648f, 0.296648f, 0.296648f, 0.922f};
static const GLfloat pellet_shininess  = 11.264f;
// clang-format on

// GL takes no shininess above this; a larger one is refused outright.
static const GLfloat maxShininess = 128.0f;

// ---------------------------------------------------------------------------
// Sizes of the maze's pieces.
// ---------------------------------------------------------------------------

static const double tubeRadius = 0.25;
static const int tubeSlices = 15;
static const int tubeStacks = 15;
static const double pelletRadius = 0.25;
static const double powerPelletRadius = 0.35;
static const double cornerRadius = 0.4;
static const int sphereSlices = 10;
static const int sphereStacks = 10;

int startList = 0;
int verticalStartList = 0;

// Sets a material on the front face: ambient, diffuse, specular, shininess.
// The copper materials ask for a highlight sharper than GL allows; they get
// the sharpest there is rather than an error and the previous material's.
static void SetMaterial(const GLfloat* ambient, const GLfloat* diffuse, const GLfloat* specular,
                        GLfloat shininess) {
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, shininess < maxShininess ? shininess : maxShininess);
}

static void SetWallMaterial() {
    SetMaterial(wall_ambient, wall_diffuse, wall_specular, wall_shininess);
}

static void SetPelletMaterial() {
    SetMaterial(pellet_ambient, pellet_diffuse, pellet_specular, pellet_shininess);
}

// World x of a grid row and world z of a grid column (both may be fractional).
static float WorldX(double row) {
    return static_cast<float>((row - originRow) * pelletSpacing);
}

static float WorldZ(double col) {
    return static_cast<float>((originCol - col) * pelletSpacing);
}

// The bodies of the list and of each pushed matrix are indented one level, so
// that an unpaired push or list shows on the page.
// clang-format off
// Compiles one open tube of the given length along local +z into a list.
static void CompileTube(GLUquadricObj* quadric, GLuint list, double length) {
    glNewList(list, GL_COMPILE);
        gluCylinder(quadric, tubeRadius, tubeRadius, length * pelletSpacing, tubeSlices, tubeStacks);
    glEndList();
}
// clang-format on

// One-time GL setup: clear colour, shading, light, depth test, wall lists.
void Init() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glShadeModel(GL_SMOOTH);

    glLightfv(GL_LIGHT0, GL_POSITION, light_position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light_diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, light_specular);

    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_DEPTH_TEST);

    startList = static_cast<int>(glGenLists(horizontalWallCount));
    verticalStartList = static_cast<int>(glGenLists(verticalWallCount));

    // Without a quadric (GLU out of memory) the lists stay empty and calling
    // them draws no tubes, as the models then draw no mouth or skirt.
    GLUquadricObj* quadric = gluNewQuadric();
    if (quadric == nullptr) {
        return;
    }
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricNormals(quadric, GLU_SMOOTH);
    for (int i = 0; i < horizontalWallCount; i++) {
        CompileTube(quadric, static_cast<GLuint>(startList + i), horizontalWalls[i][2]);
    }
    for (int i = 0; i < verticalWallCount; i++) {
        CompileTube(quadric, static_cast<GLuint>(verticalStartList + i), verticalWalls[i][2]);
    }
    // The lists hold the tubes' geometry; the quadric is not needed again.
    gluDeleteQuadric(quadric);
}

// clang-format off
// One sphere for every pellet still in the maze, larger for power pellets.
void DrawRemainingPellets() {
    glPushMatrix();
        SetPelletMaterial();
        for (int row = 0; row < boardRows; row++) {
            for (int col = 0; col < boardCols; col++) {
                if (pellets[row][col] <= cellEmpty) {
                    continue;
                }
                glPushMatrix();
                    glTranslatef(WorldX(row), 0.0f, WorldZ(col));
                    if (pellets[row][col] == cellPowerPellet) {
                        SetMaterial(gold_ambient, gold_diffuse, gold_specular, gold_shininess);
                        glutSolidSphere(powerPelletRadius, sphereSlices, sphereStacks);
                        SetPelletMaterial();
                    } else {
                        glutSolidSphere(pelletRadius, sphereSlices, sphereStacks);
                    }
                glPopMatrix();
            }
        }
    glPopMatrix();
}

// The 38 horizontal wall tubes, the ghost-house gate among them.
void DrawHorizontalWalls() {
    glPushMatrix();
        SetWallMaterial();
        for (int i = 0; i < horizontalWallCount; i++) {
            const double row = horizontalWalls[i][0];
            const double firstCol = horizontalWalls[i][1];
            const double length = horizontalWalls[i][2];
            glPushMatrix();
                // The tube runs along +z from the far column back to the first.
                glTranslatef(WorldX(row), 0.0f, WorldZ(firstCol + length));
                if (i == gateWall) {
                    SetMaterial(gate_ambient, gate_diffuse, gate_specular, gate_shininess);
                    glCallList(static_cast<GLuint>(startList + i));
                    SetWallMaterial();
                } else {
                    glCallList(static_cast<GLuint>(startList + i));
                }
            glPopMatrix();
        }
    glPopMatrix();
}

// The 30 vertical wall tubes.
void DrawVerticalWalls() {
    glPushMatrix();
        SetWallMaterial();
        for (int i = 0; i < verticalWallCount; i++) {
            const double firstRow = verticalWalls[i][0];
            const double col = verticalWalls[i][1];
            glPushMatrix();
                glTranslatef(WorldX(firstRow), 0.0f, WorldZ(col));
                // Turns the tube from +z onto +x, down the rows.
                glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
                glCallList(static_cast<GLuint>(verticalStartList + i));
            glPopMatrix();
        }
    glPopMatrix();
}

// The 82 corner spheres.
void DrawWallEndings() {
    glPushMatrix();
        SetWallMaterial();
        for (int i = 0; i < wallEndingCount; i++) {
            glPushMatrix();
                glTranslatef(WorldX(wallEndings[i][0]), 0.0f, WorldZ(wallEndings[i][1]));
                glutSolidSphere(cornerRadius, sphereSlices, sphereStacks);
            glPopMatrix();
        }
    glPopMatrix();
}
// clang-format on
