// Tests of the intro: each phase's entry, work, end and hand-over, driven by
// moving the recorded readings (lastTime, a Timer's start) instead of
// sleeping; the whole intro on a simulated clock; and each phase's picture
// (clear colour, projection, characters) read back from GL.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "../game/mazerush.h"
#include "gl_test.h"

namespace {

// The phase flags in phase order, as the intro runs them.
int* const flags[21] = {
    nullptr,        &odalieIntro,  &odaliePause,  &tavishIntro,  &tavishPause,   &kestrelIntro,
    &kestrelPause,  &presentIntro, &presentPause, &runLeft,      &runRight,      &cameraShake,
    &eatGhosts,     &gotGhosts,    &gobSolo,      &towardCamera, &swallowCamera, &mazerushIntro,
    &mazerushPause, &prodIntro,    &prodPause,
};

// Puts the intro at the start of phase p, as the end of phase p - 1 would.
void StartAt(int p) {
    for (int i = 1; i <= 20; i++) {
        *flags[i] = 0;
    }
    *flags[p] = 1;
    firstTime = 1;
    tim.Reset();
}

// The set phase flags; runLeft counts only once phases 1 to 8 are over.
std::vector<int> SetPhases() {
    std::vector<int> set;
    for (int i = 1; i <= 20; i++) {
        if (*flags[i]) {
            set.push_back(i);
        }
    }
    if (set.size() > 1 && set.front() <= 8 && runLeft) {
        set.erase(std::find(set.begin(), set.end(), 9));
    }
    return set;
}

// The phase the idle step acts on.
int CurrentPhase() {
    for (int i = 1; i <= 20; i++) {
        if (*flags[i]) {
            return i;
        }
    }
    return 0;
}

// Lets s seconds pass on a running timer, as the wall clock would.
void Advance(Timer& timer, double s) {
    if (timer.running) {
        timer.start -= s;
    }
}

// Makes the next tick of the current phase see phase time e (plus the few
// microseconds the tick itself takes).
void SetPhaseTime(double e) {
    lastTime = static_cast<float>(tim.Time() - e);
}

// Stops the phase stopwatch at a reading that gives exactly phase time e.
void FreezePhaseTime(double e) {
    tim.Reset();
    tim.elapsed = 10.0;
    lastTime = static_cast<float>(10.0 - e);
}

bool Finite(const std::vector<float>& m) {
    for (float v : m) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

// The determinant of a column-major 4 x 4 matrix.
double Determinant(const std::vector<float>& m) {
    double a[4][4];
    for (int i = 0; i < 16; i++) {
        a[i % 4][i / 4] = m[i];
    }
    double det = 1.0;
    for (int c = 0; c < 4; c++) {
        int p = c;
        for (int r = c + 1; r < 4; r++) {
            if (std::fabs(a[r][c]) > std::fabs(a[p][c])) {
                p = r;
            }
        }
        if (a[p][c] == 0.0) {
            return 0.0;
        }
        if (p != c) {
            for (int k = 0; k < 4; k++) {
                std::swap(a[p][k], a[c][k]);
            }
            det = -det;
        }
        det *= a[c][c];
        for (int r = c + 1; r < 4; r++) {
            const double f = a[r][c] / a[c][c];
            for (int k = c; k < 4; k++) {
                a[r][k] -= f * a[c][k];
            }
        }
    }
    return det;
}

// A usable camera: finite and not collapsed.
void ExpectSoundProjection(const char* where) {
    const std::vector<float> m = gltest::GetMatrix(GL_PROJECTION_MATRIX);
    EXPECT_TRUE(Finite(m)) << where;
    EXPECT_GT(std::fabs(Determinant(m)), 1e-9) << where;
}

}  // namespace

// ---------------------------------------------------------------------------
// Credit flights and pauses
// ---------------------------------------------------------------------------

TEST(IntroCredits, FlightRunsFrom30To5TurningTheUpVectorAtEachRefresh) {
    IntroIdle();  // first tick of phase 1
    EXPECT_EQ(firstTime, 0);
    EXPECT_EQ(tim.running, 1);
    EXPECT_NEAR(zPos, 30.0f, 0.01f);
    EXPECT_EQ(camAxis, 0);  // no refresh within 0.01 s

    SetPhaseTime(1.0);  // one second at 10 units a second
    IntroIdle();
    EXPECT_NEAR(zPos, 20.0f, 0.01f);
    EXPECT_EQ(camAxis, 1);
    EXPECT_NEAR(lastTime, 0.0f, 0.01f);  // the stopwatch started afresh

    for (int i = 0; i < 3; i++) {
        SetPhaseTime(0.02);
        IntroIdle();
    }
    EXPECT_EQ(camAxis, 0) << "the up vector turns modulo four";
    EXPECT_NEAR(zPos, 19.4f, 0.01f);

    zPos = 5.2f;  // still short of the end
    SetPhaseTime(0.015);
    IntroIdle();
    EXPECT_EQ(odalieIntro, 1);
    EXPECT_NEAR(zPos, 5.05f, 0.01f);

    SetPhaseTime(0.02);  // past 5: the flight ends and the pause begins
    IntroIdle();
    EXPECT_EQ(odalieIntro, 0);
    EXPECT_EQ(odaliePause, 1);
    EXPECT_EQ(zPos, 5.0f);
    EXPECT_EQ(xPos, 0.0f);
    EXPECT_EQ(yPos, 0.0f);
    EXPECT_EQ(firstTime, 1);
    EXPECT_EQ(tim.running, 0);
    EXPECT_EQ(tim.elapsed, 0.0);
}

TEST(IntroCredits, EveryFlightStartsAt30AndCamAxisCarriesOver) {
    for (int p : {3, 5, 7}) {
        StartAt(p);
        camAxis = 2;
        zPos = 77.0f;
        IntroIdle();
        EXPECT_NEAR(zPos, 30.0f, 0.01f) << "phase " << p;
        EXPECT_EQ(xPos, 0.0f);
        EXPECT_EQ(yPos, 0.0f);
        EXPECT_EQ(camAxis, 2) << "not reset between flights";
        SetPhaseTime(2.6);
        IntroIdle();
        EXPECT_EQ(*flags[p], 0);
        EXPECT_EQ(*flags[p + 1], 1);
        EXPECT_EQ(zPos, 5.0f);
    }
}

TEST(IntroCredits, PausesLastJustOver3SecondsAndSendTheCameraBackTo30) {
    for (int p : {2, 4, 6}) {
        StartAt(p);
        zPos = 5.0f;
        IntroIdle();
        EXPECT_EQ(zPos, 5.0f) << "a pause moves nothing";
        FreezePhaseTime(3.0);
        IntroIdle();
        EXPECT_EQ(*flags[p], 1) << "phase " << p << " is still on at 3 s";
        SetPhaseTime(3.001);
        IntroIdle();
        EXPECT_EQ(*flags[p], 0);
        EXPECT_EQ(*flags[p + 1], 1);
        EXPECT_EQ(zPos, 30.0f);
        EXPECT_EQ(xPos, 0.0f);
        EXPECT_EQ(yPos, 0.0f);
    }
    StartAt(8);  // the last pause sets up the first chase
    IntroIdle();
    SetPhaseTime(3.001);
    IntroIdle();
    EXPECT_EQ(presentPause, 0);
    EXPECT_EQ(runLeft, 1);
    EXPECT_EQ(xPos, -15.0f);
    EXPECT_EQ(yPos, -1.5f);
    EXPECT_EQ(zPos, 10.0f);
}

// ---------------------------------------------------------------------------
// Chases and the camera's approach
// ---------------------------------------------------------------------------

// One row per timed travelling phase: its length, the camera coordinate it
// moves and where that coordinate is halfway, at the start and at the end.
struct TravelRow {
    int phase;
    double length;
    float* coordinate;
    double start;
    double end;
};

TEST(IntroChases, TravelsRunTheirCourseAndEndJustPastTheirLength) {
    const TravelRow rows[] = {
        {9, 7.0, &xPos, -15.0, 15.0},  {10, 7.0, &xPos, 15.0, -15.0}, {12, 3.5, &xPos, -15.0, 15.0},
        {13, 7.0, &xPos, 15.0, -15.0}, {14, 3.5, &xPos, 15.0, 0.0},   {15, 3.5, &zPos, 10.0, 5.0},
        {16, 3.5, &zPos, 5.0, 2.0},
    };
    for (const TravelRow& row : rows) {
        StartAt(row.phase);
        xPos = 1.0f;
        yPos = 1.0f;
        zPos = 10.0f;
        if (row.phase == 16) {
            zPos = 5.0f;
        }
        IntroIdle();
        EXPECT_NEAR(*row.coordinate, row.start, 0.01) << "phase " << row.phase;
        SetPhaseTime(row.length / 2);
        IntroIdle();
        EXPECT_NEAR(*row.coordinate, (row.start + row.end) / 2, 0.01) << "phase " << row.phase;
        FreezePhaseTime(row.length);
        IntroIdle();
        EXPECT_EQ(*flags[row.phase], 1) << "phase " << row.phase << " is still on at its length";
        EXPECT_NEAR(*row.coordinate, row.end, 0.01);
        SetPhaseTime(row.length + 0.001);
        IntroIdle();
        EXPECT_EQ(*flags[row.phase], 0) << "phase " << row.phase;
        EXPECT_EQ(*flags[row.phase + 1], 1) << "phase " << row.phase;
        EXPECT_EQ(firstTime, 1);
    }
}

TEST(IntroChases, EndsHandOverTheirCameras) {
    StartAt(9);
    IntroIdle();
    EXPECT_EQ(yPos, -1.5f);
    EXPECT_EQ(zPos, 10.0f);
    SetPhaseTime(7.01);
    IntroIdle();
    EXPECT_EQ(yPos, 2.0f);
    EXPECT_EQ(zPos, 10.0f);
    EXPECT_NEAR(xPos, 15.0f, 0.05f) << "the last computed pan stays";

    IntroIdle();  // phase 10
    shakeBase = 9.0f;
    SetPhaseTime(7.01);
    IntroIdle();
    EXPECT_EQ(cameraShake, 1);
    EXPECT_EQ(xPos, 0.0f);
    EXPECT_EQ(yPos, 0.0f);
    EXPECT_EQ(zPos, 10.0f);
    EXPECT_EQ(shakeBase, 0.0f);

    StartAt(12);
    IntroIdle();
    SetPhaseTime(3.51);
    IntroIdle();
    EXPECT_EQ(gotGhosts, 1);
    EXPECT_EQ(yPos, 0.0f);
    EXPECT_EQ(zPos, 10.0f);

    IntroIdle();  // phase 13
    SetPhaseTime(7.01);
    IntroIdle();
    EXPECT_EQ(gobSolo, 1);
    EXPECT_EQ(xPos, 15.0f);

    IntroIdle();  // phase 14 ends just below 0 and phases 15, 16 keep it
    SetPhaseTime(3.51);
    IntroIdle();
    EXPECT_EQ(towardCamera, 1);
    EXPECT_LT(xPos, 0.0f);
    EXPECT_GT(xPos, -0.1f);
    const float kept = xPos;

    IntroIdle();  // phase 15
    t = 30.0;
    openMouth = 0;
    SetPhaseTime(3.51);
    IntroIdle();
    EXPECT_EQ(swallowCamera, 1);
    EXPECT_EQ(t, 0.0);
    EXPECT_EQ(openMouth, 1);
    EXPECT_EQ(xPos, kept);

    IntroIdle();  // phase 16
    EXPECT_EQ(xPos, kept);
    SetPhaseTime(3.51);
    IntroIdle();
    EXPECT_EQ(mazerushIntro, 1);
    EXPECT_EQ(xPos, 0.0f);
    EXPECT_EQ(yPos, 0.0f);
    EXPECT_EQ(zPos, 0.0f);
}

// ---------------------------------------------------------------------------
// Camera shake
// ---------------------------------------------------------------------------

TEST(IntroShake, AlternatesAbout0AndEndsAfter121HalfSwings) {
    StartAt(11);
    xPos = 0.0f;
    zPos = 10.0f;
    std::vector<float> peaks;
    int ticks = 0;
    while (cameraShake && ticks < 2000) {
        const int before = shakeCount;
        IntroIdle();
        ticks++;
        if (ticks == 1) {
            EXPECT_EQ(shakeUp, 1);
            EXPECT_EQ(shakeRestart, 0);
            EXPECT_EQ(shakeCount, 0);
        }
        if (shakeCount != before) {
            peaks.push_back(yPos);
        } else {
            EXPECT_NEAR(yPos, 0.0f, 0.01f) << "a half-swing starts at the base";
            SetPhaseTime(0.02);  // the next tick completes a half-swing
        }
    }
    // The 121st half-swing ends the phase, which puts the camera back at 0.
    ASSERT_EQ(peaks.size(), 121u);
    EXPECT_EQ(peaks.back(), 0.0f);
    peaks.pop_back();
    for (size_t i = 0; i < peaks.size(); i++) {
        EXPECT_NEAR(std::fabs(peaks[i]), 0.5f, 0.01f);
        EXPECT_EQ(peaks[i] > 0.0f, i % 2 == 0) << "half-swing " << i;
    }
    EXPECT_EQ(eatGhosts, 1);
    EXPECT_EQ(xPos, -15.0f);
    EXPECT_EQ(yPos, 0.0f);
    EXPECT_EQ(zPos, 10.0f);
}

TEST(IntroShake, AHalfSwingLastsUntilMoreThan0_01Seconds) {
    StartAt(11);
    IntroIdle();
    SetPhaseTime(0.005);
    IntroIdle();
    EXPECT_EQ(shakeCount, 0);
    EXPECT_NEAR(yPos, 0.125f, 0.005f);
    SetPhaseTime(0.011);
    IntroIdle();
    EXPECT_EQ(shakeCount, 1);
    EXPECT_EQ(shakeUp, 0);
    EXPECT_EQ(shakeRestart, 1);
}

// ---------------------------------------------------------------------------
// Title and production line
// ---------------------------------------------------------------------------

TEST(IntroTitle, Phases17And19AccelerateAndEndAt5) {
    StartAt(17);
    zPos = 0.0f;
    IntroIdle();
    EXPECT_NEAR(zPos, 0.0f, 0.001f);
    float previous = zPos;
    float lastStep = 0.0f;
    int ticks = 0;
    while (mazerushIntro && ticks < 100) {
        Advance(tim, 0.05);
        IntroIdle();
        ticks++;
        if (mazerushIntro) {
            const float step = zPos - previous;
            EXPECT_GT(step, lastStep) << "tick " << ticks;
            lastStep = step;
            previous = zPos;
        }
    }
    EXPECT_EQ(mazerushPause, 1);
    EXPECT_EQ(zPos, 5.0f);
    // e(e + 0.05)/0.1 > 5 first at e = 0.7, the 14th tick.
    EXPECT_NEAR(ticks, 14, 1);

    IntroIdle();
    SetPhaseTime(3.01);
    IntroIdle();
    EXPECT_EQ(prodIntro, 1);
    EXPECT_EQ(zPos, 30.0f);

    IntroIdle();
    EXPECT_NEAR(zPos, 30.0f, 0.01f);
    previous = zPos;
    lastStep = 0.0f;
    ticks = 0;
    while (prodIntro && ticks < 100) {
        Advance(tim, 0.05);
        IntroIdle();
        ticks++;
        if (prodIntro) {
            const float step = previous - zPos;
            EXPECT_GT(step, lastStep) << "tick " << ticks;
            lastStep = step;
            previous = zPos;
        }
    }
    EXPECT_EQ(prodPause, 1);
    EXPECT_EQ(zPos, 5.0f);
    EXPECT_NEAR(ticks, 14, 1);
}

TEST(IntroEnd, TheLastPauseOpensTheMenuWithFogOff) {
    StartAt(20);
    t = 25.0;
    openMouth = 0;
    fogtype = 2;
    glEnable(GL_FOG);
    IntroIdle();
    SetPhaseTime(2.99);
    IntroIdle();
    EXPECT_EQ(intro, 1);
    SetPhaseTime(3.01);
    IntroIdle();
    EXPECT_EQ(intro, 0);
    EXPECT_EQ(menu, 1);
    EXPECT_EQ(prodPause, 0);
    EXPECT_EQ(t, 0.0);
    EXPECT_EQ(openMouth, 1);
    EXPECT_EQ(fogtype, 0);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    GLfloat density = 0.0f;
    glGetFloatv(GL_FOG_DENSITY, &density);
    EXPECT_FLOAT_EQ(density, 0.1f) << "fog state comes from SetFog";
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.0f);
    EXPECT_EQ(clear[3], 1.0f) << "SetFog's black";
}

