// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// random: the game's random choices, on the C library's rand/srand.
// Depends on: <cstdlib>, <ctime>, the environment (MAZERUSH_SEED).
#pragma once

// Seeds the generator with MAZERUSH_SEED when the environment holds a seed
// there, else with the calendar time in seconds.
void Randomize();
// Reads text as a seed, a whole number from 0 to UINT_MAX in decimal digits
// alone (no sign, no blank), into *seed; returns whether it was one.
bool ReadSeed(const char* text, unsigned* seed);
// A uniformly chosen integer in [low, high].
int RandomInteger(int low, int high);
// A uniformly chosen real in [low, high).
double RandomReal(double low, double high);
