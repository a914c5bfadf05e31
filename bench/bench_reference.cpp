// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// bench_reference: the floor under the in-game frame. It issues, straight
// through, the GL, GLU and GLUT calls that one frame of play at the start of
// a game draws: the clear, the camera from above, a sphere per pellet, the
// wall tubes (the display lists that Init compiled), the corner spheres,
// Gobbler, four ghosts, the score text and the three life icons, then the
// swap. Every place, turn and material is worked out once before timing
// starts, so that the timed loop holds no game code at all; the ratio of
// the game's frame to it is what the game adds on top. BM_GameAgainstReference
// times the two in alternation, which a shared machine's load cannot tilt;
// BM_ReferenceFrame2D times the reference alone, beside BM_GameFrame2D.
// The models and the text are issued here call by call as well: Gobbler's
// shells from normals and points worked out before timing, its eyes and
// mouth, the ghosts' domes, skirts and eyes, the score's stroke, so that none
// of the model library's own code runs in the timed loop either. Before
// timing, the reference is checked to draw the game's picture pixel for pixel.
// Depends on: the maze's tables and lists, the game's start state (read
// once), the game's frame (for the check), GL, GLU, GLUT, Google Benchmark.
#include <GL/glu.h>
#include <GL/glut.h>
#include <benchmark/benchmark.h>
#include <math.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "bench_start.h"

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

// --- The models, as the model library draws them ------------------------

// clang-format off
// Sizes and tessellation of Gobbler, the ghosts and their eyes.
const int eyeSlices = 20;    // eye, pupil and dome spheres, and the skirt
const int gobSectors = 30;   // Gobbler's shells and mouth disks
const float bodyRadius = 0.8f;
const float eyeOffset = 0.8f / 3;
const float eyeRad = 0.8f / 3;
const float pupilRad = 0.8f / 7;
const float mouthPlane = 0.0792f;
const float mouthInner = 0.72f;
const float mouthOuter = 0.796f;
const double shortPi = 3.141592;
const double fullPi = 3.14159265358979323846;
const float eyeHeight = static_cast<float>(sin(shortPi / 7) * double{bodyRadius});
const float eyeProtrusion = static_cast<float>(cos(shortPi / 6) * 0.85 * double{bodyRadius});
const float pupilProtrusion = static_cast<float>(double{eyeRad - pupilRad} + double{0.024f});

// The models' materials: colour (ambient and diffuse of both faces),
// specular of the front, shininess, emission.
struct modelMaterialT {
    GLfloat color[4];
    GLfloat specular[4];
    GLfloat shininess;
    GLfloat emission[4];
};
const modelMaterialT gobMaterial   = {{1, 1, 0, 0}, {1, 1, 1, 1}, 50, {0, 0, 0, 0}};
const modelMaterialT eyeMaterial   = {{1, 1, 1, 1}, {1, 1, 1, 1}, 25, {0, 0, 0, 0}};
const modelMaterialT pupilMaterial = {{0, 0, 0, 0}, {1, 1, 1, 1}, 25, {0, 0, 0, 0}};
const modelMaterialT rimMaterial   = {{1, 1, 0, 0}, {1, 1, 1, 1}, 25, {0, 0, 0, 0}};
const modelMaterialT mouthMaterial = {{1, 0, 0, 1}, {1, 1, 1, 1}, 25, {0, 0, 0, 0}};
const modelMaterialT textMaterial  = {{1, 1, 1, 1}, {1, 1, 1, 1}, 100, {0, 0, 0, 0}};
const GLfloat ghostSpecular[4] = {1, 1, 1, 1};
const GLfloat ghostEmission[4] = {0, 0, 0, 0};
const GLfloat ghostShininess = 50;
// clang-format on

void ModelMaterial(const modelMaterialT& m) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, m.color);
    glMaterialfv(GL_FRONT, GL_SPECULAR, m.specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &m.shininess);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, m.emission);
}

