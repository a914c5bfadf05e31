// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// fakeclock: the clock that the real program runs on when it is driven from
// outside (the end-to-end tests, autoplay) and time is what is tested.
// Preloaded into the game (after the sanitizer runtime, which hands its own
// gettimeofday on to this one), it answers gettimeofday, the game's only
// clock, with a clock that runs at a speed the test chooses and may change
// while the game runs: 5 runs it five times as fast, 0.25 at a quarter, 0
// stops it. The speed is read at every call from the file named by
// FAKECLOCK_SPEED_FILE (a decimal number; an unreadable file keeps the speed
// in force), and a new speed takes effect from the moment it is read, so a
// new speed never makes the clock jump. A second number, an offset in
// seconds (0 if absent, may be negative), sets the clock that far off: a
// new offset steps it at once, as NTP or a clock set by hand does. The
// clock starts at the real time of the first call.
//
// It calls only the kernel (no allocation, no lock, no lookup of the next
// definition), so that it cannot deadlock against the sanitizer's start-up
// as a general clock library can. The game calls the clock from one thread.
#include <fcntl.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

namespace {

double realBase = -1.0;  // the real time at which the speed last changed
double fakeBase = 0.0;   // the clock's reading then
double speed = 1.0;
double offset = 0.0;

double RealNow() {
    timespec now{};
    syscall(SYS_clock_gettime, CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Reads "SPEED [OFFSET]" from the file into *newSpeed and *newOffset; leaves
// both as they are if there is no such line to read.
void ReadSetting(double* newSpeed, double* newOffset) {
    const char* path = std::getenv("FAKECLOCK_SPEED_FILE");
    if (path == nullptr) {
        return;
    }
    const int fd = static_cast<int>(syscall(SYS_openat, AT_FDCWD, path, O_RDONLY | O_CLOEXEC));
    if (fd < 0) {
        return;
    }
    char text[32];
    const long n = syscall(SYS_read, fd, text, sizeof text - 1);
    syscall(SYS_close, fd);
    double value[2] = {0.0, 0.0};  // the speed, then the offset
    int k = 0;
    double sign = 1.0;
    double scale = 0.0;  // the place of the next decimal, once past the point
    bool digits = false;
    for (long i = 0; i < n && text[i] != '\n'; i++) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            if (scale == 0.0) {
                value[k] = value[k] * 10.0 + sign * (c - '0');
            } else {
                value[k] += sign * (c - '0') * scale;
                scale /= 10.0;
            }
        } else if (c == '.' && scale == 0.0) {
            scale = 0.1;
        } else if (c == ' ' && k == 0 && digits) {
            k = 1;
            scale = 0.0;
            digits = false;
        } else if (c == '-' && k == 1 && !digits) {
            sign = -1.0;
        } else {
            return;
        }
    }
    if (digits) {
        *newSpeed = value[0];
        *newOffset = value[1];
    }
}

}  // namespace

extern "C" int gettimeofday(timeval* __restrict tv, void* __restrict /*tz*/) noexcept {
    const double real = RealNow();
    if (realBase < 0.0) {
        realBase = real;
        fakeBase = real;
        ReadSetting(&speed, &offset);
    }
    const double fake = fakeBase + (real - realBase) * speed;
    double next = speed;
    ReadSetting(&next, &offset);
    if (next != speed) {
        realBase = real;
        fakeBase = fake;
        speed = next;
    }
    const double reading = fake + offset;
    tv->tv_sec = static_cast<time_t>(reading);
    tv->tv_usec = static_cast<suseconds_t>((reading - static_cast<double>(tv->tv_sec)) * 1e6);
    return 0;
}
