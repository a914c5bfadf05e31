// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the maze's GL setup and drawing: state read back after Init, the
// tubes in the display lists, geometry captured in feedback mode, materials
// read back during and after each routine, and the pixels of a drawn frame.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "../board/board.h"
#include "gl_test.h"
#include "probe.h"

namespace {

// The colour classes of the maze's pieces (tools/drive/colour.h), checked so
// that a pixel that fails shows its colour.
using drive::IsBlack;
using drive::IsBlue;
using drive::IsCopper;
using drive::IsPink;
using drive::IsYellow;
using probe::Is;

using gltest::GetInt;
using gltest::GetLight;
using gltest::GetMaterial;

// A vertex captured in feedback mode, back in world coordinates, with the
// colour that lighting gave it.
struct Vertex {
    double x, y, z;
    float r, g, b, a;
};

// Orthographic view of the whole maze with an identity model-view matrix,
// so that feedback coordinates map back to world coordinates one to one.
void SetUpWorldView() {
    glViewport(0, 0, 800, 552);
    gltest::LoadView([] { glOrtho(-20, 20, -20, 20, -40, 40); });
}

// Runs draw in feedback mode with colours and returns its vertices in world
// coordinates (the projection and model-view matrices current at the call).
std::vector<Vertex> Capture(void (*draw)()) {
    GLdouble model[16];
    GLdouble proj[16];
    GLint view[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, view);
    std::vector<Vertex> out;
    for (const gltest::Vertex& v : gltest::CaptureVertices(draw, GL_3D_COLOR)) {
        Vertex w{0, 0, 0, v.r, v.g, v.b, v.a};
        gluUnProject(v.x, v.y, v.z, model, proj, view, &w.x, &w.y, &w.z);
        out.push_back(w);
    }
    return out;
}

// Lights the scene so that every vertex takes exactly its material's ambient
// colour, with the alpha of its diffuse colour: the material of each piece
// can then be read from the vertices it emits.
void LightWithAmbientOnly() {
    const GLfloat white[] = {1, 1, 1, 1};
    const GLfloat black[] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT0, GL_AMBIENT, white);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, black);
    glLightfv(GL_LIGHT0, GL_SPECULAR, black);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
}

bool ColourIs(const Vertex& v, float r, float g, float b, float a) {
    const float eps = 2e-3f;
    return std::fabs(v.r - r) < eps && std::fabs(v.g - g) < eps && std::fabs(v.b - b) < eps &&
           std::fabs(v.a - a) < eps;
}

void ExpectNear(const std::vector<float>& got, const std::vector<float>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); i++) {
        EXPECT_NEAR(got[i], want[i], 1e-5) << "component " << i;
    }
}

// The maze's two materials: ambient, diffuse, specular, shininess.
struct Material {
    std::vector<float> ambient, diffuse, specular;
    float shininess;
};
const Material wallMaterial{
    {0.11f, 0.06f, 0.11f, 1}, {0, 0, 1, 1}, {0.33f, 0.33f, 0.33f, 0.33f}, 100};
const Material pelletMaterial{{0.25f, 0.20725f, 0.20725f, 0.922f},
                              {1, 0.829f, 0.829f, 0.922f},
                              {0.296648f, 0.296648f, 0.296648f, 0.922f},
                              11.264f};

// The material current on the front; the back face keeps GL's default
// material, as the maze sets the front only.
void ExpectMaterial(const Material& m) {
    ExpectNear(GetMaterial(GL_FRONT, GL_AMBIENT), m.ambient);
    ExpectNear(GetMaterial(GL_FRONT, GL_DIFFUSE), m.diffuse);
    ExpectNear(GetMaterial(GL_FRONT, GL_SPECULAR), m.specular);
    EXPECT_FLOAT_EQ(GetMaterial(GL_FRONT, GL_SHININESS)[0], m.shininess);
    ExpectNear(GetMaterial(GL_BACK, GL_AMBIENT), {0.2f, 0.2f, 0.2f, 1});
    ExpectNear(GetMaterial(GL_BACK, GL_DIFFUSE), {0.8f, 0.8f, 0.8f, 1});
}