// One point of Gobbler's ball: its normal, then the point itself.
struct pointT {
    GLfloat n[3];
    GLfloat v[3];
};

// Gobbler's two shells: the upper one a fan round the top pole and bands
// down to the split, the lower one bands from there and a fan round the
// bottom pole.
struct shellsT {
    std::vector<pointT> topFan;
    std::vector<std::vector<pointT>> topBands;
    std::vector<std::vector<pointT>> bottomBands;
    std::vector<pointT> bottomFan;
};

pointT SpherePoint(double phi, float theta) {
    const double sinPhi = sin(phi);
    const float dx = static_cast<float>(-sin(double{theta}) * sinPhi);
    const float dy = static_cast<float>(cos(phi));
    const float dz = static_cast<float>(cos(double{theta}) * sinPhi);
    return {{dx, dy, dz}, {bodyRadius * dx, bodyRadius * dy, bodyRadius * dz}};
}

shellsT MakeShells() {
    const int bands = gobSectors;
    const int split = (bands - 1) / 2;
    const float latStep = static_cast<float>(fullPi / bands);
    const float azStep = static_cast<float>(2 * fullPi / gobSectors);
    auto azimuth = [azStep](int i) {
        return i == gobSectors ? 0.0f : static_cast<float>(i) * azStep;
    };
    auto band = [&](int k) {
        std::vector<pointT> strip;
        const double phi0 = k * double{latStep};
        for (int i = 0; i <= gobSectors; i++) {
            strip.push_back(SpherePoint(phi0, azimuth(i)));
            strip.push_back(SpherePoint(phi0 + latStep, azimuth(i)));
        }
        return strip;
    };
    shellsT s;
    s.topFan.push_back({{0, 1, 0}, {0, bodyRadius, 0}});
    for (int i = 0; i <= gobSectors; i++) {
        s.topFan.push_back(SpherePoint(latStep, azimuth(i)));
    }
    for (int k = 1; k < split; k++) {
        s.topBands.push_back(band(k));
    }
    for (int k = split; k < bands - 1; k++) {
        s.bottomBands.push_back(band(k));
    }
    s.bottomFan.push_back({{0, -1, 0}, {0, -bodyRadius, 0}});
    for (int i = gobSectors; i >= 0; i--) {
        s.bottomFan.push_back(SpherePoint(fullPi - latStep, azimuth(i)));
    }
    return s;
}

void Points(GLenum mode, const std::vector<pointT>& points) {
    glBegin(mode);
    for (const pointT& p : points) {
        glNormal3f(p.n[0], p.n[1], p.n[2]);
        glVertex3f(p.v[0], p.v[1], p.v[2]);
    }
    glEnd();
}

// clang-format off
void EyePair() {
    const float sides[2] = {-eyeOffset, eyeOffset};
    for (const float x : sides) {
        glPushMatrix();
            glTranslatef(x, eyeHeight, eyeProtrusion);
            ModelMaterial(eyeMaterial);
            glutSolidSphere(eyeRad, eyeSlices, eyeSlices);
            glPushMatrix();
                glTranslatef(0, 0, pupilProtrusion);
                ModelMaterial(pupilMaterial);
                glutSolidSphere(pupilRad, eyeSlices, eyeSlices);
            glPopMatrix();
        glPopMatrix();
    }
}

void Mouth(GLUquadric* quadric) {
    glPushMatrix();
        glRotatef(-90, 1, 0, 0);
        glTranslatef(0, 0, mouthPlane);
        glPushMatrix();
            ModelMaterial(rimMaterial);
            gluDisk(quadric, mouthInner, mouthOuter, gobSectors, gobSectors);
        glPopMatrix();
        ModelMaterial(mouthMaterial);
        gluDisk(quadric, 0, mouthInner, gobSectors, gobSectors);
    glPopMatrix();
}

