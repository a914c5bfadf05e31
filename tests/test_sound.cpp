// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of what the player hears, through OpenAL itself: its loopback device
// renders exactly what a sound card would be given, on demand. The game's
// real cameras place the listener (HearScreen): a ghost on the camera's left
// is heard in the left channel, a nearer ghost louder than a farther one;
// paused play and a muted game are silent, and nothing passes full scale
// when every sound plays at once.
#define AL_ALEXT_PROTOTYPES
#include <AL/alc.h>
#include <AL/alext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"

namespace {

const int rate = 44100;

// The loudness of each channel of a stretch of the mix.
struct Loudness {
    double left;
    double right;
    double peak;         // of the whole stretch
    double settledPeak;  // after the first tenth
};

class Heard : public ::testing::Test {
protected:
    void SetUp() override {
        ALCdevice* loopback = alcLoopbackOpenDeviceSOFT(nullptr);
        ASSERT_NE(loopback, nullptr);
        const int attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                                  ALC_STEREO_SOFT,
                                  ALC_FORMAT_TYPE_SOFT,
                                  ALC_FLOAT_SOFT,
                                  ALC_FREQUENCY,
                                  rate,
                                  ALC_HRTF_SOFT,
                                  ALC_FALSE,
                                  0};
        ASSERT_TRUE(OpenSoundOn(loopback, attributes));
        device = loopback;
        InitBoard();
        initgame();
        intro = 0;
        menu = 0;
        num_ghosts = 1;
    }

    void TearDown() override {
        CloseSound();
    }

    // Renders seconds of the mix, after a first tenth that lets the voices
    // settle (newer OpenAL Soft fades a paused or stopped source out over a
    // few milliseconds rather than cutting it), and measures each channel.
    Loudness Render(double seconds) {
        std::vector<float> mix(static_cast<size_t>(2 * rate * (seconds + 0.1)));
        alcRenderSamplesSOFT(device, mix.data(), static_cast<ALCsizei>(mix.size() / 2));
        Loudness l{0.0, 0.0, 0.0, 0.0};
        const size_t settle = 2 * rate / 10;
        for (size_t i = settle; i + 1 < mix.size(); i += 2) {
            l.left += mix[i] * mix[i];
            l.right += mix[i + 1] * mix[i + 1];
        }
        for (size_t i = 0; i < mix.size(); i++) {
            const double level = std::fabs(mix[i]);
            l.peak = std::max(l.peak, level);
            if (i >= settle) {
                l.settledPeak = std::max(l.settledPeak, level);
            }
        }
        const double n = static_cast<double>(mix.size() - settle) / 2.0;
        l.left = std::sqrt(l.left / n);
        l.right = std::sqrt(l.right / n);
        return l;
    }

    // Gobbler at (row, col), ghost 0 at (row + rows, col + cols), in the
    // view asked for; what the player hears of it.
    Loudness GhostAt(int threeD, int rows, int cols) {
        ThreeDView = threeD;
        gobx = 15;
        gobz = 14;
        ghost[0].x = gobx + rows;
        ghost[0].z = gobz + cols;
        HearScreen();
        return Render(0.3);
    }

    ALCdevice* device = nullptr;
};

}  // namespace

// From behind Gobbler the camera looks up the rows: a ghost a few rows
// back is on its left, a few rows on, its right. From above, the player
// listens from Gobbler: a ghost in a column to the left on the screen is
// heard on the left.
TEST_F(Heard, AGhostIsHeardOnTheSideTheViewShowsItOn) {
    const struct {
        int threeD;
        int rows;
        int cols;
        bool left;
    } cases[] = {
        {1, -3, 0, true},
        {1, 3, 0, false},
        {0, 0, -3, true},
        {0, 0, 3, false},
    };
    for (const auto& c : cases) {
        const Loudness l = GhostAt(c.threeD, c.rows, c.cols);
        const double louder = c.left ? l.left / l.right : l.right / l.left;
        EXPECT_GT(louder, 2.0) << "3D " << c.threeD << ", ghost " << c.rows << " rows and "
                               << c.cols << " columns off: left " << l.left << ", right "
                               << l.right;
    }
}

// A ghost two cells off is heard louder than one ten cells off, in either
// view; one of eight in the far corner is not heard at all while three are
// nearer.
TEST_F(Heard, NearerGhostsAreLouderAndOnlyTheNearestFewSound) {
    for (const int threeD : {0, 1}) {
        const double near = GhostAt(threeD, 0, 2).right;
        const double far = GhostAt(threeD, 0, 10).right;
        EXPECT_GT(near, far * 1.5) << "3D " << threeD;
    }
    ThreeDView = 0;
    num_ghosts = 5;
    for (int i = 0; i < 4; i++) {
        ghost[i].x = 15;
        ghost[i].z = 14 - 1 - i;  // left of Gobbler on the screen
    }
    ghost[4].x = 15;
    ghost[4].z = 27;  // far right
    HearScreen();
    const Loudness l = Render(0.3);
    EXPECT_GT(l.left, 0.0);
    EXPECT_LT(l.right, l.left / 10.0) << "the farthest of five ghosts was heard";
}

// Paused play and a muted game are silent; the blue period's tone sounds
// while it lasts, heard alike on both sides.
TEST_F(Heard, PauseAndMuteSilenceAndTheBluePeriodSounds) {
    num_ghosts = 0;
    StartPowerPeriod();
    HearScreen();
    const Loudness blue = Render(0.5);
    EXPECT_GT(blue.left, 0.01);
    EXPECT_NEAR(blue.left / blue.right, 1.0, 0.05);
    gamePaused = 1;
    HearScreen();
    EXPECT_EQ(Render(0.3).settledPeak, 0.0) << "paused play sounded";
    gamePaused = 0;
    HearScreen();
    EXPECT_GT(Render(0.3).left, 0.01) << "the blue tone did not come back after the pause";
    ToggleMute();
    HearScreen();
    EXPECT_EQ(Render(0.3).settledPeak, 0.0) << "the muted game sounded";
    ToggleMute();
    EndPowerPeriod();
    HearScreen();
    EXPECT_EQ(Render(0.3).settledPeak, 0.0) << "the blue tone outlived the period";
}

// Every sound at once, the ghosts nearest the camera: OpenAL's mix stays
// within full scale.
TEST_F(Heard, EverySoundAtOnceStaysWithinFullScale) {
    ThreeDView = 1;
    num_ghosts = maxGhosts;
    for (int i = 0; i < maxGhosts; i++) {
        ghost[i].x = gobx;
        ghost[i].z = gobz;
    }
    HearScreen();
    RestartBlue();
    for (int s = 0; s < SOUND_COUNT; s++) {
        if (!SoundInfo(static_cast<soundT>(s)).loops) {
            PlaySound(static_cast<soundT>(s));
        }
    }
    EXPECT_LE(Render(1.0).peak, 1.0);
}