// The cell a pellet vertex belongs to, from its world position.
std::pair<int, int> CellOf(const Vertex& v) {
    return {static_cast<int>(std::lround(v.x + 15.0)), static_cast<int>(std::lround(14.0 - v.z))};
}

void DrawMaze() {
    DrawRemainingPellets();
    DrawHorizontalWalls();
    DrawVerticalWalls();
    DrawWallEndings();
}

// Vertices of one tube list replayed at the origin.
int tubeList = 0;
void CallTubeList() {
    glCallList(static_cast<GLuint>(tubeList));
}

// The maze set up, its grid fresh, under the world view, lit so that the
// vertices tell the materials (the light changes no vertex's place).
class MazeDraw : public ::testing::Test {
protected:
    void SetUp() override {
        Init();
        InitBoard();
        SetUpWorldView();
        LightWithAmbientOnly();
    }
};
using MazeMaterials = MazeDraw;

}  // namespace

TEST(MazeInit, SetsUpLightDepthAndShading) {
    Init();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ExpectNear(gltest::GetFloats(GL_COLOR_CLEAR_VALUE, 4), {0, 0, 0, 0});
    EXPECT_EQ(GetInt(GL_SHADE_MODEL), GL_SMOOTH);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    // Read back in eye coordinates: the model-view matrix was the identity.
    ExpectNear(GetLight(GL_POSITION), {15, 5, 0, 1});
    ExpectNear(GetLight(GL_DIFFUSE), {1, 1, 1, 1});
    ExpectNear(GetLight(GL_SPECULAR), {1, 1, 1, 1});
    ExpectNear(GetLight(GL_AMBIENT), {0, 0, 0, 1});
    EXPECT_EQ(GetInt(GL_LIGHT_MODEL_TWO_SIDE), GL_FALSE);
}

TEST(MazeInit, CompilesOneListPerTubeWithoutDrawing) {
    SetUpWorldView();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    Init();
    // Compile only: nothing reached the frame.
    glFinish();
    EXPECT_TRUE(Is(gltest::ReadPixel(400, 276), IsBlack, "black"));

    std::set<int> ids;
    for (int i = 0; i < horizontalWallCount + verticalWallCount; i++) {
        const int list =
            i < horizontalWallCount ? startList + i : verticalStartList + i - horizontalWallCount;
        EXPECT_TRUE(glIsList(static_cast<GLuint>(list))) << "list " << i;
        ids.insert(list);
    }
    EXPECT_EQ(ids.size(), 68u);
    EXPECT_GT(startList, 0);
    EXPECT_GT(verticalStartList, 0);
}

TEST(MazeInit, EachListHoldsAnOpenTubeOfItsRecordsLength) {
    Init();
    SetUpWorldView();
    for (int i = 0; i < horizontalWallCount + verticalWallCount; i++) {
        const bool horizontal = i < horizontalWallCount;
        const int record = horizontal ? i : i - horizontalWallCount;
        const double length = horizontal ? horizontalWalls[record][2] : verticalWalls[record][2];
        tubeList = horizontal ? startList + record : verticalStartList + record;
        const std::vector<Vertex> vs = Capture(CallTubeList);
        ASSERT_FALSE(vs.empty()) << "list " << i;
        std::set<long> stacks;
        std::set<long> slices;
        double minZ = 1e9;
        double maxZ = -1e9;
        for (const Vertex& v : vs) {
            // No end caps: every vertex is on the mantle.
            EXPECT_NEAR(std::hypot(v.x, v.y), 0.25, 1e-3) << "list " << i;
            minZ = std::fmin(minZ, v.z);
            maxZ = std::fmax(maxZ, v.z);
            stacks.insert(std::lround(v.z * 1000));
            slices.insert(std::lround(std::atan2(v.y, v.x) * 100));
        }
        EXPECT_NEAR(minZ, 0.0, 1e-3) << "list " << i;
        EXPECT_NEAR(maxZ, length, 1e-3) << "list " << i;
        EXPECT_EQ(stacks.size(), 16u) << "list " << i;  // 15 stacks
        EXPECT_EQ(slices.size(), 15u) << "list " << i;  // 15 slices
    }
}

