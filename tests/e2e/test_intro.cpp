// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// The intro of the real program: it plays through its coloured phases by
// itself and ends on the menu, and "s" skips it from any point. Every game
// starts on a stopped clock, so that the intro's first picture waits for the
// case; a phase that is sought is awaited on a clock at most twice as fast
// as the real one, and once it shows the clock stops, so that the keys meet
// that very phase.
#include <set>
#include <tuple>

#include "e2e.h"

namespace {

using namespace drive;

class Intro : public e2e::Case {};

Rgb Background(const Picture& p) {
    return p.At(4, 4);
}

bool Is(Rgb c, int r, int g, int b) {
    return c.r == r && c.g == g && c.b == b;
}

// On a clock twice as fast, the intro shows at least four backgrounds (the
// shortest phase of those that count shows 3.5 s), every look noted until
// the background has stayed the menu's black for half a second.
TEST_F(Intro, PlaysThroughItsColouredPhases) {
    Game& g = StartOnClock(0);
    g.Await(IntroUp, 15, "the intro did not show");
    g.Clock(2);
    std::set<std::tuple<int, int, int>> seen;
    const Stopwatch watch;
    for (double blackSince = -1.0; blackSince < 0.0 || watch.Seconds() - blackSince < 0.5;) {
        ASSERT_LT(watch.Seconds(), 120.0) << "the intro did not end on the menu";
        const Rgb c = Background(g.Look());
        if (!IsBlack(c)) {
            seen.insert({c.r, c.g, c.b});
            blackSince = -1.0;
        } else if (blackSince < 0.0) {
            blackSince = watch.Seconds();
        }
        Hold(0.05);
    }
    EXPECT_GE(seen.size(), 4U) << "the intro showed too few backgrounds";
}

// With no key, the intro ends on the menu with PLAY GAME selected (on a
// clock twenty times as fast).
TEST_F(Intro, EndsOnTheMenuByItself) {
    Game& g = StartOnClock(0);
    g.Await(IntroUp, 15, "the intro did not show");
    g.Clock(20);
    g.Await(MenuOn(1), 60, "the intro did not end on the menu by itself");
}

// "s" typed early, in the middle and late in the intro, each point found by
// its background: the white of the credits, the orange or cyan of the
// ghosts' chase, and any after the blue of the fleeing eyes. Each time the
// menu comes up at once and stays, and other keys typed just before change
// nothing.
void SkipAt(Game& g, const std::string& point) {
    const Shows whiteUp = [](const Picture& p) { return Is(Background(p), 255, 255, 255); };
    const Shows chaseUp = [](const Picture& p) {
        return Is(Background(p), 255, 128, 0) || Is(Background(p), 0, 255, 255);
    };
    const Shows blueUp = [](const Picture& p) { return Is(Background(p), 0, 0, 255); };
    g.Await(IntroUp, 15, "the intro did not show");
    g.Clock(2);
    if (point == "early") {
        g.Await(whiteUp, 5, "the intro did not open on the white of its credits");
    } else {
        g.Await(chaseUp, 30, "the intro never showed the orange or cyan of the chase");
    }
    if (point == "late") {
        // The chase shows for 7 s, then the shake and Gobbler's chase come
        // before the fleeing eyes, awaited on the real clock.
        g.Clock(1);
        g.Await(blueUp, 30, "the intro never showed the blue of the fleeing eyes");
        g.Await([&](const Picture& p) { return !blueUp(p); }, 15,
                "the intro stayed on the blue of the fleeing eyes");
    }
    g.Clock(0);
    g.Press({"a", "Return", "1"});
    const Picture before = g.Look();
    EXPECT_TRUE(IntroUp(before)) << "a key other than s left the intro";
    EXPECT_FALSE(MenuOn(before, 1)) << "the menu already showed";
    g.Press({"s"});
    g.Await(MenuOn(1), 3, "s did not bring up the menu");
    // The intro is over: its clock running on changes nothing.
    g.Clock(5);
    const double held = Hold(1.0);
    EXPECT_TRUE(MenuOn(g.Look(), 1)) << "the menu did not stay for " << held << " s after s";
}

TEST_F(Intro, SSkipsItEarly) {
    SkipAt(StartOnClock(0), "early");
}

TEST_F(Intro, SSkipsItInTheMiddle) {
    SkipAt(StartOnClock(0), "middle");
}

TEST_F(Intro, SSkipsItLate) {
    SkipAt(StartOnClock(0), "late");
}

}  // namespace
