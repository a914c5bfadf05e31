// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the file-local pieces of gobdraw: the eye placements worked out
// before main, normal3f, the two sphere halves, the eyes, the mouth and the
// teeth. The module's source is compiled into this file once more, with its
// seven exported names renamed so that they do not clash with gobdraw.o;
// everything static in it is then in reach here.
#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <vector>

#include "gl_test.h"

#define DrawGob PartsDrawGob
#define DrawGhost PartsDrawGhost
#define DrawText PartsDrawText
#define topOffset partsTopOffset
#define bottomOffset partsBottomOffset
#define teethProt partsTeethProt
#define toothHeight partsToothHeight
#include "../models/gobdraw.cpp"

namespace {

using Point = std::array<float, 3>;

// An orthographic view in which window coordinates are model coordinates
// scaled: x by 400 with 0 kept at window 0 (so that tiny values survive),
// y by 276, z flipped into 0..1.
void ModelView() {
    glViewport(-400, -276, 800, 552);
    gltest::LoadView([] { glOrtho(-1, 1, -1, 1, -1, 1); });
}

// The triangles that draw emits, in model coordinates, three points each.
std::vector<Point> Capture(void (*draw)()) {
    ModelView();
    std::vector<Point> points;
    for (const gltest::Vertex& v : gltest::CaptureVertices(draw)) {
        points.push_back({v.x / 400, v.y / 276, 1 - 2 * v.z});
    }
    return points;
}

// The distinct window positions among the points of draw.
std::set<std::vector<float>> Distinct(void (*draw)()) {
    ModelView();
    std::set<std::vector<float>> distinct;
    for (const gltest::Vertex& v : gltest::CaptureVertices(draw)) {
        distinct.insert({v.x, v.y, v.z});
    }
    return distinct;
}

std::array<float, 3> CurrentNormal() {
    const std::vector<float> v = gltest::GetFloats(GL_CURRENT_NORMAL, 3);
    return {v[0], v[1], v[2]};
}

// The whole ball of 30 by 30.
void Both30() {
    TopSphere(30, 30);
    BottomSphere(30, 30);
}

int CountAt(const std::vector<Point>& points, float y) {
    int n = 0;
    for (const Point& p : points) {
        n += std::fabs(p[0]) < 1e-6f && std::fabs(p[1] - y) < 1e-5f && std::fabs(p[2]) < 1e-5f;
    }
    return n;
}

}  // namespace

TEST(GobdrawConstants, EyePlacementsAreTheSinglePrecisionResults) {
    // Worked out with 3.141592 and the float 0.8; full-precision pi would
    // land two float steps away from these.
    EXPECT_EQ(eyeHeight, 0.34710693f);
    EXPECT_EQ(eyeProtrusion, 0.58889735f);
    EXPECT_EQ(pupilProtrusion, 0.17638098f);
    // The pupil's front stands 0.024 in front of its eye ball's front.
    EXPECT_NEAR(pupilProtrusion + pupilRad - eyeRad, 0.024, 1e-7);
}

TEST(GobdrawNormal, ScalesToUnitLengthAndLeavesTinyOrBadVectors) {
    normal3f(0, 3, 4);
    EXPECT_EQ(CurrentNormal(), (std::array<float, 3>{0, 0.6f, 0.8f}));
    normal3f(-2, 2, 1);
    const std::array<float, 3> n = CurrentNormal();
    EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-6f);
    EXPECT_FLOAT_EQ(n[0], -2.0f / 3);
    normal3f(0, 0, 0);
    EXPECT_EQ(CurrentNormal(), (std::array<float, 3>{0, 0, 0}));
    normal3f(5e-6f, 0, 0);
    EXPECT_EQ(CurrentNormal(), (std::array<float, 3>{5e-6f, 0, 0}));
    normal3f(NAN, 1, 0);
    EXPECT_TRUE(std::isnan(CurrentNormal()[0]));
    EXPECT_EQ(CurrentNormal()[1], 1.0f);
}

TEST(GobdrawSphere, HalvesSplitAtTheMiddleBandAndCloseTheirSeams) {
    const std::vector<Point> top = Capture([] { TopSphere(30, 30); });
    const std::vector<Point> bottom = Capture([] { BottomSphere(30, 30); });
    // Upper: a fan of 30 and 13 strips of 60 triangles; lower: 15 strips and a fan.
    EXPECT_EQ(top.size(), 3u * (30 + 13 * 60));
    EXPECT_EQ(bottom.size(), 3u * (15 * 60 + 30));
    EXPECT_EQ(CountAt(top, 0.8f), 30);
    EXPECT_EQ(CountAt(bottom, -0.8f), 30);

    // Rings of 30 points each, seam points included only once: 14 rings and
    // a pole above; below, 16 rings, the ring of the pole's fan and the pole.
    // The fan's ring, at pi - latStep, lies a hair (1e-7) off the ring that
    // the last strip ends on; the ring at 84 degrees is shared exactly.
    EXPECT_EQ(Distinct([] { TopSphere(30, 30); }).size(), 1u + 14 * 30);
    EXPECT_EQ(Distinct([] { BottomSphere(30, 30); }).size(), 17u * 30 + 1);
    EXPECT_EQ(Distinct(Both30).size(), 1u + 14 * 30 + 17 * 30 + 1 - 30);

    // The seam, where each ring starts and ends, lies at x = 0 exactly.
    int offSeam = 0;
    float topLow = 1;
    float bottomHigh = -1;
    for (const Point& p : top) {
        topLow = std::min(topLow, p[1]);
        offSeam += p[2] > 0.01f && std::fabs(p[0]) < 1e-3f && p[0] != 0.0f;
    }
    for (const Point& p : bottom) {
        bottomHigh = p[1] > -0.79f ? std::max(bottomHigh, p[1]) : bottomHigh;
        offSeam += p[2] > 0.01f && std::fabs(p[0]) < 1e-3f && p[0] != 0.0f;
    }
    EXPECT_EQ(offSeam, 0);
    const float ring = 0.8f * std::cos(84 * fullPi / 180);  // 0.0836
    EXPECT_NEAR(topLow, ring, 1e-5);
    EXPECT_NEAR(bottomHigh, ring, 1e-5);

    // With an odd count of 31 bands the split is at band 15 of 31.
    topLow = 1;
    for (const Point& p : Capture([] { TopSphere(30, 31); })) {
        topLow = std::min(topLow, p[1]);
    }
    EXPECT_NEAR(topLow, 0.8f * std::cos(15 * fullPi / 31), 1e-5);
    EXPECT_EQ(Capture([] { BottomSphere(30, 31); }).size(), 3u * (15 * 60 + 30));
}