TEST_F(MazeDraw, FreshGridDrawsEveryPelletPowerPelletsLarger) {
    const std::vector<Vertex> vs = Capture(DrawRemainingPellets);
    std::map<std::pair<int, int>, double> radius;
    for (const Vertex& v : vs) {
        const std::pair<int, int> cell = CellOf(v);
        const double dx = v.x - (cell.first - 15);
        const double dz = v.z - (14 - cell.second);
        const double r = std::sqrt(dx * dx + v.y * v.y + dz * dz);
        radius[cell] = std::fmax(radius[cell], r);
    }
    EXPECT_EQ(radius.size(), 298u);
    int large = 0;
    for (const auto& [cell, r] : radius) {
        const int code = board[cell.first][cell.second];
        ASSERT_GT(code, 0) << "sphere on cell " << cell.first << "," << cell.second;
        EXPECT_NEAR(r, code == cellPowerPellet ? 0.35 : 0.25, 1e-3);
        large += code == cellPowerPellet;
    }
    EXPECT_EQ(large, 4);
}

TEST_F(MazeDraw, EatenCellsAreNotDrawnAndAnEmptyGridDrawsNoPellet) {
    const size_t full = Capture(DrawRemainingPellets).size();
    pellets[5][13] = cellEmpty;
    pellets[29][26] = cellEmpty;
    const std::vector<Vertex> vs = Capture(DrawRemainingPellets);
    std::set<std::pair<int, int>> cells;
    for (const Vertex& v : vs) {
        cells.insert(CellOf(v));
    }
    EXPECT_EQ(cells.size(), 296u);
    EXPECT_EQ(cells.count({5, 13}), 0u);
    EXPECT_EQ(cells.count({29, 26}), 0u);
    EXPECT_LT(vs.size(), full);

    for (auto& row : pellets) {
        for (int& cell : row) {
            cell = cellEmpty;
        }
    }
    EXPECT_TRUE(Capture(DrawRemainingPellets).empty());
    // The walls do not depend on the pellets.
    EXPECT_FALSE(Capture(DrawHorizontalWalls).empty());
    EXPECT_FALSE(Capture(DrawVerticalWalls).empty());
    EXPECT_FALSE(Capture(DrawWallEndings).empty());
}

TEST_F(MazeDraw, HorizontalTubesLieAlongTheirRows) {
    const std::vector<Vertex> vs = Capture(DrawHorizontalWalls);
    // Record 0, the top border: row 0 is world x = -15; columns 0.25 to 26.75
    // are world z 13.75 down to -12.75.
    double minZ = 1e9;
    double maxZ = -1e9;
    int onRecord0 = 0;
    // Record 17, the gate: row 12, columns 12.5 to 14.5.
    double gateMinZ = 1e9;
    double gateMaxZ = -1e9;
    for (const Vertex& v : vs) {
        if (std::fabs(v.x + 15.0) <= 0.2501) {
            onRecord0++;
            EXPECT_NEAR(std::hypot(v.x + 15.0, v.y), 0.25, 1e-3);
            minZ = std::fmin(minZ, v.z);
            maxZ = std::fmax(maxZ, v.z);
        }
        if (std::fabs(v.x + 3.0) <= 0.2501 && v.z > -0.6 && v.z < 1.6) {
            gateMinZ = std::fmin(gateMinZ, v.z);
            gateMaxZ = std::fmax(gateMaxZ, v.z);
        }
    }
    EXPECT_GT(onRecord0, 0);
    EXPECT_NEAR(minZ, -12.75, 1e-3);
    EXPECT_NEAR(maxZ, 13.75, 1e-3);
    EXPECT_NEAR(gateMinZ, -0.5, 1e-3);
    EXPECT_NEAR(gateMaxZ, 1.5, 1e-3);
}

