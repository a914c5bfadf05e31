// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// The real program when the world around it misbehaves. Its window destroyed
// from outside on every screen and while hidden, the game cut off
// (XKillClient, as xkill does), its X server stopped: each time it ends
// within 5 s with status 1 and one line of its own on standard error. A
// wall clock set back an hour in play does not stand it still. Keys reach
// the game before the window's end, so the screen is the one the keys typed
// last lead to.
#include "e2e.h"

namespace {

using namespace drive;

class OutsideFaults : public e2e::Case {
protected:
    // Starts the game on a clock of that speed and types the keys once the
    // intro is up.
    Game& StartWithKeys(double clock, const std::vector<std::string>& keys) {
        Game& g = StartOnClock(clock);
        g.Await(IntroUp, 15, "the intro did not show");
        g.Press(keys);
        return g;
    }

    // Checks how the game ended after what was done on screen.
    void ExpectEnd(const std::string& what) {
        const int status = game->AwaitExit(5, "mazerush ran on for 5 s after " + what);
        const std::string said = game->Errors();
        EXPECT_EQ(status, 1) << what;
        EXPECT_EQ(said.rfind("mazerush: ", 0), 0U) << what << ": " << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << what << ": " << said;
    }

    void Destroy(const std::string& screen) {
        XDestroyWindow(x.Connection(), game->Id());
        XSync(x.Connection(), False);
        ExpectEnd("its window was destroyed on " + screen);
    }
};

TEST_F(OutsideFaults, WindowDestroyedOnEveryScreen) {
    const struct {
        const char* screen;
        std::vector<std::string> keys;
    } screens[] = {
        {"the intro", {}},
        {"the menu", {"s"}},
        {"play", {"s", "p"}},
        {"paused play", {"s", "p", "p"}},
        {"the level change", {"s", "p", "x"}},
    };
    for (const auto& s : screens) {
        StartWithKeys(1, s.keys);
        Destroy(s.screen);
    }
    // EXPERT (m 6 6 raises the difficulty, i goes back to PLAY GAME) on a
    // clock ten times as fast, for game over.
    StartWithKeys(10, {"s", "m", "6", "6", "i", "p"});
    game->Await(GameOverUp, 120, "the ghosts did not end the game");
    Destroy("the game-over screen");
}

TEST_F(OutsideFaults, WindowDestroyedWhileHidden) {
    StartWithKeys(1, {"s"});
    game->Show(false);
    // The window stays hidden a while before it goes, long enough for the game
    // to see it hidden and to have found it there then: the game must notice
    // by its own later checks that it has gone.
    Hold(1.0);
    Destroy("the hidden menu");
}

TEST_F(OutsideFaults, CutOffOrItsServerStopped) {
    StartWithKeys(1, {"s"});
    XKillClient(x.Connection(), game->Id());
    XSync(x.Connection(), False);
    ExpectEnd("it was cut off from the X server on the menu");
    StartWithKeys(1, {"s", "p"});
    x.Stop();
    ExpectEnd("its X server stopped in play");
}

// Play on a stopped clock, then the clock set back an hour and running:
// Gobbler, sent left, eats and the score changes. Play starts from the
// menu once it shows: GLUT's timers run on the wall clock too, so a wait
// for the intro's next tick that began on the stopped clock would not end,
// and "p" read with the "s" before the menu was drawn would meet it.
TEST_F(OutsideFaults, ClockSetBackAnHourDoesNotHoldPlayStill) {
    Game& g = StartWithKeys(0, {"s"});
    g.Await(MenuOn(1), 10, "s did not bring up the menu");
    g.Press({"p"});
    const Picture before = g.Await(MazeUp, 10, "p did not start play");
    g.Clock(1, -3600);
    g.Press({"j"});
    g.Await([&before](const Picture& p) { return p.Differ(before, ScoreBox()) > 20; }, 10,
            "with the clock set back an hour, Gobbler ate nothing in 10 s");
}

// The wall clock stepped back 15 s (by hand, by NTP) once the game has run
// longer than that, the steady clock untouched: the picture goes on moving
// at once, in the intro and in play, rather than stand still until the wall
// clock has made up the step. Each step comes where a frame takes less than
// a tick to draw (a credit of the intro, play seen from behind), so that the
// game waits between its ticks when the clock steps: the game runs twenty
// times as fast until the fourth credit, some 17 s of its time in, and again
// in the intro before play.
TEST_F(OutsideFaults, WallClockSteppedBack15sKeepsThePictureMoving) {
    // Three pictures in a row, each different from the one before, within
    // 5 s (a frame already on its way when the clock stepped may come even
    // where the game then stands still, and a credit rests for 3 s).
    const auto moves = [](Game& g, const std::string& where) {
        const Stopwatch watch;
        for (int changes = 0; changes < 3; changes++) {
            const Picture before = g.Look();
            const Box whole{0, 0, before.Width(), before.Height()};
            g.Await([&](const Picture& p) { return p.Differ(before, whole) > 20; },
                    5.0 - watch.Seconds(),
                    "with the wall clock stepped back 15 s, " + where + " stood still");
        }
    };
    Game& g = StartOnClock(20);
    g.Await(IntroUp, 15, "the intro did not show");
    ASSERT_GT(Hold(0.85) * 20, 15.0);
    g.Clock(1, -15);
    moves(g, "the intro");
    g.Clock(20, -15);
    Hold(0.5);
    g.Clock(1, -15);
    g.Press({"s"});
    g.Await(MenuOn(1), 10, "s did not bring up the menu");
    g.Press({"m", "m", "v", "i", "i"});
    g.Await(MenuOn(1), 5, "the highlight did not come back to PLAY GAME");
    g.Press({"p"});
    g.Await([](const Picture& p) { return !IsBlack(p.At(p.Width() / 2, p.Height() / 2)); }, 10,
            "p did not start play seen from behind");
    g.Clock(1, -30);
    moves(g, "play");
}

}  // namespace
