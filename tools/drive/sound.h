// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// sound: what the game plays, heard from outside. OpenAL Soft's wave writer
// (its "wave" backend, chosen by an ALSOFT_CONF file) writes the game's mix,
// as a sound card would get it, into a pipe that a thread of the driver
// reads as it comes: the samples in order, each block with the moment it
// came. A pipe, not a file: the writer stops while the game's device rests
// and goes on where it left off, which OpenAL Soft 1.19 (Debian 12) cannot
// do in a file without writing over its start. And what the samples hold:
// where a sound of the game's own synthesiser plays in them.
// Depends on: POSIX (the pipe, the thread), the game's synthesiser.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "../../sound/synth.h"
#include "session.h"

namespace drive {

// The rate the recording is made at, the synthesiser's own: a sound of the
// game appears in it sample for sample, only quieter or louder.
const int recordingRate = synthRate;

class Recording {
public:
    // Makes the pipe and the configuration, and starts reading.
    Recording();
    ~Recording();
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    // The environment that sends a game's sound here (GameOptions::env).
    std::vector<std::string> Env() const;

    // The samples heard so far, the two channels added (a sound heard from
    // everywhere comes in both alike).
    std::vector<float> Samples() const;
    size_t Count() const;
    // The largest sample (of either channel) among those from first on.
    float PeakFrom(size_t first) const;
    // Waits up to seconds for count samples in all; throws Failure(what).
    void AwaitCount(size_t count, double seconds, const std::string& what) const;

private:
    void Read();

    std::string dir;
    std::string pipe;
    std::string config;
    mutable std::mutex lock;
    std::vector<float> stereo;  // left, right, left, ...
    std::string header;         // the bytes before the samples, until their start is found
    bool inSamples = false;
    std::string partial;  // the bytes of a sample frame split between reads
    std::atomic<bool> reading{true};
    std::thread reader;
};

// The places (the sample index of each start) in samples where sound plays,
// matched at 0.95 or better with its own waveform (what else sounds meanwhile
// is far quieter), at least a tenth of a second apart.
std::vector<size_t> Find(const std::vector<float>& samples, soundT sound);

// How alike a stretch of samples, from first for the length of the sound
// or of seconds, is to the sound (a loop repeated): the best match, 0 to
// 1, over where in the sound the stretch may begin.
double Likeness(const std::vector<float>& samples, size_t first, double seconds, soundT sound);

}  // namespace drive
