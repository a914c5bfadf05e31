// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// timer: a wall-clock stopwatch reading seconds as a double.
// Depends on: the system clock (gettimeofday) only.
#pragma once

#include <sys/time.h>  // timeval

class Timer {
public:
    Timer();
    ~Timer();

    // Reads the wall clock into this timer and returns it in seconds.
    double GetTime();
    // Starts (or restarts) running; the accumulated total is kept.
    void Start();
    // Stops and adds the time since the last Start to the total; nothing if
    // the clock was set back since.
    void Stop();
    // Stops and clears the total.
    void Reset();
    // Seconds accumulated so far; a running timer stays running.
    double Time();

    // The stopwatch's state is open to its readers: the tests set a clock's
    // readings to test the timed rules without waiting.
    double start;    // NOLINT(misc-non-private-member-variables-in-classes)
    double elapsed;  // NOLINT(misc-non-private-member-variables-in-classes)
    int running;     // NOLINT(misc-non-private-member-variables-in-classes)

private:
    timeval now;
};