TEST(GobdrawSphere, EveryTriangleIsWoundTheSameWayRoundTheBall) {
    // The rings run in increasing azimuth above and the lower pole's fan in
    // decreasing azimuth, so that seen from outside every triangle turns
    // clockwise.
    const std::vector<Point> points = Capture(Both30);
    int clockwise = 0;
    for (size_t i = 0; i + 2 < points.size(); i += 3) {
        const Point& a = points[i];
        const Point& b = points[i + 1];
        const Point& c = points[i + 2];
        const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const float v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const float n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                            u[0] * v[1] - u[1] * v[0]};
        clockwise += n[0] * (a[0] + b[0] + c[0]) + n[1] * (a[1] + b[1] + c[1]) +
                         n[2] * (a[2] + b[2] + c[2]) <
                     0;
    }
    EXPECT_EQ(clockwise, static_cast<int>(points.size() / 3));

    // Normals are the unit directions of the points: the upper piece ends on
    // the seam point of the ring at 84 degrees, the lower one on the seam
    // point of the ring next to its pole.
    TopSphere(30, 30);
    std::array<float, 3> n = CurrentNormal();
    EXPECT_EQ(n[0], 0.0f);
    EXPECT_NEAR(n[1], std::cos(84 * fullPi / 180), 1e-6);
    EXPECT_NEAR(n[2], std::sin(84 * fullPi / 180), 1e-6);
    BottomSphere(30, 30);
    n = CurrentNormal();
    EXPECT_NEAR(n[1], -std::cos(6 * fullPi / 180), 1e-6);
    EXPECT_NEAR(n[2], std::sin(6 * fullPi / 180), 1e-6);
}

TEST(GobdrawEyes, PupilsAreRedOnlyForMadOne) {
    const float* expected[3] = {pupilColor, madGobPupilColor, pupilColor};
    for (int mad = 0; mad < 3; mad++) {
        DrawGobEyes(mad);
        EXPECT_EQ(gltest::GetMaterial(GL_FRONT, GL_DIFFUSE),
                  std::vector<float>(expected[mad], expected[mad] + 4))
            << "mad " << mad;
    }
}

TEST(GobdrawTeeth, TwoTrianglesPerJawInThePlaneOfTheTeeth) {
    const std::vector<Point> upper = Capture([] { DrawTeeth(1); });
    const std::vector<Point> lower = Capture([] { DrawTeeth(0); });
    EXPECT_TRUE(Capture([] { DrawTeeth(2); }).empty());
    ASSERT_EQ(upper.size(), 6u);
    ASSERT_EQ(lower.size(), 6u);
    const float upperXs[6] = {0.38666669f,  0.26666668f,  0.14666668f,
                              -0.38666669f, -0.26666668f, -0.14666668f};
    const float lowerXs[6] = {0.28842106f,  0.16842106f,  0.04842106f,
                              -0.28842106f, -0.16842106f, -0.04842106f};
    for (int i = 0; i < 6; i++) {
        const bool tip = i % 3 == 1;
        EXPECT_NEAR(upper[i][0], upperXs[i], 1e-6);
        EXPECT_NEAR(upper[i][1], tip ? -0.0808f : 0.0792f, 1e-6);
        EXPECT_NEAR(lower[i][0], lowerXs[i], 1e-6);
        EXPECT_NEAR(lower[i][1], tip ? 0.2392f : 0.0792f, 1e-6);
        EXPECT_NEAR(upper[i][2], 0.68f, 1e-5);
        EXPECT_NEAR(lower[i][2], 0.68f, 1e-5);
    }
}

TEST(GobdrawMouth, TwoDisksFacingUpInTheMouthPlaneAndTeethOnRequest) {
    const std::vector<Point> plain = Capture([] { DrawMouth(1, 0); });
    const std::vector<Point> toothed = Capture([] { DrawMouth(0, 1); });
    // Rim and inside, 30 slices by 30 loops each, two triangles a quad but
    // for the fan round the middle of the inside.
    EXPECT_EQ(plain.size(), 3u * (30 * 30 * 2 + 29 * 30 * 2 + 30));
    EXPECT_EQ(toothed.size(), plain.size() + 6);
    float outer = 0;
    for (const Point& p : plain) {
        EXPECT_NEAR(p[1], 0.0792f, 1e-6);
        outer = std::max(outer, std::hypot(p[0], p[2]));
    }
    EXPECT_NEAR(outer, 0.796f, 1e-5);
}