TEST_F(MazeDraw, VerticalTubesAreTurnedDownTheirColumns) {
    const std::vector<Vertex> vs = Capture(DrawVerticalWalls);
    // Record 17: rows 19.25 to 29.75 at column 0, world x 4.25 to 14.75 at z 14.
    double minX = 1e9;
    double maxX = -1e9;
    // Record 12: column 13.5, rows 6.7 to 9.9, world z 0.5 and x -8.3 to -5.1.
    double stemMinX = 1e9;
    double stemMaxX = -1e9;
    for (const Vertex& v : vs) {
        if (std::fabs(v.z - 14.0) <= 0.2501 && v.x > 0) {
            EXPECT_NEAR(std::hypot(v.z - 14.0, v.y), 0.25, 1e-3);
            minX = std::fmin(minX, v.x);
            maxX = std::fmax(maxX, v.x);
        }
        if (std::fabs(v.z - 0.5) <= 0.2501 && v.x > -10 && v.x < 0) {
            stemMinX = std::fmin(stemMinX, v.x);
            stemMaxX = std::fmax(stemMaxX, v.x);
        }
    }
    EXPECT_NEAR(minX, 4.25, 1e-3);
    EXPECT_NEAR(maxX, 14.75, 1e-3);
    EXPECT_NEAR(stemMinX, -8.3, 1e-3);
    EXPECT_NEAR(stemMaxX, -5.1, 1e-3);
}

TEST_F(MazeDraw, CornerSpheresSitOnTheirRecords) {
    const std::vector<Vertex> vs = Capture(DrawWallEndings);
    std::vector<int> perSphere(wallEndingCount, 0);
    for (const Vertex& v : vs) {
        int owners = 0;
        for (int i = 0; i < wallEndingCount; i++) {
            const double dx = v.x - (wallEndings[i][0] - 15.0);
            const double dz = v.z - (14.0 - wallEndings[i][1]);
            if (std::fabs(std::sqrt(dx * dx + v.y * v.y + dz * dz) - 0.4) < 1e-3) {
                perSphere[i]++;
                owners++;
            }
        }
        EXPECT_EQ(owners, 1) << "vertex at " << v.x << "," << v.y << "," << v.z;
    }
    // All 82 spheres drawn, each the same sphere.
    ASSERT_GT(perSphere[0], 0);
    for (int i = 0; i < wallEndingCount; i++) {
        EXPECT_EQ(perSphere[i], perSphere[0]) << "sphere " << i;
    }
    EXPECT_EQ(vs.size(), static_cast<size_t>(wallEndingCount * perSphere[0]));
}

