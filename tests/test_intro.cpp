// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the intro: each phase's end and hand-over, the shake and the
// accelerating title, driven by moving the recorded readings (lastTime, a
// Timer's start) instead of sleeping; the whole intro on a simulated clock;
// and each phase's picture read back from GL.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "gl_test.h"
#include "stress_common.h"

namespace {

int* const flags[21] = {
    nullptr,        &odalieIntro,  &odaliePause,  &tavishIntro,  &tavishPause,   &kestrelIntro,
    &kestrelPause,  &presentIntro, &presentPause, &runLeft,      &runRight,      &cameraShake,
    &eatGhosts,     &gotGhosts,    &gobSolo,      &towardCamera, &swallowCamera, &mazerushIntro,
    &mazerushPause, &prodIntro,    &prodPause,
};

// Puts the intro at the start of phase p, as the end of phase p - 1 would.
void StartAt(int p) {
    for (int i = 1; i <= 20; i++) {
        *flags[i] = i == p;
    }
    firstTime = 1;
    tim.Reset();
}

// Phase time e for the next tick (plus the microseconds the tick takes).
void SetPhaseTime(double e) {
    lastTime = static_cast<float>(tim.Time() - e);
}

// A usable projection: finite, and not collapsed to a singular matrix.
bool SoundProjection() {
    const std::vector<float> m = gltest::GetFloats(GL_PROJECTION_MATRIX);
    // The perspective-times-look-at matrix is singular exactly when its upper
    // 3 x 3 block (the camera's turn, scaled) is.
    const double det = m[0] * (m[5] * m[10] - m[9] * m[6]) - m[4] * (m[1] * m[10] - m[9] * m[2]) +
                       m[8] * (m[1] * m[6] - m[5] * m[2]);
    return gltest::Finite(m) && std::fabs(det) > 1e-6;
}

}  // namespace

TEST(IntroPhases, TimedPhasesEndJustPastTheirLengthAndHandOverTheirValues) {
    using F = std::optional<float>;
    struct Row {
        int phase;
        double length;
        float* moving;  // the coordinate a formula of the phase time moves
        double halfway;
        F x, y, z;  // set at the end; none: left as the phase had it
    };
    const Row rows[] = {
        {2, 3.0, nullptr, 0, 0.0f, 0.0f, 30.0f}, {4, 3.0, nullptr, 0, 0.0f, 0.0f, 30.0f},
        {6, 3.0, nullptr, 0, 0.0f, 0.0f, 30.0f}, {8, 3.0, nullptr, 0, -15.0f, -1.5f, 10.0f},
        {9, 7.0, &xPos, 0.0, {}, 2.0f, 10.0f},   {10, 7.0, &xPos, 0.0, 0.0f, 0.0f, 10.0f},
        {12, 3.5, &xPos, 0.0, {}, 0.0f, 10.0f},  {13, 7.0, &xPos, 0.0, 15.0f, 0.0f, 10.0f},
        {14, 3.5, &xPos, 7.5, {}, {}, {}},       {15, 3.5, &zPos, 7.5, {}, {}, {}},
        {16, 3.5, &zPos, 3.5, 0.0f, 0.0f, 0.0f}, {18, 3.0, nullptr, 0, 0.0f, 0.0f, 30.0f},
    };
    for (const Row& row : rows) {
        StartAt(row.phase);
        xPos = 1.0f;
        yPos = 1.0f;
        zPos = row.phase == 16 ? 5.0f : 10.0f;
        shakeBase = 9.0f;
        t = 30.0;
        IntroIdle();
        if (row.moving) {
            SetPhaseTime(row.length / 2);
            IntroIdle();
            EXPECT_NEAR(*row.moving, row.halfway, 0.01) << "phase " << row.phase;
        }
        stress::HoldClock(tim, lastTime, row.length);
        IntroIdle();
        ASSERT_EQ(*flags[row.phase], 1) << "phase " << row.phase << " is still on at its length";
        SetPhaseTime(row.length + 0.001);
        IntroIdle();
        EXPECT_EQ(*flags[row.phase], 0) << "phase " << row.phase;
        EXPECT_EQ(*flags[row.phase + 1], 1) << "phase " << row.phase;
        EXPECT_EQ(firstTime, 1);
        EXPECT_EQ(tim.running, 0);
        EXPECT_EQ(xPos, row.x.value_or(xPos)) << "phase " << row.phase;
        EXPECT_EQ(yPos, row.y.value_or(yPos)) << "phase " << row.phase;
        EXPECT_EQ(zPos, row.z.value_or(zPos)) << "phase " << row.phase;
        if (row.phase == 10) {
            EXPECT_EQ(shakeBase, 0.0f);
        }
        if (row.phase == 14) {
            EXPECT_LT(xPos, 0.0f) << "phases 14 to 16 keep an x just below 0";
            EXPECT_GT(xPos, -0.1f);
        }
        if (row.phase == 15) {
            EXPECT_EQ(t, 0.0);
            EXPECT_EQ(openMouth, 1);
        }
    }
}

