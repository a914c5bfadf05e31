// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// bench_sound: what the sound costs. OpenAL Soft mixes one second of the
// busiest play (three ghosts humming around the camera, the blue period's
// tone, a chomp every 0.2 s) on its loopback device, in stereo and with
// HRTF, as a headphone player hears it: the time it takes is the mixer's
// share of a core while sounds play. And the synthesis of every sound, once
// at start-up.
// Depends on: the game module, sound/, OpenAL Soft, Google Benchmark.
#define AL_ALEXT_PROTOTYPES
#include <AL/alc.h>
#include <AL/alext.h>
#include <benchmark/benchmark.h>

#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"

namespace {

const int rate = 44100;

// One second of the busiest play, mixed: the processor time of an iteration
// over the second it mixes is the mixer's share of a core.
void BM_MixASecondOfPlay(benchmark::State& state) {
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    const int attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                              ALC_STEREO_SOFT,
                              ALC_FORMAT_TYPE_SOFT,
                              ALC_FLOAT_SOFT,
                              ALC_FREQUENCY,
                              rate,
                              ALC_HRTF_SOFT,
                              static_cast<int>(state.range(0)),
                              ALC_OUTPUT_LIMITER_SOFT,
                              ALC_TRUE,
                              0};
    if (device == nullptr || !OpenSoundOn(device, attributes)) {
        state.SkipWithError("no loopback device");
        return;
    }
    InitBoard();
    initgame();
    intro = 0;
    menu = 0;
    ThreeDView = 1;
    num_ghosts = maxGhosts;
    StartPowerPeriod();
    // A quarter second of mix, 5 a second: a chomp in each.
    std::vector<float> mix(2 * rate / 5);
    for (auto _ : state) {
        for (int i = 0; i < 5; i++) {
            ghost[i % maxGhosts].x = 14 + i % 3;
            HearScreen();
            PlayChomp();
            alcRenderSamplesSOFT(device, mix.data(), rate / 5);
        }
    }
    EndPowerPeriod();
    CloseSound();
}
BENCHMARK(BM_MixASecondOfPlay)->Arg(ALC_FALSE)->Arg(ALC_TRUE)->Unit(benchmark::kMillisecond);

// Every sound made, as the player makes them when the device opens.
void BM_SynthesiseEverySound(benchmark::State& state) {
    for (auto _ : state) {
        for (int s = 0; s < SOUND_COUNT; s++) {
            benchmark::DoNotOptimize(Synthesise(static_cast<soundT>(s)));
        }
    }
}
BENCHMARK(BM_SynthesiseEverySound)->Unit(benchmark::kMillisecond);

}  // namespace
