// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the synthesiser: every sound as a player would hear it, measured
// from its samples: its length against the moment it marks, its pitch, its
// envelope (no click at its ends or within), a loop's seamless join, and
// levels that keep everything within full scale when all of it plays at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>  // abs
#include <vector>

#include "../game/mazerush.h"  // gobPowerSpeed, Gobbler's quick step
#include "../sound/synth.h"
#include "../tools/drive/match.h"

using samplesT = std::vector<int16_t>;

static const double fullScale = 32767.0;

static soundT Sound(int index) {
    return static_cast<soundT>(index);
}

static double Seconds(const samplesT& samples) {
    return static_cast<double>(samples.size()) / synthRate;
}

static double Top(soundT sound) {
    return SoundInfo(sound).level * fullScale;
}

// The part of the samples from `from` to `to` seconds.
static samplesT Stretch(const samplesT& samples, double from, double to) {
    const auto begin = static_cast<size_t>(from * synthRate);
    const auto end = std::min(samples.size(), static_cast<size_t>(to * synthRate));
    return samplesT(samples.begin() + static_cast<long>(begin),
                    samples.begin() + static_cast<long>(end));
}

// How alike two runs of samples are (tools/drive/match.h).
using drive::Match;

// The pitch of the samples in Hz, between 40 Hz and 4 kHz: the shortest lag
// at which they come close to repeating (their match with themselves, that
// lag later, within 0.9 of the best), so that a pitch is never taken for its
// octave below.
static double PitchHz(const samplesT& x) {
    const size_t shortest = synthRate / 4000;
    const size_t longest = std::min<size_t>(synthRate / 40, x.size() / 2);
    std::vector<double> match(longest + 1, 0.0);
    for (size_t lag = shortest; lag <= longest; lag++) {
        match[lag] = Match(x.data(), x.data() + lag, x.size() - lag);
    }
    const double best = *std::max_element(match.begin(), match.end());
    for (size_t lag = shortest + 1; lag < longest; lag++) {
        if (match[lag] >= 0.9 * best && match[lag] >= match[lag - 1] &&
            match[lag] >= match[lag + 1]) {
            return static_cast<double>(synthRate) / static_cast<double>(lag);
        }
    }
    return 0.0;
}

// The frequency of the sine whose steps from sample to sample are as large,
// against its size, as the samples' are: a measure of how bright they sound,
// which harmonics raise above the pitch.
static double BrightnessHz(const samplesT& x) {
    double power = 0.0;
    double stepPower = 0.0;
    for (size_t i = 0; i + 1 < x.size(); i++) {
        power += static_cast<double>(x[i]) * x[i];
        stepPower += std::pow(static_cast<double>(x[i + 1]) - x[i], 2.0);
    }
    return synthRate / M_PI * std::asin(std::min(1.0, std::sqrt(stepPower / power) / 2.0));
}

// The first sample at which the samples click: bend more sharply than a
// smooth wave can there. A wave of harmonics up to the sixth of pitch f, of
// peak A, has third differences (x[i+3] - 3 x[i+2] + 3 x[i+1] - x[i]) of at
// most (2 pi 6 f / synthRate)^3 A, as each difference takes at most the
// factor 2 pi 6 f / synthRate off it (Bernstein's inequality); a step in the
// samples gives twice the step. Around each 5 ms, f is taken from the
// shortest gap between zero crossings within 25 ms, which a harmonic can
// only shorten, and A is the peak there. Returns -1 when there is none.
static long FirstClick(const samplesT& x) {
    const double topHarmonic = 6.0;
    const double lowestHz = 30.0;
    const double quantum = 8.0;  // the rounding of four samples
    const size_t block = synthRate / 200;
    const size_t reach = 2;  // blocks on either side
    for (size_t b = 0; b * block < x.size(); b++) {
        const size_t from = b >= reach ? (b - reach) * block : 0;
        const size_t to = std::min(x.size(), (b + reach + 1) * block);
        size_t lastCrossing = 0;
        size_t shortestGap = synthRate;
        double peak = 0.0;
        for (size_t i = from; i < to; i++) {
            peak = std::max(peak, std::fabs(static_cast<double>(x[i])));
            if (i > from && (x[i - 1] < 0) != (x[i] < 0)) {
                if (lastCrossing > 0) {
                    shortestGap = std::min(shortestGap, i - lastCrossing);
                }
                lastCrossing = i;
            }
        }
        const double hz = std::max(lowestHz, synthRate / (2.0 * shortestGap));
        const double turn = std::min(2.0, 2.0 * M_PI * topHarmonic * hz / synthRate);
        const double allowed = std::pow(turn, 3.0) * peak + quantum;
        for (size_t i = b * block; i + 3 < x.size() && i < (b + 1) * block; i++) {
            if (std::abs(x[i + 3] - 3 * x[i + 2] + 3 * x[i + 1] - x[i]) > allowed) {
                return static_cast<long>(i);
            }
        }
    }
    return -1;
}

