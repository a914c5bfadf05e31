// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// sound: the game's mix read from OpenAL Soft's wave writer through a pipe,
// and the game's own sounds found in it.
// Depends on: POSIX (mkfifo, poll), the synthesiser, session (temporary
// directories, failures).
#include "sound.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>  // mkfifo
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fstream>

#include "failure.h"
#include "match.h"

namespace drive {

namespace {

// A sound's samples as floats of full scale 1.
std::vector<float> Template(soundT sound) {
    const std::vector<int16_t> samples = Synthesise(sound);
    std::vector<float> out(samples.size());
    std::transform(samples.begin(), samples.end(), out.begin(),
                   [](int16_t s) { return static_cast<float>(s) / 32767.0f; });
    return out;
}

// Samples are matched every few only: a lag a few samples off the best
// still matches a wave of a few hundred Hz at better than 0.9.
const size_t matchStep = 4;

}  // namespace

Recording::Recording()
    : dir(MakeTempDir("sound")), pipe(dir + "/mix.wav"), config(dir + "/alsoft.conf") {
    if (mkfifo(pipe.c_str(), 0600) != 0) {
        throw Failure("cannot make the pipe for the game's sound");
    }
    std::ofstream(config) << "[general]\ndrivers = wave\nfrequency = " << recordingRate
                          << "\nchannels = stereo\nsample-type = float32\n[wave]\nfile = " << pipe
                          << "\n";
    reader = std::thread(&Recording::Read, this);
}

Recording::~Recording() {
    reading = false;
    reader.join();
    unlink(pipe.c_str());
    unlink(config.c_str());
    rmdir(dir.c_str());
}

std::vector<std::string> Recording::Env() const {
    return {"ALSOFT_CONF=" + config};
}

// Reads the pipe until the recording ends: the wave header first, up to the
// start of its "data" chunk, then frames of two 32-bit floats.
void Recording::Read() {
    const int fd = open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    char bytes[16384];
    while (reading && fd >= 0) {
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 20);
        const ssize_t n = read(fd, bytes, sizeof bytes);
        if (n <= 0) {
            // No writer yet, or none now: nothing to read until one comes.
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            continue;
        }
        const std::lock_guard<std::mutex> hold(lock);
        std::string data(bytes, static_cast<size_t>(n));
        if (!inSamples) {
            header += data;
            const size_t chunk = header.find("data");
            if (chunk == std::string::npos || header.size() < chunk + 8) {
                continue;
            }
            data = header.substr(chunk + 8);
            inSamples = true;
        }
        partial += data;
        const size_t frames = partial.size() / (2 * sizeof(float));
        const size_t first = stereo.size();
        stereo.resize(first + 2 * frames);
        std::memcpy(&stereo[first], partial.data(), frames * 2 * sizeof(float));
        partial.erase(0, frames * 2 * sizeof(float));
    }
    if (fd >= 0) {
        close(fd);
    }
}

std::vector<float> Recording::Samples() const {
    const std::lock_guard<std::mutex> hold(lock);
    std::vector<float> mono(stereo.size() / 2);
    for (size_t i = 0; i < mono.size(); i++) {
        mono[i] = stereo[2 * i] + stereo[2 * i + 1];
    }
    return mono;
}

size_t Recording::Count() const {
    const std::lock_guard<std::mutex> hold(lock);
    return stereo.size() / 2;
}

float Recording::PeakFrom(size_t first) const {
    const std::lock_guard<std::mutex> hold(lock);
    float peak = 0.0f;
    for (size_t i = 2 * first; i < stereo.size(); i++) {
        peak = std::max(peak, std::fabs(stereo[i]));
    }
    return peak;
}

void Recording::AwaitCount(size_t count, double seconds, const std::string& what) const {
    const Stopwatch watch;
    while (Count() < count) {
        if (watch.Seconds() > seconds) {
            throw Failure(what);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::vector<size_t> Find(const std::vector<float>& samples, soundT sound) {
    const std::vector<float> wave = Template(sound);
    const size_t apart = recordingRate / 10;
    std::vector<size_t> found;
    double best = 0.0;
    for (size_t at = 0; at + wave.size() <= samples.size(); at += matchStep) {
        const double match = Match(&samples[at], wave.data(), wave.size());
        if (match < 0.95) {
            continue;
        }
        if (!found.empty() && at - found.back() < apart) {
            if (match > best) {
                found.back() = at;
                best = match;
            }
            continue;
        }
        found.push_back(at);
        best = match;
    }
    return found;
}

double Likeness(const std::vector<float>& samples, size_t first, double seconds, soundT sound) {
    const std::vector<float> wave = Template(sound);
    const auto length = static_cast<size_t>(seconds * recordingRate);
    if (first + length > samples.size()) {
        return 0.0;
    }
    // The loop twice over, so that any start within it has length after it.
    std::vector<float> loop;
    while (loop.size() < wave.size() + length) {
        loop.insert(loop.end(), wave.begin(), wave.end());
    }
    double best = 0.0;
    for (size_t start = 0; start < wave.size(); start += matchStep) {
        best = std::max(best, Match(&samples[first], &loop[start], length));
    }
    return best;
}

}  // namespace drive
