// random: the game's random choices, on the C library's rand/srand.
// Depends on: rand, srand, time.
#include "random.h"

#include <cstdlib>  // rand, srand, RAND_MAX
#include <ctime>    // time

// One more than the generator's largest value, so that a draw scaled by it
// lies in [0, 1).
static const double randRange = static_cast<double>(RAND_MAX) + 1.0;

// A draw scaled to the unit interval [0, 1).
static double UnitDraw() {
    return rand() / randRange;
}

void Randomize() {
    srand(static_cast<unsigned>(time(nullptr)));
}

int RandomInteger(int low, int high) {
    const int k = static_cast<int>((high - low + 1) * UnitDraw());
    return low + k;
}

double RandomReal(double low, double high) {
    return low + (high - low) * UnitDraw();
}