TEST(IntroPhases, CreditFlightsStartAt30TurnTheUpVectorAndEndAt5) {
    camAxis = 3;
    IntroIdle();
    EXPECT_NEAR(zPos, 30.0f, 0.01f);
    EXPECT_EQ(camAxis, 3) << "no refresh within 0.01 s";
    SetPhaseTime(1.0);
    IntroIdle();
    EXPECT_NEAR(zPos, 20.0f, 0.01f) << "10 units a second";
    EXPECT_EQ(camAxis, 0) << "a quarter turn, modulo four";
    zPos = 5.2f;
    SetPhaseTime(0.015);
    IntroIdle();
    EXPECT_EQ(odalieIntro, 1) << "at 5.05";
    SetPhaseTime(0.02);
    IntroIdle();
    EXPECT_EQ(odaliePause, 1);
    EXPECT_EQ(zPos, 5.0f);
}

TEST(IntroPhases, TheShakeAlternatesAbout0AndEndsAfter121HalfSwings) {
    StartAt(11);
    std::vector<float> peaks;
    for (int tick = 0; cameraShake && tick < 1000; tick++) {
        const int before = shakeCount;
        IntroIdle();
        if (shakeCount != before) {
            peaks.push_back(yPos);
        } else {
            SetPhaseTime(0.02);  // the next tick ends a half-swing
        }
    }
    ASSERT_EQ(peaks.size(), 121u);
    for (size_t i = 0; i + 1 < peaks.size(); i++) {
        EXPECT_NEAR(peaks[i], i % 2 == 0 ? 0.5f : -0.5f, 0.01f) << "half-swing " << i;
    }
    EXPECT_EQ(eatGhosts, 1);
    EXPECT_EQ(std::vector<float>({xPos, yPos, zPos}), std::vector<float>({-15, 0, 10}));
}

TEST(IntroPhases, TitleAndProductionLineAccelerateAndEndAt5) {
    for (int p : {17, 19}) {
        StartAt(p);
        IntroIdle();
        float previous = zPos;
        float lastStep = 0.0f;
        int ticks = 0;
        while (*flags[p] && ticks < 100) {
            tim.start -= 0.05;  // 0.05 s a tick; lastTime stays
            IntroIdle();
            ticks++;
            if (*flags[p]) {
                const float step = std::fabs(zPos - previous);
                EXPECT_GT(step, lastStep) << "phase " << p << " tick " << ticks;
                lastStep = step;
                previous = zPos;
            }
        }
        EXPECT_EQ(*flags[p + 1], 1);
        EXPECT_EQ(zPos, 5.0f);
        // 0.05 (1 + 2 + ... + 14) = 5.25 is the first sum past 5 (x 5 for 25).
        EXPECT_EQ(ticks, 14) << "phase " << p;
    }
}

