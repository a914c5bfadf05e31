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

void Timer::Stop() {
    running = 0;
    elapsed += GetTime() - start;
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