// ---------------------------------------------------------------------------
// The intro's mouth
// ---------------------------------------------------------------------------

TEST(IntroMouth, StepsFiveDegreesOnceMoreThanATenthHasPassed) {
    IntroIdle();  // starts chompTimer
    EXPECT_EQ(firstChomp, 0);
    EXPECT_EQ(chompTimer.running, 1);
    EXPECT_EQ(t, 0.0);
    chompLastTime = chompCurrTime - 0.09f;
    IntroIdle();
    EXPECT_EQ(t, 0.0);
    std::vector<double> seen;
    for (int i = 0; i < 22; i++) {
        chompLastTime = static_cast<float>(chompTimer.Time() - 0.11);
        IntroIdle();
        seen.push_back(t);
    }
    const std::vector<double> expected = {5,  10, 15, 20, 25, 30, 35, 40, 45, 50, 45,
                                          40, 35, 30, 25, 20, 15, 10, 5,  0,  5,  10};
    EXPECT_EQ(seen, expected);
}

// ---------------------------------------------------------------------------
// The whole intro on a simulated clock
// ---------------------------------------------------------------------------

TEST(IntroRun, PlaysAllTwentyPhasesInOrderToTheMenuWithASoundCameraInEveryFrame) {
    const double dt = 0.05;
    glViewport(0, 0, 160, 110);  // the picture's size does not matter here
    std::vector<int> order;
    std::vector<double> lengths;
    double clock = 0.0;
    double phaseStart = 0.0;
    int ticks = 0;
    glEnable(GL_FOG);
    DisplayIntro();  // the first frame comes before the first tick
    ExpectSoundProjection("first frame");
    while (intro && ticks < 20000) {
        Advance(tim, dt);
        Advance(chompTimer, dt);
        clock += dt;
        IntroIdle();
        ticks++;
        const std::vector<int> set = SetPhases();
        ASSERT_LE(set.size(), 1u) << "one phase at a time, tick " << ticks;
        const int phase = CurrentPhase();
        if (phase != 0 && (order.empty() || order.back() != phase)) {
            if (!order.empty()) {
                lengths.push_back(clock - phaseStart);
            }
            order.push_back(phase);
            phaseStart = clock;
        }
        if (!intro) {
            lengths.push_back(clock - phaseStart);
            break;
        }
        DisplayIntro();
        if (phase == 17 || ticks % 25 == 0) {
            ExpectSoundProjection("phase");
        }
        const std::vector<float> m = gltest::GetMatrix(GL_PROJECTION_MATRIX);
        ASSERT_TRUE(Finite(m)) << "phase " << phase << " tick " << ticks;
    }
    glViewport(0, 0, 800, 552);
    std::vector<int> all;
    for (int i = 1; i <= 20; i++) {
        all.push_back(i);
    }
    EXPECT_EQ(order, all);
    EXPECT_EQ(intro, 0);
    EXPECT_EQ(menu, 1);
    EXPECT_EQ(fogtype, 0);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    ASSERT_EQ(lengths.size(), 20u);
    // Flights at 10 units a second (25 units), pauses just over 3 s, the
    // chases and approaches their lengths, the shake two ticks a half-swing.
    const double expected[20] = {2.5,          3.0, 2.5, 3.0, 2.5, 3.0, 2.5, 3.0, 7.0, 7.0,
                                 121 * 2 * dt, 3.5, 7.0, 3.5, 3.5, 3.5, 0.0, 3.0, 0.0, 3.0};
    for (int i = 0; i < 20; i++) {
        if (i == 16 || i == 18) {
            EXPECT_LT(lengths[i], 1.0) << "phase " << i + 1 << " accelerates";
        } else {
            EXPECT_NEAR(lengths[i], expected[i], 2.5 * dt) << "phase " << i + 1;
        }
    }
}

