// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the score and lives display: the number strings, the turn that
// the score leaves on the model-view matrix, and where the score text and the
// life icons land in the world in either view. Geometry is read back from GL
// in feedback mode under an orthographic projection that maps window
// coordinates straight back to world coordinates.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "../tools/drive/view.h"
#include "gl_test.h"

namespace {

struct Point {
    double x;
    double y;
    double z;
};

// Half the size of the box the orthographic projection shows, in world units.
const double worldHalf = 40.0;

// Sets a projection under which a window coordinate reads back as a world
// coordinate, and the identity model-view matrix.
void WorldProjection() {
    glViewport(0, 0, 800, 552);
    gltest::LoadView(
        [] { glOrtho(-worldHalf, worldHalf, -worldHalf, worldHalf, -worldHalf, worldHalf); });
}

// Runs draw in feedback mode and returns its vertices in world coordinates
// (valid while the model-view matrix that WorldProjection loaded is the
// world frame).
std::vector<Point> WorldVertices(void (*draw)()) {
    std::vector<Point> out;
    for (const gltest::Vertex& v : gltest::CaptureVertices(draw)) {
        out.push_back(Point{(v.x / 800.0 * 2.0 - 1.0) * worldHalf,
                            (v.y / 552.0 * 2.0 - 1.0) * worldHalf, -(v.z * 2.0 - 1.0) * worldHalf});
    }
    return out;
}

struct Box {
    Point lo;
    Point hi;
};

Box Bounds(const std::vector<Point>& pts) {
    Box b{{1e9, 1e9, 1e9}, {-1e9, -1e9, -1e9}};
    for (const Point& p : pts) {
        b.lo = Point{std::min(b.lo.x, p.x), std::min(b.lo.y, p.y), std::min(b.lo.z, p.z)};
        b.hi = Point{std::max(b.hi.x, p.x), std::max(b.hi.y, p.y), std::max(b.hi.z, p.z)};
    }
    return b;
}

// The column-major matrix of a turn by deg degrees about (0, 1, 0).
drive::Matrix TurnAboutY(double deg) {
    const double a = deg * M_PI / 180.0;
    return {std::cos(a), 0, -std::sin(a), 0, 0, 1, 0, 0,
            std::sin(a), 0, std::cos(a),  0, 0, 0, 0, 1};
}

// Draw routines for feedback capture; the score's value and the lives come
// from these variables.
int shownScore = 0;
int shownLives = 0;

void DrawTheScore() {
    DrawScore(shownScore);
}

void DrawTheLives() {
    DrawLivesLeft(shownLives);
}

// The score drawn in the world frame: its text vertices.
std::vector<Point> ScoreText(int value) {
    WorldProjection();
    shownScore = value;
    return WorldVertices(DrawTheScore);
}

// The lives drawn after the score in the same frame, as the game draws them.
std::vector<Point> LifeIcons(int lives) {
    WorldProjection();
    DrawScore(0);
    shownLives = lives;
    return WorldVertices(DrawTheLives);
}

}  // namespace

// --- IntegerToString -------------------------------------------------------

TEST(IntegerToString, DecimalWithSignAndNoPadding) {
    const int values[] = {0, -5, 7, 200, 2147483647, INT_MIN};
    const char* expected[] = {"0", "-5", "7", "200", "2147483647", "-2147483648"};
    for (int i = 0; i < 6; i++) {
        char* text = IntegerToString(values[i]);
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text, expected[i]);
        free(text);
    }
}

TEST(IntegerToString, EachResultIsItsOwnHeapString) {
    char* a = IntegerToString(42);
    char* b = IntegerToString(42);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    a[0] = 'x';  // the caller owns it and may change it
    EXPECT_STREQ(b, "42");
    free(a);
    free(b);
}

// --- DrawScore --------------------------------------------------------------