// The largest step from one sample to the next.
static int LargestStep(const samplesT& x) {
    int largest = 0;
    for (size_t i = 0; i + 1 < x.size(); i++) {
        largest = std::max(largest, std::abs(x[i + 1] - x[i]));
    }
    return largest;
}

static int Peak(const samplesT& x) {
    int peak = 0;
    for (const int16_t sample : x) {
        peak = std::max(peak, std::abs(sample));
    }
    return peak;
}

static double Rms(const samplesT& x) {
    double power = 0.0;
    for (const int16_t sample : x) {
        power += static_cast<double>(sample) * sample;
    }
    return x.empty() ? 0.0 : std::sqrt(power / static_cast<double>(x.size()));
}

// The level-change screen that the fanfare opens, and the intro's camera
// shake under the rumble (121 swings, one a tick at 60 ticks a second).
static const double levelChangeSeconds = 7.0;
static const double shakeSeconds = 2.0;

TEST(SynthLength, EachSoundFitsTheMomentItMarks) {
    for (const soundT chomp : {SOUND_CHOMP_LOW, SOUND_CHOMP_HIGH}) {
        // Shorter than Gobbler's quick step, so that two chomps never overlap.
        const double seconds = Seconds(Synthesise(chomp));
        EXPECT_LT(seconds, gobPowerSpeed);
        EXPECT_GT(seconds, 0.03);
    }
    EXPECT_LT(Seconds(Synthesise(SOUND_MENU_TICK)), 0.1);
    EXPECT_LT(Seconds(Synthesise(SOUND_MENU_PLAY)), 0.5);
    EXPECT_LT(Seconds(Synthesise(SOUND_POWER_PELLET)), 0.5);
    EXPECT_LT(Seconds(Synthesise(SOUND_GHOST_EATEN)), 0.5);
    const double fanfare = Seconds(Synthesise(SOUND_FANFARE));
    EXPECT_GT(fanfare, 0.8);
    EXPECT_LT(fanfare, levelChangeSeconds / 3.0);
    // The catch's sweep and a phrase after it, short: the game-over screen
    // waits for a key.
    const double lastLife = Seconds(Synthesise(SOUND_GAME_OVER));
    EXPECT_GT(lastLife, Seconds(Synthesise(SOUND_CAUGHT)) + 0.8);
    EXPECT_LT(lastLife, 3.5);
    EXPECT_NEAR(Seconds(Synthesise(SOUND_RUMBLE)), shakeSeconds, 0.25);
}

TEST(SynthPitch, ChompsDifferTheCatchFallsHumsAreLowEyesHigh) {
    const double low = PitchHz(Stretch(Synthesise(SOUND_CHOMP_LOW), 0.0, 0.03));
    const double high = PitchHz(Stretch(Synthesise(SOUND_CHOMP_HIGH), 0.0, 0.03));
    EXPECT_GT(low, 150.0);
    EXPECT_GT(high, low * 1.2);

    const samplesT caught = Synthesise(SOUND_CAUGHT);
    const double end = Seconds(caught);
    EXPECT_GT(PitchHz(Stretch(caught, 0.0, 0.1)), 4.0 * PitchHz(Stretch(caught, end - 0.1, end)));

    // The player pitches a ghost's voice up to 1.3 times: a hum stays a low
    // hum even then, its pitch under 200 Hz and its brightness under 250.
    const double highestGhostPitch = 1.3;
    const samplesT hum = Synthesise(SOUND_HUM);
    const samplesT blueHum = Synthesise(SOUND_BLUE_HUM);
    for (const samplesT* voice : {&hum, &blueHum}) {
        EXPECT_GT(PitchHz(Stretch(*voice, 0.0, 0.05)), 50.0);
        EXPECT_LT(PitchHz(Stretch(*voice, 0.0, 0.05)) * highestGhostPitch, 200.0);
        EXPECT_LT(BrightnessHz(*voice) * highestGhostPitch, 250.0);
    }
    const double humHz = PitchHz(Stretch(hum, 0.0, 0.05));
    EXPECT_GT(std::fabs(PitchHz(Stretch(blueHum, 0.0, 0.05)) / humHz - 1.0), 0.2);

    const samplesT eyes = Synthesise(SOUND_EYES);
    for (double at = 0.0; at + 0.05 <= Seconds(eyes); at += 0.05) {
        EXPECT_GT(PitchHz(Stretch(eyes, at, at + 0.05)), 800.0) << "at " << at << " s";
    }
}