TEST(IntroRun, PlaysAllTwentyPhasesInOrderToTheMenuWithASoundCameraInEveryFrame) {
    const double dt = 0.05;
    glViewport(0, 0, 160, 110);  // the picture's size does not matter here
    glEnable(GL_FOG);            // the end must turn it off
    DisplayIntro();              // the first frame comes before the first tick
    EXPECT_TRUE(SoundProjection()) << "first frame";
    std::vector<int> order;
    std::vector<double> starts;
    std::vector<int> startTicks;
    // The game's clock: the simulated ticks plus the real time the frames take.
    Timer wall;
    wall.Start();
    double clock = 0.0;
    double longestTick = 0.0;
    for (int tick = 0; intro && tick < 20000; tick++) {
        tim.start -= dt;
        chompTimer.start -= dt;
        const double previous = clock;
        clock = (tick + 1) * dt + wall.Time();
        longestTick = std::max(longestTick, clock - previous);
        IntroIdle();
        // runLeft is set from the start; it counts once phases 1 to 8 are over.
        int phase = 0;
        int set = 0;
        for (int i = 1; i <= 20; i++) {
            if (*flags[i] && !(i == 9 && phase != 0)) {
                phase = phase != 0 ? phase : i;
                set++;
            }
        }
        ASSERT_LE(set, 1) << "one phase at a time";
        if (phase != 0 && (order.empty() || order.back() != phase)) {
            order.push_back(phase);
            starts.push_back(clock);
            startTicks.push_back(tick);
        }
        if (intro) {
            DisplayIntro();
            ASSERT_TRUE(SoundProjection()) << "phase " << phase << " tick " << tick;
        }
    }
    starts.push_back(clock);  // the tick that ends phase 20
    glViewport(0, 0, 800, 552);
    ASSERT_EQ(order.size(), 20u);
    for (int i = 0; i < 20; i++) {
        EXPECT_EQ(order[i], i + 1);
    }
    EXPECT_EQ(intro, 0);
    EXPECT_EQ(menu, 1);
    EXPECT_EQ(fogtype, 0);
    EXPECT_FALSE(glIsEnabled(GL_FOG)) << "SetFog turned the fog off";
    EXPECT_EQ(gltest::GetFloats(GL_COLOR_CLEAR_VALUE, 4)[3], 1.0f) << "SetFog's black";
    // Flights of 25 units at 10 a second, pauses just over 3 s, the chases and
    // approaches their lengths; the title and the production line accelerate.
    // The shake takes two ticks a half-swing, one to start it and one to end it.
    EXPECT_EQ(startTicks[11] - startTicks[10], 2 * 121);
    const double lengths[20] = {2.5, 3.0, 2.5, 3.0, 2.5, 3.0, 2.5, 3.0, 7.0, 7.0,
                                0.0, 3.5, 7.0, 3.5, 3.5, 3.5, 0.7, 3.0, 0.7, 3.0};
    for (int i = 0; i < 20; i++) {
        if (i + 1 == 11) {
            continue;
        }
        EXPECT_NEAR(starts[i + 1] - starts[i], lengths[i], 2.5 * longestTick) << "phase " << i + 1;
    }
}

