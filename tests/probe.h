// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// probe: how a test says what colour it saw, shared by the GL tests, which
// read the frames the game draws in their own process, and by the
// end-to-end cases, which look at the real game's window from outside. A
// pixel that fails its colour class names itself: "the title is (12, 200,
// 40), not orange" rather than "the title is not orange".
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <tuple>

#include "../tools/drive/picture.h"

namespace drive {

// A pixel as a test prints it: (r, g, b).
inline std::ostream& operator<<(std::ostream& out, Rgb c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

}  // namespace drive

namespace probe {

// Whether pixel c is of the colour class that test tells, named name; either
// way the result carries the colour, so that EXPECT_TRUE and EXPECT_FALSE
// both say what they saw.
inline ::testing::AssertionResult Is(drive::Rgb c, const drive::ColourTest& test,
                                     const char* name) {
    if (test(c)) {
        return ::testing::AssertionSuccess() << c << ", " << name;
    }
    return ::testing::AssertionFailure() << c << ", not " << name;
}

// The colour that the most lit pixels of the box have (black where none is
// lit): what a box that should show a colour showed instead.
inline drive::Rgb MostLit(const drive::Picture& picture, drive::Box box) {
    std::map<std::tuple<int, int, int>, int> seen;
    drive::Rgb most{0, 0, 0};
    int mostSeen = 0;
    picture.Count(box, [&](drive::Rgb c) {
        const int n = drive::IsLit(c) ? ++seen[{c.r, c.g, c.b}] : 0;
        if (n > mostSeen) {
            mostSeen = n;
            most = c;
        }
        return false;
    });
    return most;
}

}  // namespace probe
