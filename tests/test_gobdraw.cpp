// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the drawing calls of gobdraw.o as the game makes them: what they
// leave in GL (matrices, matrix mode, materials, normal), the pictures of
// Gobbler and the ghosts read back from the frame, the stroke text's glyphs
// caught in feedback mode, and the memory that a long run of models takes.
#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>
#include <malloc.h>  // mallinfo2, when not built with the address sanitizer

#include <algorithm>
#include <cmath>
#include <vector>

#include "../models/gobdraw.h"
#include "gl_test.h"
#include "probe.h"

namespace {

using gltest::Rgb;

// A screen of the game: perspective and look-at on the projection matrix,
// identity model-view, one white light at the camera, depth test.
void View(float ex, float ey, float ez) {
    glViewport(0, 0, 800, 552);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glShadeModel(GL_SMOOTH);
    gltest::LoadView([=] {
        gluPerspective(60, 800.0 / 552, 1, 100);
        gluLookAt(ex, ey, ez, 0, 0, 0, 0, 1, 0);
    });
    const float light[4] = {ex, ey, ez, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
}

// The colour where model point (x, y, z) shows after a turn of angle about
// x (a jaw's frame) in the current view.
Rgb At(float x, float y, float z, float jaw = 0) {
    glFinish();
    glPushMatrix();
    glRotatef(jaw, 1, 0, 0);
    const Rgb c = gltest::PixelAtWorld(x, y, z);
    glPopMatrix();
    return c;
}

// A point on the front (+z) or back of the 0.8 ball.
float Front(float x, float y) {
    return std::sqrt(0.64f - x * x - y * y);
}

// Colour classes of a pixel: the game's (tools/drive/colour.h), black the
// background, and the dark of a pupil; checked with probe::Is, which shows
// the colour a pixel that fails has.
using drive::IsBlack;
using drive::IsBlue;
using drive::IsGreen;
using drive::IsRed;
using drive::IsWhite;
using drive::IsYellow;

bool IsDark(Rgb c) {
    return c.r < 60 && c.g < 60 && c.b < 60;
}
bool IsDrawn(Rgb c) {
    return !IsBlack(c);
}
using probe::Is;

using gltest::GetInt;
using gltest::GetMaterial;

// Fills every material property of both faces with a colour no model uses.
void ClearMaterial() {
    const float odd[4] = {0.1f, 0.2f, 0.3f, 0.4f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, odd);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, odd);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, odd);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 7);
}

// The material both faces show after a call: colour, front specular, shine,
// emission; the back's specular must still be the one ClearMaterial set.
void ExpectMaterial(std::vector<float> color, std::vector<float> specular, float shine,
                    std::vector<float> emis) {
    for (GLenum face : {GL_FRONT, GL_BACK}) {
        EXPECT_EQ(GetMaterial(face, GL_AMBIENT), color);
        EXPECT_EQ(GetMaterial(face, GL_DIFFUSE), color);
        EXPECT_EQ(GetMaterial(face, GL_SHININESS)[0], shine);
        EXPECT_EQ(GetMaterial(face, GL_EMISSION), emis);
    }
    EXPECT_EQ(GetMaterial(GL_FRONT, GL_SPECULAR), specular);
    EXPECT_EQ(GetMaterial(GL_BACK, GL_SPECULAR), (std::vector<float>{0.1f, 0.2f, 0.3f, 0.4f}));
}

float green[4] = {0, 1, 0, 1};

}  // namespace

// --- State left behind ----------------------------------------------------

TEST(GobdrawState, ModelsRestoreTheModelViewAndLeaveItSelected) {
    View(0, 0, 5);
    glTranslatef(1, 2, 3);
    glRotatef(20, 0, 1, 0);
    const std::vector<float> modelView = gltest::GetFloats(GL_MODELVIEW_MATRIX);
    const std::vector<float> projection = gltest::GetFloats(GL_PROJECTION_MATRIX);
    // Fill the stack up to the levels each model may use: Gobbler four
    // (itself, a jaw, an eye, a pupil), a ghost three.
    const int maxDepth = GetInt(GL_MAX_MODELVIEW_STACK_DEPTH);
    for (const int levels : {4, 3}) {
        while (GetInt(GL_MODELVIEW_STACK_DEPTH) < maxDepth - levels) {
            glPushMatrix();
        }
        glMatrixMode(GL_PROJECTION);
        if (levels == 4) {
            DrawGob(1, 0, 0, 10, 20, 30, 25, 1);
        } else {
            DrawGhost(1, 0, 0, 10, 20, 30, 0, green, 0);
        }
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_EQ(GetInt(GL_MODELVIEW_STACK_DEPTH), maxDepth - levels);
        EXPECT_EQ(gltest::GetFloats(GL_MODELVIEW_MATRIX), modelView);
        EXPECT_EQ(gltest::GetFloats(GL_PROJECTION_MATRIX), projection);
        while (GetInt(GL_MODELVIEW_STACK_DEPTH) > 1) {
            glPopMatrix();
        }
    }
}

