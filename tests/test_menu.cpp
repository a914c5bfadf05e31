// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the main menu screen: its camera read back from GL, the colours
// of its words read from the frame where the camera puts them, and the
// difficulty that every menu frame applies to the ghosts.
#include <GL/freeglut.h>  // glutStrokeLengthf
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "gl_test.h"
#include "probe.h"

namespace {

const int width = 800;
const int height = 552;

double Length(const char* text) {
    return glutStrokeLengthf(GLUT_STROKE_ROMAN, reinterpret_cast<const unsigned char*>(text));
}

// Draws a menu frame as the program does (lit, fog off) and keeps its
// pixels.
drive::Picture DrawMenu() {
    DisplayMenu();
    return gltest::ReadFrame();
}

// Whether a pixel shows anything of the words.
bool Lit(gltest::Rgb p) {
    return std::max({p.r, p.g, p.b}) > 12;
}

// Counts the lit pixels in the window box of the words from font unit
// `from` to `to` of a line drawn from (x, y, 0) at scale, and how many of
// them have the hue of (r, g, b). Light dims a colour, it keeps the hue.
struct Count {
    int lit = 0;
    int hue = 0;
};

Count InWords(const drive::Picture& frame, double x, double y, double scale, double from, double to,
              double r, double g, double b) {
    const gltest::WindowPoint low = gltest::ProjectWorld(x + from * scale, y - 33.33 * scale, 0.0);
    const gltest::WindowPoint high = gltest::ProjectWorld(x + to * scale, y + 119.05 * scale, 0.0);
    const drive::ScreenPoint topLeft = gltest::OnScreen(frame, low.x, high.y);
    const drive::Box box{topLeft.x, topLeft.y, high.x - low.x + 1, high.y - low.y + 1};
    const double e = std::max({r, g, b});
    Count n;
    n.lit = frame.Count(box, Lit);
    n.hue = frame.Count(box, [&](gltest::Rgb p) {
        const double m = std::max({p.r, p.g, p.b});
        return Lit(p) && std::fabs(p.r / m - r / e) < 0.25 && std::fabs(p.g / m - g / e) < 0.25 &&
               std::fabs(p.b / m - b / e) < 0.25;
    });
    return n;
}

// Every lit pixel of the words in the hue, and enough of them to be words.
void ExpectHue(const Count& n, const char* what) {
    EXPECT_GT(n.lit, 20) << what;
    EXPECT_EQ(n.hue, n.lit) << what;
}

const struct {
    const char* rest;
    const char* initial;
    double y;
} lines[5] = {{" LAY GAME", "P", 2.0},
              {" IFFICULTY", "D", 1.0},
              {" IEW IN 3D", "V", 0.0},
              {" OG", "F", -1.0},
              {" UIT", "Q", -2.0}};

class MenuFrame : public ::testing::Test {
protected:
    void SetUp() override {
        Reshape(width, height);
        Init();
        fogtype = 0;
        SetFog();
    }
};

}  // namespace

