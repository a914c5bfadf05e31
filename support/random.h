// random: the game's random choices, on the C library's rand/srand.
// Depends on: <cstdlib>, <ctime>.
#pragma once

// Seeds the generator with the calendar time in seconds.
void Randomize();
// A uniformly chosen integer in [low, high].
int RandomInteger(int low, int high);
// A uniformly chosen real in [low, high).
double RandomReal(double low, double high);