TEST(GobdrawState, TextWorksOnTheSelectedMatrixAndRestoresIt) {
    View(0, 0, 5);
    for (const GLenum mode : {GL_MODELVIEW, GL_PROJECTION}) {
        glMatrixMode(mode);
        const std::vector<float> modelView = gltest::GetFloats(GL_MODELVIEW_MATRIX);
        const std::vector<float> projection = gltest::GetFloats(GL_PROJECTION_MATRIX);
        const int depth = GetInt(GL_PROJECTION_STACK_DEPTH);
        DrawText(1, 2, 3, 1, 1, 1, 0.01f, 0, "TEXT");
        EXPECT_EQ(GetInt(GL_MATRIX_MODE), static_cast<GLint>(mode));
        EXPECT_EQ(GetInt(GL_PROJECTION_STACK_DEPTH), depth);
        EXPECT_EQ(gltest::GetFloats(GL_MODELVIEW_MATRIX), modelView);
        EXPECT_EQ(gltest::GetFloats(GL_PROJECTION_MATRIX), projection);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST(GobdrawState, EachCallLeavesItsLastPiecesMaterial) {
    const std::vector<float> white = {1, 1, 1, 1};
    const std::vector<float> none = {0, 0, 0, 0};
    ClearMaterial();
    DrawGob(0, 0, 0, 0, 0, 0, 20, 0);  // the lower mouth's red inside
    ExpectMaterial({1, 0, 0, 1}, white, 25, none);
    ClearMaterial();
    DrawGob(0, 0, 0, 0, 0, 0, 20, 1);  // the lower teeth
    ExpectMaterial({1, 1, 1, 0}, white, 50, {0.75f, 0.75f, 0.75f, 0});
    ClearMaterial();
    DrawGhost(0, 0, 0, 0, 0, 0, 1, green, 0);  // a pupil
    ExpectMaterial(none, white, 25, none);
    ClearMaterial();
    DrawText(0, 0, 0, 0.25f, 0.5f, 0.75f, 0.01f, 1, "");  // nothing drawn, material set
    ExpectMaterial({0.25f, 0.5f, 0.75f, 1}, white, 100, none);
}

TEST(GobdrawState, TheMadLooksLastNormalIsATeethCornersUnitDirection) {
    glNormal3f(0, 0, 1);
    DrawGob(0, 0, 0, 0, 0, 0, 20, 1);
    const std::vector<float> n = gltest::GetFloats(GL_CURRENT_NORMAL, 3);
    // The lower teeth's last corner, (-(bottomOffset - 0.12), 0.0792, teethProt).
    const float corner[3] = {-(bottomOffset - 0.12f), 0.0792f, teethProt};
    const float length = std::sqrt(corner[0] * corner[0] + corner[1] * corner[1] + 0.68f * 0.68f);
    EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-6f);
    for (int i = 0; i < 3; i++) {
        EXPECT_NEAR(n[i], corner[i] / length, 1e-6);
    }
}

// --- Gobbler's pictures ---------------------------------------------------

TEST(GobblerPicture, ClosedItIsAYellowBallWithEyes) {
    for (const float side : {1.0f, -1.0f}) {
        View(0, 0, 3 * side);
        DrawGob(0, 0, 0, 0, 0, 0, 0, 0);
        // Round the seam where the jaws meet, at the front and at the back.
        for (const float x : {-0.6f, -0.45f, 0.0f, 0.45f, 0.6f}) {
            EXPECT_TRUE(Is(At(x, 0.0836f, side * Front(x, 0.0836f)), IsYellow, "yellow"))
                << x << " " << side;
        }
        EXPECT_TRUE(Is(At(-0.4f, -0.5f, side * Front(-0.4f, -0.5f)), IsYellow, "yellow"));
        EXPECT_TRUE(Is(At(0.9f, 0, 0), IsBlack, "black"));
    }
    // From the front: two white eye balls with black pupils.
    View(0, 0, 3);
    DrawGob(0, 0, 0, 0, 0, 0, 0, 0);
    for (const float x : {-0.26666668f, 0.26666668f}) {
        EXPECT_TRUE(Is(At(x, 0.34710693f - 0.2f, 0.58889735f + 0.17f), IsWhite, "white"));
        EXPECT_TRUE(Is(At(x, 0.34710693f - 0.05f, 0.76527833f + 0.1f), IsDark, "dark"));
    }
}

// The red pixels of Gobbler drawn with mouthAngle, seen from the front or back.
int RedSeen(float side, float mouthAngle, float rotY = 0) {
    View(0, 0, 3 * side);
    DrawGob(0, 0, 0, 0, rotY, 0, mouthAngle, 0);
    return gltest::ReadFrame().Count(IsRed);
}

TEST(GobblerPicture, OpenItShowsItsRedInsideOnlyOnTheOpenSide) {
    // Closed, the mouth lies hidden inside the ball.
    EXPECT_EQ(RedSeen(1, 0), 0);
    EXPECT_EQ(RedSeen(-1, 0), 0);
    // Open at the front: from the front the red roof and floor; from the
    // back the two shells overlap into a closed ball.
    EXPECT_GT(RedSeen(1, 30), 5000);
    EXPECT_EQ(RedSeen(-1, 30), 0);
    // A negative angle opens the back instead.
    EXPECT_EQ(RedSeen(1, -30), 0);
    EXPECT_GT(RedSeen(-1, -30), 5000);
    // Turned half round about y, the open front faces the back camera.
    EXPECT_GT(RedSeen(-1, 30, 180), 5000);
    // The floor, through the open front.
    View(0, 0, 3);
    DrawGob(0, 0, 0, 0, 0, 0, 30, 0);
    EXPECT_TRUE(Is(At(0, -0.1f, 0.8f), IsRed, "red"));
}

TEST(GobblerPicture, MadItGlowsRedWithRedPupilsAndWhiteTeeth) {
    // Where the light grazes the ball the normal body is dim yellow and the
    // mad one bright red over it.
    const float x = 0.6f;
    const float y = -0.4f;
    const float upperTooth[3] = {0.26666668f, 0.026f, 0.68f};  // in the upper jaw, turned -30
    const float lowerTooth[3] = {0.16842106f, 0.133f, 0.68f};  // in the lower jaw, turned 30
    const float pupil[3] = {0.26666668f, 0.381f, 0.874f};      // in the upper jaw
    View(0, 0, 3);
    DrawGob(0, 0, 0, 0, 0, 0, 30, 0);
    const Rgb normal = At(x, y, Front(x, y));
    const int normalWhite = gltest::ReadFrame().Count(IsWhite);
    EXPECT_FALSE(Is(At(upperTooth[0], upperTooth[1], upperTooth[2], -30), IsWhite, "white"));
    EXPECT_FALSE(Is(At(lowerTooth[0], lowerTooth[1], lowerTooth[2], 30), IsWhite, "white"));
    EXPECT_TRUE(Is(At(pupil[0], pupil[1], pupil[2], -30), IsDark, "dark"));

    View(0, 0, 3);
    DrawGob(0, 0, 0, 0, 0, 0, 30, 1);
    const Rgb mad = At(x, y, Front(x, y));
    EXPECT_TRUE(Is(normal, IsYellow, "yellow"));
    EXPECT_EQ(mad.r, 255);
    EXPECT_GT(mad.r - mad.g, 100);
    EXPECT_NEAR(mad.g, normal.g, 3);
    // Four white teeth stand in front of the red mouth.
    EXPECT_TRUE(Is(At(upperTooth[0], upperTooth[1], upperTooth[2], -30), IsWhite, "white"));
    EXPECT_TRUE(Is(At(-upperTooth[0], upperTooth[1], upperTooth[2], -30), IsWhite, "white"));
    EXPECT_TRUE(Is(At(lowerTooth[0], lowerTooth[1], lowerTooth[2], 30), IsWhite, "white"));
    EXPECT_TRUE(Is(At(-lowerTooth[0], lowerTooth[1], lowerTooth[2], 30), IsWhite, "white"));
    EXPECT_GT(gltest::ReadFrame().Count(IsWhite), normalWhite + 400);
    EXPECT_TRUE(Is(At(pupil[0], pupil[1], pupil[2], -30), IsRed, "red"));
    EXPECT_TRUE(Is(At(-pupil[0], pupil[1], pupil[2], -30), IsRed, "red"));
}

// --- Ghost pictures -------------------------------------------------------

TEST(GhostPicture, WholeScaredAndEyesOnly) {
    // Dome and skirt in the ghost's own colour; the skirt's corner shows
    // where a ball would leave the background.
    View(0, 0, 3);
    DrawGhost(0, 0, 0, 0, 0, 0, 0, green, 0);
    EXPECT_TRUE(Is(At(-0.4f, -0.3f, Front(-0.4f, -0.3f)), IsGreen, "green"));
    EXPECT_TRUE(Is(At(-0.7f, -0.7f, 0.387f), IsGreen, "green"));
    EXPECT_TRUE(Is(At(-0.7f, -0.9f, 0.387f), IsBlack, "black"));
    EXPECT_TRUE(Is(At(-0.26666668f, 0.34710693f - 0.2f, 0.58889735f + 0.17f), IsWhite, "white"));

    // Scared: blue whatever colour is passed, eyes unchanged.
    float red[4] = {1, 0, 0, 1};
    View(0, 0, 3);
    DrawGhost(0, 0, 0, 0, 0, 0, 1, red, 0);
    EXPECT_TRUE(Is(At(-0.4f, -0.3f, Front(-0.4f, -0.3f)), IsBlue, "blue"));
    EXPECT_TRUE(Is(At(-0.7f, -0.7f, 0.387f), IsBlue, "blue"));

    // Eyes only: white balls and black pupils floating where they sit on a
    // whole ghost, nothing of the body. The colour is never read.
    View(0, 0, 3);
    DrawGhost(0, 0, 0, 0, 0, 0, 1, nullptr, 1);
    EXPECT_TRUE(Is(At(-0.4f, -0.3f, Front(-0.4f, -0.3f)), IsBlack, "black"));
    EXPECT_TRUE(Is(At(-0.7f, -0.7f, 0.387f), IsBlack, "black"));
    EXPECT_TRUE(Is(At(0, 0.3f, 0.8f), IsBlack, "black"));
    for (const float x : {-0.26666668f, 0.26666668f}) {
        EXPECT_TRUE(Is(At(x, 0.34710693f - 0.2f, 0.58889735f + 0.17f), IsWhite, "white"));
        EXPECT_TRUE(Is(At(x, 0.34710693f - 0.05f, 0.76527833f + 0.1f), IsDark, "dark"));
        EXPECT_FALSE(Is(At(x, 0.34710693f - 0.05f, 0.76527833f + 0.1f), IsBlack, "black"));
    }
}

// --- Stroke text ----------------------------------------------------------

namespace {

const char* textToDraw = "";
int textUpright = 1;

void DrawChosenText() {
    DrawText(-0.5f, 0, 0, 1, 1, 1, 0.002f, textUpright, textToDraw);
}

// The window points of the glyph lines of text, with the camera at eye.
std::vector<float> Glyphs(const char* text, int upright, float ex, float ey, float ez, float upZ) {
    textToDraw = text;
    textUpright = upright;
    glViewport(0, 0, 800, 552);
    gltest::LoadView([=] {
        gluPerspective(60, 800.0 / 552, 1, 100);
        gluLookAt(ex, ey, ez, 0, 0, 0, 0, upZ == 0 ? 1 : 0, upZ);
    });
    std::vector<float> points;
    for (const gltest::Vertex& v : gltest::CaptureVertices(DrawChosenText)) {
        points.insert(points.end(), {v.x, v.y, v.z});
    }
    return points;
}

void ExpectSameGlyphs(const std::vector<float>& a, const std::vector<float>& b, float shift) {
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); i++) {
        EXPECT_NEAR(a[i], b[i] + (i % 3 == 0 ? shift : 0), 2e-3) << i;
    }
}

}  // namespace

