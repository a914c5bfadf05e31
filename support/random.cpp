// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// random: the game's random choices, on the C library's rand/srand.
// Depends on: rand, srand, time, getenv.
#include "random.h"

#include <cstdio>   // fprintf, the report of a seed that is none
#include <cstdlib>  // rand, srand, RAND_MAX, getenv
#include <ctime>    // time
#include <limits>   // numeric_limits, the largest seed

// One more than the generator's largest value, so that a draw scaled by it
// lies in [0, 1).
static const double randRange = static_cast<double>(RAND_MAX) + 1.0;

// A draw scaled to the unit interval [0, 1).
static double UnitDraw() {
    return rand() / randRange;
}

bool ReadSeed(const char* text, unsigned* seed) {
    const unsigned largest = std::numeric_limits<unsigned>::max();
    unsigned value = 0;
    if (*text == '\0') {
        return false;
    }
    for (; *text != '\0'; ++text) {
        if (*text < '0' || *text > '9') {
            return false;
        }
        const auto digit = static_cast<unsigned>(*text - '0');
        if (value > (largest - digit) / 10) {
            return false;
        }
        value = value * 10 + digit;
    }
    *seed = value;
    return true;
}

void Randomize() {
    // MAZERUSH_SEED makes the ghosts' walk the same in every run (the
    // end-to-end tests rely on it); a value that is no seed is reported and
    // left aside, and an empty one counts as none.
    const char* text = std::getenv("MAZERUSH_SEED");
    unsigned seed = 0;
    if (text != nullptr && ReadSeed(text, &seed)) {
        srand(seed);
        return;
    }
    if (text != nullptr && *text != '\0') {
        std::fprintf(stderr,
                     "mazerush: MAZERUSH_SEED=%s is no whole number from 0 to %u; "
                     "seeding from the clock\n",
                     text, std::numeric_limits<unsigned>::max());
    }
    srand(static_cast<unsigned>(time(nullptr)));
}

int RandomInteger(int low, int high) {
    const int k = static_cast<int>((high - low + 1) * UnitDraw());
    return low + k;
}

double RandomReal(double low, double high) {
    return low + (high - low) * UnitDraw();
}