TEST(DrawScore, LeavesExactlyAQuarterTurnAboutYInForce) {
    WorldProjection();
    glTranslatef(1.5f, -2.0f, 3.0f);
    glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
    const std::vector<float> before = gltest::GetFloats(GL_MODELVIEW_MATRIX);
    const int depth = gltest::GetInt(GL_MODELVIEW_STACK_DEPTH);
    DrawScore(1234);
    const std::vector<float> after = gltest::GetFloats(GL_MODELVIEW_MATRIX);
    drive::Matrix start{};
    std::copy(before.begin(), before.end(), start.begin());
    const drive::Matrix expected = drive::Product(start, TurnAboutY(90.0));
    for (int i = 0; i < 16; i++) {
        EXPECT_NEAR(after[i], expected[i], 1e-5) << "element " << i;
    }
    EXPECT_EQ(gltest::GetInt(GL_MODELVIEW_STACK_DEPTH), depth);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(DrawScore, LiesFlatFromAboveStartingAtRow29Column29) {
    ThreeDView = 0;
    const std::vector<Point> text = ScoreText(8);
    ASSERT_FALSE(text.empty());
    const Box b = Bounds(text);
    // Flat on the maze's plane, the glyphs' up toward -x (row 0).
    EXPECT_NEAR(b.lo.y, 0.0, 1e-3);
    EXPECT_NEAR(b.hi.y, 0.0, 1e-3);
    // The baseline starts at world (14, 0, -15) and the letters run toward -z.
    EXPECT_LE(b.hi.z, -15.0 + 1e-3);
    EXPECT_GT(b.hi.z, -15.0 - 0.5);
    EXPECT_LE(b.hi.x, 14.0 + 0.02 * 34);
    EXPECT_LT(b.lo.x, 14.0 - 1.5);  // a digit about 2 units tall
    EXPECT_GT(b.lo.x, 14.0 - 0.02 * 120);
}

TEST(DrawScore, StandsUprightInThe3DViewAtTheSamePlace) {
    ThreeDView = 1;
    const std::vector<Point> text = ScoreText(8);
    ASSERT_FALSE(text.empty());
    const Box b = Bounds(text);
    // Standing in the plane x = 14, rising along +y, facing +x.
    EXPECT_NEAR(b.lo.x, 14.0, 1e-3);
    EXPECT_NEAR(b.hi.x, 14.0, 1e-3);
    EXPECT_GT(b.hi.y, 1.5);
    EXPECT_GT(b.lo.y, -0.02 * 34);
    EXPECT_LE(b.hi.z, -15.0 + 1e-3);
    EXPECT_GT(b.hi.z, -15.0 - 0.5);
}

TEST(DrawScore, MoreDigitsRunFurtherAlongTheMaze) {
    ThreeDView = 0;
    const Box one = Bounds(ScoreText(0));
    const Box five = Bounds(ScoreText(12340));
    // Each digit of the roman font advances about 95 font units (1.9 here).
    EXPECT_LT(five.lo.z, one.lo.z - 4 * 1.5);
    EXPECT_NEAR(five.hi.z, one.hi.z, 0.5);
}

// --- DrawLivesLeft ----------------------------------------------------------

TEST(DrawLivesLeft, LeavesTheMatrixAsFound) {
    WorldProjection();
    glTranslatef(-3.0f, 1.0f, 2.0f);
    const std::vector<float> before = gltest::GetFloats(GL_MODELVIEW_MATRIX);
    const int depth = gltest::GetInt(GL_MODELVIEW_STACK_DEPTH);
    for (int view = 0; view < 2; view++) {
        ThreeDView = view;
        DrawLivesLeft(3);
        EXPECT_EQ(gltest::GetFloats(GL_MODELVIEW_MATRIX), before);
        EXPECT_EQ(gltest::GetInt(GL_MODELVIEW_STACK_DEPTH), depth);
    }
}

TEST(DrawLivesLeft, NoneOrANegativeCountDrawsNothing) {
    ThreeDView = 0;
    EXPECT_TRUE(LifeIcons(0).empty());
    EXPECT_TRUE(LifeIcons(-2).empty());
    EXPECT_FALSE(LifeIcons(1).empty());
}

// Sorts the icons' vertices to the nearest of the expected centres; every
// vertex must belong to an icon, and each icon must be a whole ball.
static void ExpectIconsAt(const std::vector<Point>& pts, const std::vector<Point>& centres,
                          std::vector<Box>* boxes) {
    std::vector<std::vector<Point>> groups(centres.size());
    for (const Point& p : pts) {
        size_t best = 0;
        double bestDist = 1e9;
        for (size_t c = 0; c < centres.size(); c++) {
            const double d = std::hypot(p.x - centres[c].x, p.y - centres[c].y, p.z - centres[c].z);
            if (d < bestDist) {
                bestDist = d;
                best = c;
            }
        }
        ASSERT_LT(bestDist, 1.1) << "a vertex away from every icon";
        groups[best].push_back(p);
    }
    for (size_t c = 0; c < centres.size(); c++) {
        ASSERT_FALSE(groups[c].empty()) << "no icon at centre " << c;
        const Box b = Bounds(groups[c]);
        // Along z the ball's own 0.8 radius bounds the icon on both sides.
        EXPECT_NEAR(b.lo.z, centres[c].z - 0.8, 0.05) << "icon " << c;
        EXPECT_NEAR(b.hi.z, centres[c].z + 0.8, 0.05) << "icon " << c;
        boxes->push_back(b);
    }
}

TEST(DrawLivesLeft, ThreeIconsInColumn31AtRows1To5) {
    t = 0.0;
    const std::vector<Point> centres = {{-14, 0, -17}, {-12, 0, -17}, {-10, 0, -17}};
    for (int view = 0; view < 2; view++) {
        ThreeDView = view;
        std::vector<Box> boxes;
        ExpectIconsAt(LifeIcons(3), centres, &boxes);
        for (size_t c = 0; c < boxes.size(); c++) {
            const double up = boxes[c].hi.y;
            const double front = boxes[c].hi.x - centres[c].x;
            if (view == 0) {
                // Leaning back 65 degrees: the eyes stick up out of the ball.
                EXPECT_GT(up, 0.85) << "icon " << c;
                EXPECT_LT(front, 0.82) << "icon " << c;
            } else {
                // Upright: the eyes look along +x, nothing rises above the ball.
                EXPECT_LT(up, 0.82) << "icon " << c;
                EXPECT_GT(front, 0.85) << "icon " << c;
            }
        }
    }
}

TEST(DrawLivesLeft, IconsChompWithTheRealGobbler) {
    ThreeDView = 1;
    t = 0.0;
    const Box closed = Bounds(LifeIcons(1));
    t = 60.0;
    const Box open = Bounds(LifeIcons(1));
    // With the mouth open the upper jaw tips back and lifts the eyes above
    // the top of the closed ball.
    EXPECT_GT(open.hi.y, closed.hi.y + 0.1);
}
