// bench_reference: the floor under the in-game frame. It issues, straight
// through, the GL, GLU and GLUT calls that one frame of play at the start of
// a game draws: the clear, the camera from above, a sphere per pellet, the
// wall tubes (the display lists that Init compiled), the corner spheres,
// Gobbler, four ghosts, the score text and the three life icons, then the
// swap. Every place, turn and material is worked out once before timing
// starts, so that the timed loop holds no game code at all; the ratio of
// BM_GameFrame2D to BM_ReferenceFrame2D is what the game adds on top.
// The models and the text are the model library's own calls (DrawGob,
// DrawGhost, DrawText), which are the GL calls a model prescribes.
// Depends on: the maze's tables and lists, the game's start state (read
// once), gobdraw, GL, GLU, GLUT, Google Benchmark.
#include <GL/glu.h>
#include <GL/glut.h>
#include <benchmark/benchmark.h>

#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "../models/gobdraw.h"

namespace {

// clang-format off
// The maze's materials: ambient, diffuse, specular, shininess (the copper
// ones at GL's sharpest, 128).
struct materialT {
    GLfloat ambient[4];
    GLfloat diffuse[4];
    GLfloat specular[4];
    GLfloat shininess;
};
const materialT wallMaterial   = {{0.11f, 0.06f, 0.11f, 1.0f}, {0.0f, 0.0f, 1.0f, 1.0f},
                                  {0.33f, 0.33f, 0.33f, 0.33f}, 100.0f};
const materialT gateMaterial   = {{0.2295f, 0.08825f, 0.0275f, 1.0f}, {0.5508f, 0.5518f, 0.066f, 1.0f},
                                  {0.580594f, 0.223257f, 0.06957f, 1.0f}, 128.0f};
const materialT goldMaterial   = {{0.2295f, 0.08825f, 0.0275f, 1.0f}, {0.5508f, 0.2118f, 0.066f, 1.0f},
                                  {0.580594f, 0.223257f, 0.06957f, 1.0f}, 128.0f};
const materialT pelletMaterial = {{0.25f, 0.20725f, 0.20725f, 0.922f}, {1.0f, 0.829f, 0.829f, 0.922f},
                                  {0.296648f, 0.296648f, 0.296648f, 0.922f}, 11.264f};
// clang-format on

const int startGhosts = 4;

// One placed piece: where it stands, and for models how it is turned.
struct placeT {
    float x;
    float z;
    bool power;
};
struct modelT {
    float x;
    float z;
    float rotX;
    float rotY;
    float rotZ;
    float* color;
};

// Everything the frame draws, worked out before timing.
struct frameT {
    std::vector<placeT> pellets;
    placeT horizontal[horizontalWallCount];
    placeT vertical[verticalWallCount];
    placeT corners[wallEndingCount];
    modelT gob;
    modelT ghosts[startGhosts];
    float mouth;
    float scoreX;
    float scoreZ;
    float livesX;
    float livesZ[livesPerGame];
};

float WorldX(double row) {
    return static_cast<float>((row - 15.0) * pelletSpacing);
}

float WorldZ(double col) {
    return static_cast<float>((14.0 - col) * pelletSpacing);
}

// The turns of the view from above for UP, RIGHT, DOWN, LEFT.
const float turnsAbove[4][3] = {
    {0.0f, 270.0f, -90.0f},
    {45.0f, 180.0f, -90.0f},
    {145.0f, 90.0f, -90.0f},
    {145.0f, 180.0f, -90.0f},
};

modelT ModelAt(int row, int col, dirT d, float* color) {
    return {WorldX(row), WorldZ(col), turnsAbove[d][0], turnsAbove[d][1], turnsAbove[d][2], color};
}

frameT StartFrame() {
    InitBoard();
    initgame();
    frameT f = {};
    for (int row = 0; row < boardRows; row++) {
        for (int col = 0; col < boardCols; col++) {
            if (pellets[row][col] > cellEmpty) {
                f.pellets.push_back(
                    {WorldX(row), WorldZ(col), pellets[row][col] == cellPowerPellet});
            }
        }
    }
    for (int i = 0; i < horizontalWallCount; i++) {
        f.horizontal[i] = {WorldX(horizontalWalls[i][0]),
                           WorldZ(horizontalWalls[i][1] + horizontalWalls[i][2]), i == gateWall};
    }
    for (int i = 0; i < verticalWallCount; i++) {
        f.vertical[i] = {WorldX(verticalWalls[i][0]), WorldZ(verticalWalls[i][1]), false};
    }
    for (int i = 0; i < wallEndingCount; i++) {
        f.corners[i] = {WorldX(wallEndings[i][0]), WorldZ(wallEndings[i][1]), false};
    }
    f.gob = ModelAt(gobx, gobz, gobdir, nullptr);
    for (int i = 0; i < startGhosts; i++) {
        f.ghosts[i] = ModelAt(ghost[i].x, ghost[i].z, ghost[i].dir, ghost[i].color);
    }
    f.mouth = static_cast<float>(t);
    f.scoreX = WorldX(30);
    f.scoreZ = WorldZ(0);
    f.livesX = WorldX(32);
    for (int i = 0; i < livesPerGame; i++) {
        f.livesZ[i] = WorldZ(28 - 2 * i);
    }
    return f;
}

void Material(const materialT& m) {
    glMaterialfv(GL_FRONT, GL_AMBIENT, m.ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, m.diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, m.specular);
    glMaterialf(GL_FRONT, GL_SHININESS, m.shininess);
}

// clang-format off
void DrawFrame(const frameT& f) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, aspect, 1.0, 1000.0);
    gluLookAt(0.01, 30.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    Material(pelletMaterial);
    for (const placeT& p : f.pellets) {
        glPushMatrix();
            glTranslatef(p.x, 0.0f, p.z);
            if (p.power) {
                Material(goldMaterial);
                glutSolidSphere(0.35, 10, 10);
                Material(pelletMaterial);
            } else {
                glutSolidSphere(0.25, 10, 10);
            }
        glPopMatrix();
    }
    Material(wallMaterial);
    for (int i = 0; i < horizontalWallCount; i++) {
        glPushMatrix();
            glTranslatef(f.horizontal[i].x, 0.0f, f.horizontal[i].z);
            if (f.horizontal[i].power) {
                Material(gateMaterial);
                glCallList(static_cast<GLuint>(startList + i));
                Material(wallMaterial);
            } else {
                glCallList(static_cast<GLuint>(startList + i));
            }
        glPopMatrix();
    }
    for (int i = 0; i < verticalWallCount; i++) {
        glPushMatrix();
            glTranslatef(f.vertical[i].x, 0.0f, f.vertical[i].z);
            glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
            glCallList(static_cast<GLuint>(verticalStartList + i));
        glPopMatrix();
    }
    for (const placeT& c : f.corners) {
        glPushMatrix();
            glTranslatef(c.x, 0.0f, c.z);
            glutSolidSphere(0.4, 10, 10);
        glPopMatrix();
    }
    DrawGob(f.gob.x, 0.0f, f.gob.z, f.gob.rotX, f.gob.rotY, f.gob.rotZ, f.mouth, 0);
    for (const modelT& g : f.ghosts) {
        DrawGhost(g.x, 0.0f, g.z, g.rotX, g.rotY, g.rotZ, 0, g.color, 0);
    }
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    DrawText(f.scoreX, 0.0f, f.scoreZ, 1.0f, 1.0f, 1.0f, 0.02f, 0, "0");
    glPushMatrix();
        for (float z : f.livesZ) {
            DrawGob(f.livesX, 0.0f, z, -65.0f, 0.0f, 0.0f, f.mouth, 0);
        }
    glPopMatrix();
    glutSwapBuffers();
}
// clang-format on

}  // namespace

static void BM_ReferenceFrame2D(benchmark::State& state) {
    intro = 0;
    menu = 0;
    ThreeDView = 0;
    fogtype = 0;
    SetFog();
    const frameT frame = StartFrame();
    for (auto _ : state) {
        DrawFrame(frame);
        glFinish();
    }
}
BENCHMARK(BM_ReferenceFrame2D)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();
