// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// timer: a wall-clock stopwatch reading seconds as a double.
// Depends on: gettimeofday.
#include "timer.h"

Timer::Timer() : start(0.0), elapsed(0.0), running(0), now() {}

Timer::~Timer() {}

double Timer::GetTime() {
    gettimeofday(&now, nullptr);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_usec) / 1000000.0;
}

void Timer::Start() {
    running = 1;
    start = GetTime();
}

// A wall clock set back (by hand, by NTP, a restored virtual machine) reads
// less than at Start: that interval adds nothing rather than take the time
// of the step off the total, which would hold every piece and screen still
// until the clock had made up the step. The total only grows.
void Timer::Stop() {
    running = 0;
    const double interval = GetTime() - start;
    if (interval > 0.0) {
        elapsed += interval;
    }
}

void Timer::Reset() {
    running = 0;
    elapsed = 0.0;
}

double Timer::Time() {
    if (running) {
        // Fold the running interval into the total and begin a new one.
        Stop();
        Start();
    }
    return elapsed;
}
