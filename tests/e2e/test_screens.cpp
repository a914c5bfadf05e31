// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// The screens after play in the real program: the level change, its seven
// seconds and its pace, and the game-over screen reached for real.
#include <algorithm>

#include "e2e.h"

namespace {

using namespace drive;

class Screens : public e2e::Case {};

// "X" in play, on a clock at half speed, brings up the level-change screen
// (no maze, the yellow name, the green level line passing, some 13 s in
// view), and after its seven seconds (14 s here) the maze and play return.
// The game starts on a stopped clock, which the case sets going once play is
// up. Counts are of the picture sampled down four times.
TEST_F(Screens, LevelChangeShowsForSevenSecondsThenPlayReturns) {
    Game& g = StartOnClock(0);
    g.Await(IntroUp, 15, "the intro did not show");
    g.Press({"s"});
    g.Await([](const Picture& p) { return IsBlack(p.At(4, 4)); }, 10,
            "S did not bring up the menu");
    ToPlay(g);
    const Stopwatch watch;
    g.Clock(0.5);
    const double typed = watch.Seconds();
    g.Press({"x"});
    g.Await(MazeGone, 10, "X did not take the maze away");
    const double firstSeen = watch.Seconds();
    EXPECT_GT(g.Last().CountSampled(4, IsYellow), 5)
        << "no yellow Gobbler or name on the level-change screen";
    // Looks until play is back: each look's start and end bound the moment
    // the screen changed.
    int green = 0;
    double lastUp = firstSeen;
    double back = -1.0;
    while (back < 0.0) {
        ASSERT_LT(watch.Seconds() - firstSeen, 40.0)
            << "play did not come back after the level change";
        const double look = watch.Seconds();
        const Picture& p = g.Look();
        if (p.CountSampled(4, IsBlue) > 200) {
            back = watch.Seconds();
        } else {
            lastUp = look;
            green = std::max(green, p.CountSampled(4, IsGreen));
        }
        Hold(0.05);
    }
    EXPECT_GT(green, 2) << "the green level line never passed through the view";
    // The screen was up at least from its first sight to the start of the
    // last look that still showed it, and at most from X to the end of the
    // look that showed play again; seven seconds of game time must lie in
    // between, with a second's room for the frames on either side.
    const double shortest = (lastUp - firstSeen) / 2.0;
    const double longest = (back - typed) / 2.0;
    EXPECT_TRUE(shortest < 8.0 && longest > 6.0) << "the level change lasted between " << shortest
                                                 << " and " << longest << " s of game time";
}

// Hidden on the level-change screen, the game waits for the player: 15 s of
// its clock pass while the window is unmapped, yet shown again it is still
// the level change, which runs out into the next level, paused as after P
// until "p". (Before, the screen ran its seven seconds unseen, and play with
// it.)
TEST_F(Screens, AWindowHiddenOnTheLevelChangeComesBackToPausedPlay) {
    Game& g = StartOnClock(1);
    ToMenu(g);
    ToPlay(g);
    g.Press({"x"});
    g.Await(MazeGone, 10, "X did not take the maze away");
    g.Show(false);
    g.Clock(30);
    const double held = Hold(0.5);
    g.Clock(1);
    ASSERT_GT(held * 30, 7.0);
    g.Show(true);
    g.Await([](const Picture& p) { return MazeGone(p) && p.CountSampled(4, IsYellow) > 5; }, 5,
            "shown again, the level change was over");
    const Picture paused = g.Await(MazeUp, 20, "play did not come back after the level change");
    Hold(1.0);
    EXPECT_EQ(g.Look().Differ(paused, MazeBox()), 0) << "the next level did not start paused";
    g.Press({"p"});
    g.Await([&paused](const Picture& p) { return p.Differ(paused, MazeBox()) > 20; }, 5,
            "p did not resume play");
}

// The level-change screen draws at most 60 frames a second, however fast the
// machine: each of its frames adds 5 points, so its rate is the pace of the
// score. The frame counter preloaded into the game notes each frame; half a
// second after "x" the screen is up, and three seconds of its frames, timed
// by the frames themselves, must come at no more than 61 a second (60, and
// one at the edge of the count). The screen lasts 7 s, so the count ends
// well before it does.
TEST_F(Screens, LevelChangeDrawsAtMostSixtyFramesASecond) {
    GameOptions options;
    options.frameCounter = MAZERUSH_SWAPCOUNT;
    Game& g = Start(options);
    ToMenu(g);
    ToPlay(g);
    g.Press({"x"});
    const Frames start = g.AwaitFramesFor(0.5);
    const Frames end = g.AwaitFramesFor(3.0);
    EXPECT_TRUE(MazeGone(g.Look()))
        << "the level change was not up when its frames had been counted";
    const double rate = (end.shown - start.shown) / (end.seconds - start.seconds);
    EXPECT_LE(rate, 61.0) << "the level change drew " << end.shown - start.shown << " frames from "
                          << start.seconds << " s to " << end.seconds << " s";
}

// EXPERT is chosen in the menu (its value shows, longer than WUSS), so that
// eight ghosts play at Gobbler's speed, on a clock ten times faster once
// play starts; Gobbler runs right along row 5 into the corner and waits
// there until the ghosts have caught it three times. Then the maze gives way
// to the game-over screen, Gobbler lying under "Game Over", which stays, the
// program waiting for a key at next to no processor time; "q" brings back
// the menu. Eight ghosts walking at random meet a Gobbler that stands still
// within a few minutes of game time; the case waits up to 20. Eight ghosts
// in lockstep from one cell can hide the lime one, the seventh, behind those
// before it for many steps: which difficulty plays is read from the menu.
TEST_F(Screens, GameOverComesWhenTheGhostsHaveCaughtGobblerThreeTimes) {
    Game& g = StartOnClock(0);
    ToMenu(g);
    const Box difficulty = MenuValue(1);
    const int wuss = g.Last().Count(difficulty, IsLightBlue);
    g.Press({"m", "6", "6"});
    g.Await(MenuOn(2), 5, "m did not move the highlight to DIFFICULTY");
    // The keys are read in order: once "i" has moved the highlight back, the
    // value shows what the two raises left.
    g.Press({"i"});
    g.Await(MenuOn(1), 5, "i did not move the highlight back to PLAY GAME");
    ASSERT_GT(g.Last().Count(difficulty, IsLightBlue), wuss + 20) << "the difficulty is not EXPERT";
    g.Clock(10);
    g.Press({"p"});
    g.Await(MazeUp, 5, "play did not start");
    g.Await(GameOverUp, 120, "the ghosts did not end the game");
    EXPECT_TRUE(e2e::Waits(g)) << "on the game-over screen";
    EXPECT_TRUE(GameOverUp(g.Look())) << "the game-over screen did not stay";
    g.Press({"q"});
    g.Await(MenuOn(1), 5, "q on the game-over screen did not bring back the menu");
}

}  // namespace