void Place(float x, float z, float rotX, float rotY, float rotZ) {
    glTranslatef(x, 0, z);
    glRotatef(rotX, 1, 0, 0);
    glRotatef(rotY, 0, 1, 0);
    glRotatef(rotZ, 0, 0, 1);
}

void Gob(const shellsT& s, GLUquadric* quadric, float x, float z, float rotX, float rotY,
         float rotZ, float mouth) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
        Place(x, z, rotX, rotY, rotZ);
        ModelMaterial(gobMaterial);
        glPushMatrix();
            glRotatef(-mouth, 1, 0, 0);
            Points(GL_TRIANGLE_FAN, s.topFan);
            for (const std::vector<pointT>& b : s.topBands) {
                Points(GL_QUAD_STRIP, b);
            }
        glPopMatrix();
        glPushMatrix();
            glRotatef(mouth, 1, 0, 0);
            for (const std::vector<pointT>& b : s.bottomBands) {
                Points(GL_QUAD_STRIP, b);
            }
            Points(GL_TRIANGLE_FAN, s.bottomFan);
        glPopMatrix();
        glPushMatrix();
            glRotatef(-mouth, 1, 0, 0);
            EyePair();
            Mouth(quadric);
        glPopMatrix();
        glPushMatrix();
            glRotatef(mouth, 1, 0, 0);
            Mouth(quadric);
        glPopMatrix();
    glPopMatrix();
}

void Ghost(GLUquadric* quadric, float x, float z, float rotX, float rotY, float rotZ,
           const GLfloat* color) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
        Place(x, z, rotX, rotY, rotZ);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, color);
        glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, ghostEmission);
        glMaterialfv(GL_FRONT, GL_SPECULAR, ghostSpecular);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &ghostShininess);
        glutSolidSphere(bodyRadius, eyeSlices, eyeSlices);
        glPushMatrix();
            glRotatef(-90, 1, 0, 0);
            glTranslatef(0, 0, -bodyRadius);
            gluCylinder(quadric, bodyRadius, bodyRadius, bodyRadius, eyeSlices, eyeSlices);
        glPopMatrix();
        EyePair();
    glPopMatrix();
}

// The score "0", lying flat in the view from above.
void ScoreText(float x, float z) {
    glEnable(GL_NORMALIZE);
    glPushMatrix();
        ModelMaterial(textMaterial);
        glTranslatef(x, 0, z);
        glRotatef(-90, 1, 0, 0);
        glScalef(0.02f, 0.02f, 0.02f);
        glutStrokeCharacter(GLUT_STROKE_ROMAN, '0');
    glPopMatrix();
    glDisable(GL_NORMALIZE);
}
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
    shellsT shells;
    GLUquadric* quadric;  // one for every disk and skirt of the frame
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

// The frame of the game's state as StartOfPlay leaves it.
frameT StartFrame() {
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
    f.shells = MakeShells();
    f.quadric = gluNewQuadric();
    gluQuadricDrawStyle(f.quadric, GLU_FILL);
    gluQuadricNormals(f.quadric, GLU_SMOOTH);
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
    Gob(f.shells, f.quadric, f.gob.x, f.gob.z, f.gob.rotX, f.gob.rotY, f.gob.rotZ, f.mouth);
    for (const modelT& g : f.ghosts) {
        Ghost(f.quadric, g.x, g.z, g.rotX, g.rotY, g.rotZ, g.color);
    }
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    ScoreText(f.scoreX, f.scoreZ);
    glPushMatrix();
        for (float z : f.livesZ) {
            Gob(f.shells, f.quadric, f.livesX, z, -65.0f, 0.0f, 0.0f, f.mouth);
        }
    glPopMatrix();
    glutSwapBuffers();
}
// clang-format on