// ---------------------------------------------------------------------------
// The pictures
// ---------------------------------------------------------------------------

namespace {

// Pixel offsets on the screen of one unit along x and along y at the
// camera's centre (xc, yc, 0).
void UnitOffsets(double xc, double yc, double* right, double* up, double* upX) {
    int cx = 0;
    int cy = 0;
    int px = 0;
    int py = 0;
    int qx = 0;
    int qy = 0;
    gltest::ProjectWorld(xc, yc, 0.0, &cx, &cy);
    gltest::ProjectWorld(xc + 1.0, yc, 0.0, &px, &py);
    gltest::ProjectWorld(xc, yc + 1.0, 0.0, &qx, &qy);
    *right = px - cx;
    *up = qy - cy;
    *upX = qx - cx;
}

}  // namespace

TEST(IntroPicture, EachPhaseClearsToItsColourWithItsCameraAndAspect) {
    struct Look {
        int phase;
        float r, g, b;
        bool windowAspect;
        bool still;  // eye (0, 0, zPos) whatever xPos and yPos
    };
    const Look looks[] = {
        {1, 1, 1, 1, false, false}, {2, 1, 1, 1, false, true},   {3, 1, 1, 1, false, false},
        {4, 1, 1, 1, false, true},  {5, 1, 1, 1, false, false},  {6, 1, 1, 1, false, true},
        {7, 1, 1, 1, false, false}, {8, 1, 1, 1, false, true},   {9, 1, 0.5f, 0, true, false},
        {10, 0, 1, 1, true, false}, {11, 1, 1, 0, false, false}, {12, 1, 0, 0, true, false},
        {13, 0, 0, 1, true, false}, {14, 1, 1, 1, true, false},  {15, 1, 1, 1, true, false},
        {16, 1, 0, 0, true, false}, {17, 1, 1, 0, false, true},  {18, 1, 1, 0, false, true},
        {19, 1, 1, 0, false, true}, {20, 1, 1, 0, false, true},
    };
    aspect = 800.0 / 552.0;
    camAxis = 0;
    for (const Look& look : looks) {
        StartAt(look.phase);
        xPos = 40.0f;  // far off to the side: only the background in view
        yPos = 40.0f;
        zPos = 8.0f;
        DisplayIntro();
        glReadBuffer(GL_BACK);
        const gltest::Rgb corner = gltest::ReadPixel(2, 2);
        glReadBuffer(GL_BACK);
        EXPECT_NEAR(corner.r, look.r * 255, 2) << "phase " << look.phase;
        EXPECT_NEAR(corner.g, look.g * 255, 2) << "phase " << look.phase;
        EXPECT_NEAR(corner.b, look.b * 255, 2) << "phase " << look.phase;
        GLfloat clear[4];
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f) << "back to black";

        ExpectSoundProjection("picture");
        const double xc = look.still ? 0.0 : 40.0;
        int cx = 0;
        int cy = 0;
        gltest::ProjectWorld(xc, look.still ? 0.0 : 40.0, 0.0, &cx, &cy);
        EXPECT_NEAR(cx, 400, 1) << "phase " << look.phase << " looks at its centre";
        EXPECT_NEAR(cy, 276, 1) << "phase " << look.phase;
        double right = 0.0;
        double up = 0.0;
        double upX = 0.0;
        UnitOffsets(xc, look.still ? 0.0 : 40.0, &right, &up, &upX);
        // 60 degrees over 552 pixels at distance 8: a unit is 59.75 high.
        EXPECT_NEAR(up, 276.0 / std::tan(M_PI / 6) / 8.0, 1.5) << "phase " << look.phase;
        const double widthRatio = look.windowAspect ? 1.0 : 800.0 / 552.0;
        EXPECT_NEAR(right / up, widthRatio, 0.03) << "phase " << look.phase;
    }
}