TEST(StrokeText, LyingTextIsUprightTextTurnedDownOntoTheFloor) {
    const std::vector<float> upright = Glyphs("Gobbler 0123", 1, 0, 0, 3, 0);
    // Seen from above with -z at the top of the view, lying text reads the
    // same as upright text seen from the front.
    const std::vector<float> lying = Glyphs("Gobbler 0123", 0, 0, 3, 0, -1);
    EXPECT_GT(upright.size(), 100u);
    ExpectSameGlyphs(lying, upright, 0);
}

TEST(StrokeText, CharactersFollowOneAnotherByTheirAdvance) {
    const std::vector<float> i = Glyphs("I", 1, 0, 0, 3, 0);
    const std::vector<float> w = Glyphs("W", 1, 0, 0, 3, 0);
    const std::vector<float> iw = Glyphs("IW", 1, 0, 0, 3, 0);
    const std::vector<float> wi = Glyphs("WI", 1, 0, 0, 3, 0);
    ASSERT_EQ(iw.size(), i.size() + w.size());
    // The W of "IW" is the W drawn alone, moved on by the I's advance; the I
    // of "WI" moved on by the W's, which is wider.
    const float iShift = iw[i.size()] - w[0];
    const float wShift = wi[w.size()] - i[0];
    ExpectSameGlyphs(std::vector<float>(iw.begin() + i.size(), iw.end()), w, iShift);
    ExpectSameGlyphs(std::vector<float>(wi.begin() + w.size(), wi.end()), i, wShift);
    EXPECT_GT(iShift, 0);
    EXPECT_GT(wShift, iShift);

    // Nothing for an empty string or none at all, and nothing (not even an
    // advance) for a byte beyond the font's 128 codes.
    EXPECT_TRUE(Glyphs("", 1, 0, 0, 3, 0).empty());
    EXPECT_TRUE(Glyphs(nullptr, 1, 0, 0, 3, 0).empty());
    ExpectSameGlyphs(Glyphs("\xC9W", 1, 0, 0, 3, 0), w, 0);
}

