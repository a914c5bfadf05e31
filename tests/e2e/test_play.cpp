// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Play in the real program, seen from above and from behind Gobbler: the
// maze in its colours, Gobbler running and eating, the score, pause, the
// bonus key, a turn, the views, a level change, a power pellet, and a fresh
// game after Escape.
//
// The ghosts walk at random, and one that met Gobbler would put it back on
// its start cell. Every game is seeded the same (MAZERUSH_SEED): with that
// seed the ghosts of the first difficulty stay off row 5 right of column 12
// and off the right-hand side down to row 8 for their first 160 steps (64 s
// of play), where these cases play for at most 10 s. Three lives on screen
// show that this still holds.
#include "../../tools/drive/failure.h"
#include "e2e.h"

namespace {

using namespace drive;

class Play : public e2e::Case {};

// How many of the cells (row, first .. last column) show a pellet at their
// point.
int PelletsOnRow(const Picture& p, int row, int first, int last) {
    int n = 0;
    for (int col = first; col <= last; col++) {
        n += IsPink(p.At(AbovePoint(row, col))) ? 1 : 0;
    }
    return n;
}

// The column of row 5, from Gobbler's start cell on, on which it stands; 0
// for none. In the first picture of a level its open jaws can fill the
// cells beside its start cell as much as that cell, so the pictures checked
// are awaited with GobRunning.
int GobColumn(const Picture& p) {
    for (int col = 13; col <= 26; col++) {
        if (GobOn(p, 5, col)) {
            return col;
        }
    }
    return 0;
}

bool GobRunning(const Picture& p) {
    return GobColumn(p) != 0;
}

// Whether p, taken as Gobbler runs right from its start cell at the start of
// a level, shows it on column col of row 5 with the pellets behind it eaten
// and every pellet ahead of it still there. The next cell's point lies
// under its mouth.
::testing::AssertionResult FreshRow5(const Picture& p) {
    const int col = GobColumn(p);
    if (col == 0) {
        return ::testing::AssertionFailure()
               << "Gobbler is not on row 5 right of its start cell (5, 13)";
    }
    const int behind = PelletsOnRow(p, 5, 13, col - 1);
    const int ahead = PelletsOnRow(p, 5, col + 2, 25);
    if (behind == 0 && ahead == std::max(24 - col, 0)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "Gobbler on (5, " << col << ") has left " << behind
                                         << " pellets behind it and finds " << ahead << " ahead";
}

int LitScore(const Picture& p) {
    return p.Count(ScoreBox(), IsLit);
}

Shows ScoreChangedFrom(const Picture& before) {
    return [before](const Picture& p) { return p.Differ(before, ScoreBox()) > 20; };
}

// Gobbler in the middle of the view behind it, on cell (row, col).
bool GobInMiddleBehind(const Picture& p, int row, int col) {
    return p.Count(Box::Around(BehindPoint(row, col, row, col), 6), IsYellow) > 60;
}

// In the first picture of play from above: blue walls, the yellow gate of the
// ghost house, pale pink pellets and the four copper power pellets, each at
// the screen point of its cell, and black where a corridor is empty.
// Gobbler eats only on row 5, and the nearest cell looked at is 13 ghost
// steps of 0.4 s from the ghost house: over 5 s, far longer than the first
// picture of play takes to come.
TEST_F(Play, FirstPictureShowsTheMazeInItsColours) {
    Game& g = Start();
    ToMenu(g);
    ToPlay(g);
    const Picture frame = g.Last();
    const struct {
        const char* what;
        ColourTest test;
        std::vector<std::pair<double, double>> cells;
    } expected[] = {
        {"blue wall",
         IsBlue,
         {{0, 0}, {0, 10}, {30, 20}, {20, 0}, {2, 3}, {6.5, 13}, {14, 10}, {14, 17}}},
        {"pink pellet", IsPink, {{1, 2}, {29, 25}, {14, 5}, {20, 6}, {26, 21}}},
        {"copper power pellet", IsCopper, {{1, 1}, {1, 26}, {29, 1}, {29, 26}}},
        {"black empty cell", IsBlack, {{14, 0}, {3, 3}, {11, 2}}},
    };
    for (const auto& e : expected) {
        for (const auto& [row, col] : e.cells) {
            EXPECT_TRUE(probe::Is(frame.At(AbovePoint(row, col)), e.test, e.what))
                << "at row " << row << ", column " << col;
        }
    }
    // The ghosts step onto the gate at once, one cell wide: one half of the
    // gate stays in view.
    const Rgb left = frame.At(AbovePoint(12, 12.7));
    const Rgb right = frame.At(AbovePoint(12, 14.3));
    EXPECT_TRUE(IsYellow(left) || IsYellow(right))
        << "no yellow gate at row 12: " << left << " and " << right;
    g.Press({"Escape"});
    g.Await(MenuOn(1), 5, "Escape did not return to the menu");
    EXPECT_EQ(g.Errors(), "");
}

// Gobbler, never steered, is seen on its row from above (it stays on row 5
// whatever the ghosts do: a ghost that met it would put it back on its
// start cell, on row 5 too); the score beside the maze changes as it eats;
// "T" switches to the camera behind Gobbler, which then stands in the middle
// of the window, and back; Escape returns to the menu.
TEST_F(Play, ViewsFromAboveAndBehindAndTheScore) {
    Game& g = Start();
    ToMenu(g);
    ToPlay(g);
    const Box row5 = Box::Spanning(AbovePoint(3.8, 11.5), AbovePoint(6.3, 29.0));
    const Box middle = Box::Around(AbovePoint(15, 14), 15);
    const Shows fromAbove = [&](const Picture& p) {
        return p.Count(row5, IsBrightYellow) > 150 && p.Count(middle, IsBrightYellow) < 100;
    };
    const Picture first = g.Last();
    EXPECT_GT(first.Count(row5, IsBrightYellow), 150) << "no Gobbler on row 5 from above";
    EXPECT_TRUE(fromAbove(first)) << "Gobbler in the middle of the view from above";
    EXPECT_GT(LitScore(first), 20) << "no score beside the maze";
    g.Await([&first](const Picture& p) { return p.Differ(first, ScoreBox()) > 10; }, 5,
            "the score did not change on screen while Gobbler ate along row 5");
    g.Press({"t"});
    g.Await([&](const Picture& p) { return p.Count(middle, IsBrightYellow) > 400; }, 5,
            "no Gobbler in the middle of the 3D view");
    g.Press({"t"});
    g.Await(fromAbove, 5, "T did not switch back to the view from above");
    g.Press({"Escape"});
    g.Await(MenuOn(1), 5, "Escape did not return to the menu");
    EXPECT_EQ(g.Errors(), "");
}

// Key by key, from above: Gobbler runs right from its start cell along row 5
// to the wall, the pellets behind it gone while those left of its start
// stay; "p" freezes the picture, the program then waiting for a key at next
// to no processor time, and "z" raises the score on screen and nothing
// else; "p" again lets Gobbler go, and the down key at the junction in the
// corner turns it down the right-hand side; "t" puts the camera behind it
// and back; "x" brings up the level-change screen, then play on the next
// level in a full maze; Escape returns to the menu, from which a fresh game
// starts. The level change runs on a clock four times slower, so that the
// level line, in the maze's part of the view for 4 of its 7 s, stays there
// for some 17 s.
TEST_F(Play, KeysPauseTurnSwitchAndFinishTheLevel) {
    Game& g = StartOnClock(1);
    const auto threeLives = [&g](const std::string& where) {
        if (LivesShown(g.Last()) != 3) {
            throw Failure(where +
                          ": a life was lost, so a ghost met Gobbler: the fixed seed no "
                          "longer keeps the ghosts away");
        }
    };
    ToMenu(g);
    ToPlay(g);
    g.Await(GobRunning, 10, "Gobbler is not on row 5 right of its start cell (5, 13)");
    EXPECT_TRUE(FreshRow5(g.Last()));
    EXPECT_GT(LitScore(g.Last()), 20) << "no score beside the maze";

    const Picture ran =
        g.Await(GobOn(5, 26), 20, "Gobbler did not run right along row 5 to the wall at column 26");
    threeLives("at the wall");
    // Ghosts may stand in front of a few of the cells.
    EXPECT_EQ(PelletsOnRow(ran, 5, 14, 25), 0) << "pellets behind Gobbler on row 5 are still there";
    EXPECT_GE(PelletsOnRow(ran, 5, 1, 12), 10) << "pellets left of the start cell are gone";
    // WUSS, the first difficulty, brings only the first four ghosts: never the
    // lime one.
    EXPECT_LE(ran.Count(MazeBox(), IsLime), 2) << "a lime ghost plays on WUSS";

    // Pause draws nothing; "z" after it does, so a picture that shows a z was
    // drawn after the pause. The first new score after p and z may still be
    // the pellet at the wall, eaten a tick after Gobbler got there, so a
    // second z gives the picture certainly drawn after the pause. A third z a
    // while later must change the score and nothing else: the picture held
    // still in between.
    g.Press({"p", "z"});
    g.Await(ScoreChangedFrom(ran), 5, "z did not change the score on screen after p");
    g.Press({"z"});
    const Picture paused =
        g.Await(ScoreChangedFrom(g.Last()), 5, "a second z did not change the score after p");
    EXPECT_TRUE(e2e::Waits(g)) << "in paused play";
    g.Press({"z"});
    const Picture bonus =
        g.Await(ScoreChangedFrom(paused), 5, "a third z did not change the score while paused");
    EXPECT_EQ(bonus.Differ(paused, MazeBox()), 0) << "the maze's picture changed while paused";
    EXPECT_GT(LitScore(bonus), LitScore(ran)) << "the score did not grow longer with z";

    g.Press({"p", "2"});
    g.Await(GobOn(8, 26), 5, "after p and the down key, Gobbler did not run down from the corner");
    threeLives("down the side");
    EXPECT_EQ(PelletsOnRow(g.Last(), 6, 26, 26) + PelletsOnRow(g.Last(), 7, 26, 26), 0)
        << "the pellets Gobbler ran over on the right-hand side are still there";
    EXPECT_FALSE(GobOn(g.Last(), 5, 26)) << "Gobbler still at the corner";

    g.Press({"t"});
    g.Await([](const Picture& p) { return GobInMiddleBehind(p, 8, 26); }, 5,
            "t: Gobbler is not in the middle of the window, under the camera behind it");
    g.Press({"t"});
    g.Await(MazeUp, 5, "t again: not back to the view from above");
    threeLives("back from the view behind");

    g.Clock(0.25);
    g.Press({"x"});
    g.Await(MazeGone, 5, "x did not bring up the level-change screen");
    g.Await([](const Picture& p) { return p.Count(MazeBox(), IsGreen) > 20; }, 30,
            "the green level line never passed on the level-change screen");
    g.Clock(1);
    g.Await(MazeUp, 30, "play did not come back after the level change");
    const Picture level2 =
        g.Await(GobRunning, 10, "Gobbler did not start the next level from its start cell");
    EXPECT_TRUE(FreshRow5(level2)) << "the next level did not start with a full maze";
    EXPECT_EQ(PelletsOnRow(level2, 6, 26, 26) + PelletsOnRow(level2, 7, 26, 26), 2)
        << "the next level did not start with a full maze";

    g.Press({"Escape"});
    g.Await(MenuOn(1), 5, "Escape did not return to the menu with PLAY GAME highlighted");
    ToPlay(g);
    const Picture fresh =
        g.Await(GobRunning, 10, "the fresh game did not start Gobbler on (5, 13)");
    EXPECT_TRUE(FreshRow5(fresh)) << "the fresh game's row 5 is not full";
    // Two digits again, where the last game showed four.
    EXPECT_LT(LitScore(fresh), LitScore(level2) * 3 / 4) << "the fresh game kept its score";
    EXPECT_TRUE(g.Running());
    EXPECT_EQ(g.Errors(), "");
}

// A session of real play: Gobbler runs right along its row to the wall, is
// steered up the right-hand side onto the power pellet in the corner and
// stays there in the power period while the ghosts wander blue; Escape
// abandons the game in the middle of it, and QUIT in the menu ends the
// program with status 0. The test build's sanitizers watch the whole
// session: nothing may be reported and no heap record lost at exit.
TEST_F(Play, APowerPelletSessionEndsCleanlyOnQuit) {
    Game& g = Start();
    ToMenu(g);
    g.Press({"p"});
    g.Await(GobOn(5, 26), 20, "Gobbler did not run along row 5 to the wall at column 26");
    g.Press({"8"});
    g.Await(GobOn(1, 26), 10, "Gobbler did not run up the right-hand side to the power pellet");
    // The ghosts turn blue: the cyan and the green one are nowhere in the
    // maze, and the bright blue of their bodies (about 400 pixels each) joins
    // the 564 pixels of the walls' highlights.
    const ColourTest cyanOrGreen = [](Rgb c) {
        return c.g > 80 && c.r * 3 < c.g && (c.b * 3 < c.g || c.b > 80);
    };
    const ColourTest scaredBlue = [](Rgb c) { return c.r < 10 && c.g < 10 && c.b >= 250; };
    g.Await(
        [&](const Picture& p) {
            return p.Count(MazeBox(), cyanOrGreen) == 0 && p.Count(MazeBox(), scaredBlue) > 1200;
        },
        5, "the ghosts did not turn blue in the power period");
    g.Press({"Escape"});
    g.Await(MenuOn(1), 10, "Escape did not return to the menu");
    g.Press({"2", "2", "2", "2", "q"});
    EXPECT_EQ(g.AwaitExit(10, "mazerush did not end on QUIT"), 0);
    EXPECT_EQ(g.Errors(), "");
    EXPECT_EQ(g.Output(), "");
}

}  // namespace