TEST(MenuCamera, ProjectionIsThePerspectiveTimesTheLookAt) {
    for (int w : {800, 1000}) {
        Reshape(w, 500);
        glMatrixMode(GL_PROJECTION);
        glTranslatef(3.0f, 0.0f, 0.0f);
        glMatrixMode(GL_MODELVIEW);
        glTranslatef(0.0f, 2.0f, 0.0f);
        glClearDepth(0.25);
        DisplayMenu();
        EXPECT_EQ(std::vector<float>({xPos, yPos, zPos}), std::vector<float>({4, 0, 10}));

        // 60 degrees from 1 to 100, then the eye at (4, 0, 10) looking down
        // -z with y up: a plain shift of the world by (-4, 0, -10).
        const double f = 1.0 / std::tan(3.14159265358979 / 6.0);
        const double a = w / 500.0;
        const double expected[4][4] = {
            {f / a, 0, 0, 0},
            {0, f, 0, 0},
            {0, 0, -101.0 / 99.0, -1},
            {-4 * f / a, 0, 1010.0 / 99.0 - 200.0 / 99.0, 10}};  // by column
        const std::vector<float> projection = gltest::GetFloats(GL_PROJECTION_MATRIX);
        const std::vector<float> modelview = gltest::GetFloats(GL_MODELVIEW_MATRIX);
        for (int i = 0; i < 16; i++) {
            EXPECT_NEAR(projection[i], expected[i / 4][i % 4], 1e-5) << i;
            EXPECT_EQ(modelview[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
        }
        EXPECT_EQ(gltest::GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_EQ(gltest::GetFloats(GL_DEPTH_CLEAR_VALUE, 1)[0], 1.0f);
    }
}

// The strokes of the words keep their weight at any size of the window:
// GL_LINE_WIDTH, read back after a real menu frame, is twice 1 at twice the
// game's size, and in proportion to the picture's scale at other sizes: the
// height's in a wider window, the width's in a narrower one, never below
// 1. At 800 x 552 it is 1, GL's own first value, with which every frame at
// that size was drawn before.
TEST_F(MenuFrame, TextStrokesGrowWithThePicture) {
    const struct {
        int w;
        int h;
        float width;
    } sizes[] = {{1600, 1104, 2.0f}, {1920, 1080, 1080.0f / 552.0f},
                 {1200, 1400, 1.5f}, {800, 1104, 1.0f},
                 {400, 276, 1.0f},   {width, height, 1.0f}};
    for (const auto& s : sizes) {
        Reshape(s.w, s.h);
        DisplayMenu();
        EXPECT_FLOAT_EQ(gltest::GetFloats(GL_LINE_WIDTH, 1)[0], s.width) << s.w << " x " << s.h;
    }
}

TEST_F(MenuFrame, HighlightMovesWithTheCursorAndTheWordsStay) {
    drive::Picture first;
    for (int item = 1; item <= 5; item++) {
        currMenuItem = item;
        const drive::Picture px = DrawMenu();
        ExpectHue(InWords(px, 1.0, 3.5, 0.007, 0, Length("GOBBLER"), 1, 0.5, 0), "title");
        for (int i = 0; i < 5; i++) {
            // The initial covers the space that leads the rest of the word.
            const bool on = i + 1 == item;
            const double initialEnd = Length(lines[i].initial) * 0.005 / 0.004;
            ExpectHue(InWords(px, 0, lines[i].y, 0.004, std::max(initialEnd, Length(" ")),
                              Length(lines[i].rest), 1, !on, 1),
                      lines[i].rest);
            ExpectHue(
                InWords(px, 0, lines[i].y, 0.005, 0, Length(" ") * 0.004 / 0.005, 1, !on, !on),
                lines[i].initial);
        }
        EXPECT_TRUE(probe::Is(px.At(gltest::OnScreen(px, 0, 0)), drive::IsBlack, "black"))
            << "fog in the menu";
        if (item == 1) {
            first = px;
        }
        // Only colours change: the same pixels are lit.
        int moved = 0;
        for (int y = 0; y < height; y++) {
            for (int x = 0; x < width; x++) {
                moved += Lit(px.At(x, y)) != Lit(first.At(x, y));
            }
        }
        EXPECT_EQ(moved, 0) << "line " << item;
    }
}

TEST_F(MenuFrame, ValuesInLightBlueAndOnlyWhenInTheirTables) {
    const char* difficultyTexts[] = {"WUSS", "GOOD", "EXPERT"};
    const char* fogTexts[] = {"NO FOG", "EXP TYPE 1", "EXP TYPE 2", "LINEAR TYPE"};
    const char* viewTexts[] = {"2D VIEW", "3D VIEW"};
    for (int i = 0; i < 5; i++) {
        const bool known = i < 4;
        difficulty = known ? 1 + i % 3 : 4;
        fogtype = known ? i : -1;
        ThreeDView = known ? i % 2 : 2;
        currMenuItem = known ? 1 : 6;
        const drive::Picture px = DrawMenu();
        const Count values[] = {
            InWords(px, 5, 1, 0.004, 0, 2000, 0.5, 0.5, 1),
            InWords(px, 5, -1, 0.004, 0, 2000, 0.5, 0.5, 1),
            InWords(px, 5, 0, 0.004, 0, 2000, 0.5, 0.5, 1),
        };
        const Count lineWords = InWords(px, 0, 0, 0.005, 0, 2000, 1, 1, 1);
        if (!known) {
            EXPECT_EQ(values[0].lit + values[1].lit + values[2].lit + lineWords.lit, 0);
            break;
        }
        ExpectHue(values[0], difficultyTexts[i % 3]);
        ExpectHue(values[1], fogTexts[i]);
        ExpectHue(values[2], viewTexts[i % 2]);
        // The value ends where its words end.
        EXPECT_EQ(InWords(px, 5, -1, 0.004, Length(fogTexts[i]) + 10, 2000, 1, 1, 1).lit, 0);
    }
}

TEST(MenuDifficulty, EveryFrameAppliesTheDifficultyShown) {
    InitBoard();
    initgame();
    intro = 0;
    menu = 1;
    // An "EXPERT" game, then back to the menu, which shows difficulty 1.
    currMenuItem = 2;
    for (const unsigned char key : {'d', 'd', '8', 'p'}) {
        Keyboard(key, 0, 0);
    }
    ASSERT_EQ(num_ghosts, 8);
    Keyboard('q', 0, 0);
    ASSERT_EQ(menu, 1);
    EXPECT_EQ(num_ghosts, 8);
    Display();
    EXPECT_EQ(num_ghosts, 4);
    EXPECT_EQ(ghostspeed, gobspeed + gobspeed);
    const int ghosts[] = {4, 6, 8};
    for (int d = 1; d <= 3; d++) {
        difficulty = d;
        num_ghosts = 5;
        DisplayMenu();
        EXPECT_EQ(num_ghosts, ghosts[d - 1]);
        EXPECT_EQ(ghostspeed, d == 1 ? 0.4 : 0.2);
    }
}