TEST_F(MazeMaterials, OnlyTheGateTubeIsInTheGateMaterial) {
    const std::vector<Vertex> vs = Capture(DrawHorizontalWalls);
    int gate = 0;
    int wall = 0;
    for (const Vertex& v : vs) {
        // The gate tube alone runs at row 12 between columns 12.5 and 14.5.
        const bool onGate = std::fabs(v.x + 3.0) <= 0.2501 && v.z >= -0.501 && v.z <= 1.501;
        if (onGate) {
            EXPECT_TRUE(ColourIs(v, 0.2295f, 0.08825f, 0.0275f, 1)) << v.z;
            gate++;
        } else {
            EXPECT_TRUE(ColourIs(v, 0.11f, 0.06f, 0.11f, 1)) << v.x << "," << v.z;
            wall++;
        }
    }
    EXPECT_GT(gate, 0);
    // Every tube is the same tube of its own length: the same number of vertices.
    EXPECT_EQ(wall, 37 * gate);
    // Back to the wall material after the gate, and on return.
    ExpectMaterial(wallMaterial);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MazeMaterials, PowerPelletsAreCopperAndTheRestStayPellets) {
    const std::vector<Vertex> vs = Capture(DrawRemainingPellets);
    ASSERT_FALSE(vs.empty());
    for (const Vertex& v : vs) {
        const std::pair<int, int> cell = CellOf(v);
        if (board[cell.first][cell.second] == cellPowerPellet) {
            EXPECT_TRUE(ColourIs(v, 0.2295f, 0.08825f, 0.0275f, 1))
                << cell.first << "," << cell.second;
        } else {
            // The pellets right after a power pellet (row 1, column 2; row 29,
            // column 2) are among these.
            EXPECT_TRUE(ColourIs(v, 0.25f, 0.20725f, 0.20725f, 0.922f))
                << cell.first << "," << cell.second;
        }
    }
    ExpectMaterial(pelletMaterial);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MazeMaterials, TubesAndCornersAreInTheWallMaterial) {
    // Start from the pellet material, as a frame does.
    DrawRemainingPellets();
    for (void (*draw)() : {DrawVerticalWalls, DrawWallEndings}) {
        const std::vector<Vertex> vs = Capture(draw);
        ASSERT_FALSE(vs.empty());
        int off = 0;
        for (const Vertex& v : vs) {
            off += !ColourIs(v, 0.11f, 0.06f, 0.11f, 1);
        }
        EXPECT_EQ(off, 0);
        ExpectMaterial(wallMaterial);
        DrawRemainingPellets();
    }
    ExpectMaterial(pelletMaterial);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MazeDraw, EveryRoutineLeavesTheModelViewMatrixAsItFoundIt) {
    glTranslatef(1.5f, -2.0f, 3.0f);
    glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
    const std::vector<float> before = gltest::GetFloats(GL_MODELVIEW_MATRIX);
    const int depthBefore = GetInt(GL_MODELVIEW_STACK_DEPTH);
    for (void (*draw)() :
         {DrawRemainingPellets, DrawHorizontalWalls, DrawVerticalWalls, DrawWallEndings}) {
        draw();
        EXPECT_EQ(gltest::GetFloats(GL_MODELVIEW_MATRIX), before);
        EXPECT_EQ(GetInt(GL_MODELVIEW_STACK_DEPTH), depthBefore);
        EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(MazePicture, TopDownFrameShowsWallsGatePelletsAndPowerPellets) {
    Init();
    InitBoard();
    // The camera of the in-game view from straight above.
    glViewport(0, 0, 800, 552);
    gltest::LoadView([] {
        gluPerspective(60.0, 800.0 / 552.0, 1.0, 1000.0);
        gluLookAt(0.01, 30.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    });
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawMaze();
    glFinish();

    // World point of a grid cell, on top of what is drawn there.
    auto at = [](double row, double col) {
        return gltest::PixelAtWorld(row - 15.0, 0.0, 14.0 - col);
    };
    // Walls: a border cell, the middle of a tube, a corner, the house's side.
    for (const auto& [row, col] : std::vector<std::pair<double, double>>{
             {0, 0}, {0, 10}, {30, 20}, {20, 0}, {2, 3}, {6.5, 13}, {14, 10}, {14, 17}}) {
        EXPECT_TRUE(Is(at(row, col), IsBlue, "blue")) << "wall at " << row << "," << col;
    }
    // The gate: yellow.
    for (const double col : {13.0, 14.0}) {
        EXPECT_TRUE(Is(at(12, col), IsYellow, "yellow")) << "gate at column " << col;
    }
    // Pellets: pale pink, red leading and green and blue alike.
    for (const auto& [row, col] :
         std::vector<std::pair<int, int>>{{5, 13}, {1, 2}, {29, 25}, {14, 5}}) {
        EXPECT_TRUE(Is(at(row, col), IsPink, "pink")) << "pellet at " << row << "," << col;
    }
    // Power pellets: copper, red well above green, green above blue.
    for (const auto& [row, col] :
         std::vector<std::pair<int, int>>{{1, 1}, {1, 26}, {29, 1}, {29, 26}}) {
        EXPECT_TRUE(Is(at(row, col), IsCopper, "copper"))
            << "power pellet at " << row << "," << col;
    }
    // An empty corridor cell and the ghost house floor show the black clear colour.
    for (const auto& [row, col] : std::vector<std::pair<int, int>>{{14, 13}, {14, 0}, {3, 3}}) {
        EXPECT_TRUE(Is(at(row, col), IsBlack, "black")) << "empty at " << row << "," << col;
    }
}