TEST(IntroPicture, CreditFlightsTurnTheUpVectorByCamAxisAndPausesStandUpright) {
    // The direction on screen of world +y for camAxis 0..3.
    const int screenUpOfWorldY[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
    aspect = 800.0 / 552.0;
    for (int axis = 0; axis < 4; axis++) {
        StartAt(1);
        camAxis = axis;
        xPos = 0.0f;
        yPos = 0.0f;
        zPos = 20.0f;
        DisplayIntro();
        double right = 0.0;
        double up = 0.0;
        double upX = 0.0;
        UnitOffsets(0.0, 0.0, &right, &up, &upX);
        const double len = std::sqrt(up * up + upX * upX);
        EXPECT_NEAR(upX / len, screenUpOfWorldY[axis][0], 0.01) << "camAxis " << axis;
        EXPECT_NEAR(up / len, screenUpOfWorldY[axis][1], 0.01) << "camAxis " << axis;

        StartAt(2);
        DisplayIntro();
        UnitOffsets(0.0, 0.0, &right, &up, &upX);
        EXPECT_GT(up, 0.0) << "pauses are upright";
        EXPECT_NEAR(upX, 0.0, 1.0);
    }
}

TEST(IntroPicture, TheSwallowedCameraStillHasASoundProjection) {
    // The tick that ends phase 16 leaves the eye on the centre (0, 0, 0).
    StartAt(16);
    zPos = 5.0f;
    IntroIdle();
    SetPhaseTime(3.51);
    IntroIdle();
    ASSERT_EQ(mazerushIntro, 1);
    ASSERT_EQ(zPos, 0.0f);
    DisplayIntro();
    ExpectSoundProjection("first frame of phase 17");
    // And the program's very first frame, before any tick, at zPos 0.
    StartAt(1);
    zPos = 0.0f;
    DisplayIntro();
    ExpectSoundProjection("first frame of phase 1");
}

TEST(IntroPicture, TheIntroLeavesTheModelViewMatrixAlone) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (int p = 1; p <= 20; p++) {
        StartAt(p);
        xPos = 0.0f;
        yPos = 0.0f;
        zPos = 10.0f;
        DisplayIntro();
        const std::vector<float> m = gltest::GetMatrix(GL_MODELVIEW_MATRIX);
        for (int i = 0; i < 16; i++) {
            EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << "phase " << p;
        }
        GLint depth = 0;
        glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, 1) << "phase " << p;
    }
}