TEST(IntroPicture, EachPhaseClearsToItsColourWithItsCameraAndAspect) {
    struct Look {
        float r, g, b;
        bool windowAspect;
        bool still;  // eye (0, 0, zPos) whatever xPos and yPos say
    };
    // Phases 1 to 20.
    const Look looks[20] = {
        {1, 1, 1, false, false}, {1, 1, 1, false, true},  {1, 1, 1, false, false},
        {1, 1, 1, false, true},  {1, 1, 1, false, false}, {1, 1, 1, false, true},
        {1, 1, 1, false, false}, {1, 1, 1, false, true},  {1, 0.5f, 0, true, false},
        {0, 1, 1, true, false},  {1, 1, 0, false, false}, {1, 0, 0, true, false},
        {0, 0, 1, true, false},  {1, 1, 1, true, false},  {1, 1, 1, true, false},
        {1, 0, 0, true, false},  {1, 1, 0, false, true},  {1, 1, 0, false, true},
        {1, 1, 0, false, true},  {1, 1, 0, false, true},
    };
    aspect = 800.0 / 552.0;
    const double unit = 276.0 / std::tan(M_PI / 6) / 8.0;  // pixels a unit at distance 8
    for (int p = 1; p <= 20; p++) {
        const Look& look = looks[p - 1];
        StartAt(p);
        xPos = 40.0f;  // far to the side: only the background in view
        yPos = 40.0f;
        zPos = 8.0f;
        DisplayIntro();
        const gltest::Rgb corner = gltest::ReadPixel(2, 2);  // the frame just swapped
        EXPECT_NEAR(corner.r, look.r * 255, 2) << "phase " << p;
        EXPECT_NEAR(corner.g, look.g * 255, 2) << "phase " << p;
        EXPECT_NEAR(corner.b, look.b * 255, 2) << "phase " << p;
        const std::vector<float> clear = gltest::GetFloats(GL_COLOR_CLEAR_VALUE, 4);
        EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f) << "back to black";

        const double c = look.still ? 0.0 : 40.0;
        const gltest::WindowPoint o = gltest::ProjectWorld(c, c, 0.0);
        const gltest::WindowPoint r = gltest::ProjectWorld(c + 1.0, c, 0.0);
        const gltest::WindowPoint u = gltest::ProjectWorld(c, c + 1.0, 0.0);
        EXPECT_NEAR(o.x, 400, 1) << "phase " << p << " looks at its centre";
        EXPECT_NEAR(o.y, 276, 1) << "phase " << p;
        EXPECT_NEAR(u.y - o.y, unit, 1.5) << "phase " << p << " from distance 8, upright";
        EXPECT_NEAR(double(r.x - o.x) / (u.y - o.y), look.windowAspect ? 1.0 : 800.0 / 552.0, 0.03)
            << "phase " << p;
    }
    // The credit flights turn world +y on the screen by camAxis.
    const int screenUp[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    for (int axis = 0; axis < 4; axis++) {
        StartAt(1);
        camAxis = axis;
        xPos = yPos = 0.0f;
        DisplayIntro();
        const gltest::WindowPoint o = gltest::ProjectWorld(0.0, 0.0, 0.0);
        const gltest::WindowPoint u = gltest::ProjectWorld(0.0, 1.0, 0.0);
        EXPECT_NEAR(u.x - o.x, screenUp[axis][0] * unit * 800.0 / 552.0, 2) << "camAxis " << axis;
        EXPECT_NEAR(u.y - o.y, screenUp[axis][1] * unit, 2) << "camAxis " << axis;
    }
}

TEST(IntroPicture, Phase12ShowsBlueGhostsAndAGlowingGobblerAndPhase13OnlyEyes) {
    Init();
    aspect = 800.0 / 552.0;
    t = 30.0;
    StartAt(12);
    xPos = -3.0f;
    yPos = 0.0f;
    zPos = 10.0f;
    DisplayIntro();
    for (double x : {-6.0, -3.0, 0.0}) {
        const gltest::Rgb c = gltest::PixelAtWorld(x, 0.0, 0.8);
        EXPECT_GT(c.b, 200) << "scared ghost at x " << x;
        EXPECT_LT(c.r, 80) << "scared ghost at x " << x;
    }
    // Low on Gobbler's front, away from the light: the red glow over the
    // dimly lit yellow, where the calm Gobbler of phase 9 is plain yellow.
    const gltest::Rgb mad = gltest::PixelAtWorld(3.0, -0.55, 0.55);
    StartAt(9);
    xPos = -3.0f;
    DisplayIntro();
    const gltest::Rgb calm = gltest::PixelAtWorld(-6.0, -0.55, 0.55);
    EXPECT_GT(mad.r, 200);
    EXPECT_GT(mad.g, 30) << "Gobbler, not the red background";
    EXPECT_GT(mad.r - mad.g, 100) << "red glow";
    EXPECT_GT(calm.g, 30);
    EXPECT_NEAR(calm.r, calm.g, 10) << "no glow";

    StartAt(13);
    xPos = 0.0f;
    DisplayIntro();
    for (double x : {-3.0, 0.0, 3.0}) {
        const gltest::Rgb skirt = gltest::PixelAtWorld(x, -0.4, 0.8);
        EXPECT_EQ(skirt.b, 255) << "no body at x " << x;
        EXPECT_EQ(skirt.r + skirt.g, 0) << "no body at x " << x;
        // The eye nearer the camera, on the side the ghost faces.
        const gltest::Rgb eye = gltest::PixelAtWorld(x + 0.59, 0.35, 0.27);
        EXPECT_GT(eye.r, 40) << "an eye at x " << x;
    }
}