TEST(SynthEnvelope, OneShotsRiseFromSilenceAndFallBackWithoutAClick) {
    for (int s = 0; s < SOUND_COUNT; s++) {
        if (SoundInfo(Sound(s)).loops) {
            continue;
        }
        const samplesT x = Synthesise(Sound(s));
        const double top = Top(Sound(s));
        SCOPED_TRACE(SoundInfo(Sound(s)).name);
        EXPECT_LE(std::abs(x.front()), 0.01 * top);
        EXPECT_LE(std::abs(x.back()), 0.01 * top);
        EXPECT_EQ(FirstClick(x), -1);
    }
    // The check sees a click: a chomp cut off at its loudest sample.
    samplesT cut = Synthesise(SOUND_CHOMP_LOW);
    const auto loudest = std::max_element(
        cut.begin(), cut.end(), [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); });
    std::fill(loudest + 1, cut.end(), 0);
    EXPECT_NEAR(FirstClick(cut), loudest - cut.begin(), 2);
}

TEST(SynthLoop, LoopsJoinSeamlesslyFromAZeroCrossing) {
    for (int s = 0; s < SOUND_COUNT; s++) {
        if (!SoundInfo(Sound(s)).loops) {
            continue;
        }
        const samplesT x = Synthesise(Sound(s));
        SCOPED_TRACE(SoundInfo(Sound(s)).name);
        EXPECT_LE(std::abs(x.front()), 0.01 * Top(Sound(s)));
        // Played twice over: the join is a step like any other.
        samplesT twice = x;
        twice.insert(twice.end(), x.begin(), x.end());
        const samplesT join = Stretch(twice, Seconds(x) - 0.01, Seconds(x) + 0.01);
        EXPECT_LE(LargestStep(join), LargestStep(x));
        EXPECT_EQ(FirstClick(twice), -1);
        const double end = Seconds(x);
        EXPECT_NEAR(Rms(Stretch(x, end - 0.01, end)) / Rms(Stretch(x, 0.0, 0.01)), 1.0, 0.1);
    }
    // The blue period's tone pulses: its loudness over 20 ms swings widely.
    const samplesT blue = Synthesise(SOUND_BLUE);
    double loudest = 0.0;
    double quietest = fullScale;
    for (double at = 0.0; at + 0.02 <= Seconds(blue); at += 0.02) {
        loudest = std::max(loudest, Rms(Stretch(blue, at, at + 0.02)));
        quietest = std::min(quietest, Rms(Stretch(blue, at, at + 0.02)));
    }
    EXPECT_GT(loudest, 2.0 * quietest);
}

TEST(SynthLevel, EverythingAtOnceStaysWithinFullScale) {
    // What can sound at once: every one-shot (one chomp, as they alternate),
    // the blue period and three ghost voices, all at the loudest one's level.
    soundT ghost = SOUND_HUM;
    for (const soundT voice : {SOUND_BLUE_HUM, SOUND_EYES}) {
        ghost = SoundInfo(voice).level > SoundInfo(ghost).level ? voice : ghost;
    }
    std::vector<soundT> together = {SOUND_BLUE, ghost, ghost, ghost};
    for (int s = 0; s < SOUND_COUNT; s++) {
        if (!SoundInfo(Sound(s)).loops && s != SOUND_CHOMP_HIGH) {
            together.push_back(Sound(s));
        }
    }
    double budget = 0.0;
    std::vector<long> mix(static_cast<size_t>(5 * synthRate), 0);
    for (const soundT sound : together) {
        const samplesT x = Synthesise(sound);
        budget += SoundInfo(sound).level;
        // Each starts at sample 0; a loop repeats to the end.
        for (size_t i = 0; i < mix.size() && (SoundInfo(sound).loops || i < x.size()); i++) {
            mix[i] += x[i % x.size()];
        }
    }
    EXPECT_LE(budget, 1.0);
    for (const long sample : mix) {
        ASSERT_LE(std::labs(sample), 32767);
    }

    for (int s = 0; s < SOUND_COUNT; s++) {
        const int peak = Peak(Synthesise(Sound(s)));
        EXPECT_LE(peak, Top(Sound(s))) << SoundInfo(Sound(s)).name;
        // Heard at its level, not far under it.
        EXPECT_GE(peak, 0.9 * Top(Sound(s))) << SoundInfo(Sound(s)).name;
    }
}

TEST(Synth, GameOverBeginsWithTheCatch) {
    const samplesT caught = Synthesise(SOUND_CAUGHT);
    const samplesT over = Synthesise(SOUND_GAME_OVER);
    ASSERT_GT(over.size(), caught.size());
    EXPECT_GT(Match(caught.data(), over.data(), caught.size()), 0.99);
}

TEST(Synth, SameSamplesOnEveryCall) {
    for (int s = 0; s < SOUND_COUNT; s++) {
        const samplesT first = Synthesise(Sound(s));
        EXPECT_FALSE(first.empty());
        EXPECT_EQ(Synthesise(Sound(s)), first) << SoundInfo(Sound(s)).name;
    }
}