// The picture just swapped: Mesa's software renderer keeps the back buffer
// as it was after a swap, so it is read from there.
std::vector<unsigned char> SwappedPicture() {
    glFinish();
    std::vector<unsigned char> rgb(static_cast<size_t>(window_width) * window_height * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, window_width, window_height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// How many pixels of the reference's picture differ from the game's own
// frame at the start of play: a floor that draws less, or something else,
// would make the ratio meaningless. Kept out of line, so that a profiler can
// leave its frames out of the count of the timed ones.
__attribute__((noinline)) long PixelsUnlikeTheGame(const frameT& frame) {
    DisplayGame();
    const std::vector<unsigned char> game = SwappedPicture();
    DrawFrame(frame);
    const std::vector<unsigned char> reference = SwappedPicture();
    long unlike = 0;
    for (size_t i = 0; i < game.size(); i += 3) {
        if (game[i] != reference[i] || game[i + 1] != reference[i + 1] ||
            game[i + 2] != reference[i + 2]) {
            unlike++;
        }
    }
    return unlike;
}

// Play at its start in the view from above without fog, and the reference's
// frame worked out for it; a benchmark whose reference draws anything else
// than the game's picture stops with an error.
frameT CheckedStartFrame(benchmark::State& state) {
    StartOfPlay(0, 0);
    frameT frame = StartFrame();
    const long unlike = PixelsUnlikeTheGame(frame);
    state.counters["pixels_unlike_the_game"] = static_cast<double>(unlike);
    if (unlike != 0) {
        state.SkipWithError("the reference frame does not draw the game's picture");
    }
    return frame;
}

}  // namespace

static void BM_ReferenceFrame2D(benchmark::State& state) {
    frameT frame = CheckedStartFrame(state);
    for (auto _ : state) {
        DrawFrame(frame);
        glFinish();
    }
    gluDeleteQuadric(frame.quadric);
}
BENCHMARK(BM_ReferenceFrame2D)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)  // as often as BM_GameFrame2D
    ->ReportAggregatesOnly();

// The game's frame and the reference frame timed in alternation, one pair an
// iteration, the order swapped from pair to pair: on a shared machine a
// slow spell then falls on both alike, where two benchmarks run one after
// the other can each meet a different load. Reports the ratio of the mean
// times and the median of the ratios of the pairs.
static void BM_GameAgainstReference(benchmark::State& state) {
    frameT frame = CheckedStartFrame(state);
    using clockT = std::chrono::steady_clock;
    auto timed = [](auto draw) {
        const clockT::time_point start = clockT::now();
        draw();
        glFinish();
        return std::chrono::duration<double, std::milli>(clockT::now() - start).count();
    };
    auto game = [] { DisplayGame(); };
    auto reference = [&frame] { DrawFrame(frame); };
    double gameTotal = 0.0;
    double referenceTotal = 0.0;
    std::vector<double> ratios;
    bool gameFirst = true;
    for (auto _ : state) {
        double g = 0.0;
        double r = 0.0;
        if (gameFirst) {
            g = timed(game);
            r = timed(reference);
        } else {
            r = timed(reference);
            g = timed(game);
        }
        gameFirst = !gameFirst;
        gameTotal += g;
        referenceTotal += r;
        ratios.push_back(g / r);
    }
    if (!ratios.empty()) {
        std::sort(ratios.begin(), ratios.end());
        state.counters["game_ms"] = gameTotal / static_cast<double>(ratios.size());
        state.counters["reference_ms"] = referenceTotal / static_cast<double>(ratios.size());
        state.counters["ratio_of_means"] = gameTotal / referenceTotal;
        state.counters["median_pair_ratio"] = ratios[ratios.size() / 2];
        state.counters["pairs"] = static_cast<double>(ratios.size());
    }
    gluDeleteQuadric(frame.quadric);
}
BENCHMARK(BM_GameAgainstReference)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(60)  // a fixed number of pairs, about 2.5 s, in each repetition
    ->Repetitions(5)
    ->ReportAggregatesOnly();