TEST(StrokeText, GlyphsAreLitInTheTextColourAtEveryScale) {
    // The font scale must not wash the colour out to white, and the
    // normalising of normals is left as it was.
    for (const float scale : {0.004f, 0.02f}) {
        for (const bool normalizing : {false, true}) {
            normalizing ? glEnable(GL_NORMALIZE) : glDisable(GL_NORMALIZE);
            View(0, 0, 3);
            glNormal3f(0, 0.6f, 0.8f);  // towards the light, but off the highlight
            DrawText(-0.5f, -0.3f, 0, 0, 1, 0, scale, 1, "HI");
            EXPECT_EQ(glIsEnabled(GL_NORMALIZE), normalizing);
            const int green = gltest::ReadFrame().Count(IsGreen);
            EXPECT_GT(green, 100) << scale;
            EXPECT_EQ(gltest::ReadFrame().Count(IsDrawn), green) << scale;
        }
    }
}

// --- Memory ---------------------------------------------------------------

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer's count of the bytes the process holds.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

size_t AllocatedBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// Frames of two Gobblers and two ghosts each, normal and mad, whole and scared.
void DrawFrames(int count) {
    for (int i = 0; i < count; i++) {
        DrawGob(0, 0, 10, 0, 0, 0, 20, 0);
        DrawGob(0, 0, 10, 0, 0, 0, 20, 1);
        DrawGhost(0, 0, 10, 0, 0, 0, 0, green, 0);
        DrawGhost(0, 0, 10, 0, 0, 0, 1, green, 0);
        glFinish();
    }
}

}  // namespace

TEST(GobdrawMemory, DrawingModelsTakesNoMemoryFromFrameToFrame) {
    // Behind the camera, so that only the calls cost time. A GLU quadric
    // kept for each mouth disk or skirt drawn would take at least 32 bytes,
    // 300 frames of ten of them about 100 kB, in each of two stretches. The
    // renderer may take a block of its own once, in either stretch: only
    // the smaller growth of the two counts.
    View(0, 0, 3);
    DrawFrames(20);
    const size_t start = AllocatedBytes();
    DrawFrames(300);
    const size_t middle = AllocatedBytes();
    DrawFrames(300);
    const size_t end = AllocatedBytes();
    const long first = static_cast<long>(middle) - static_cast<long>(start);
    const long second = static_cast<long>(end) - static_cast<long>(middle);
    EXPECT_LT(std::min(first, second), 16 * 1024) << "grew by " << first << " then " << second;
}
