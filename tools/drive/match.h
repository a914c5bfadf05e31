// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// match: how alike two runs of samples are, as the driver finds the game's
// sounds in what it heard and as the tests of the synthesiser measure a
// sound's pitch and its loops.
#pragma once

#include <cmath>
#include <cstddef>

namespace drive {

// How alike n samples from a and n from b are: their correlation, from -1
// to 1 (the same wave at any loudness).
template <class Sample>
double Match(const Sample* a, const Sample* b, size_t n) {
    double product = 0.0;
    double aPower = 0.0;
    double bPower = 0.0;
    for (size_t i = 0; i < n; i++) {
        product += static_cast<double>(a[i]) * b[i];
        aPower += static_cast<double>(a[i]) * a[i];
        bPower += static_cast<double>(b[i]) * b[i];
    }
    return aPower > 0.0 && bPower > 0.0 ? product / std::sqrt(aPower * bPower) : 0.0;
}

}  // namespace drive
