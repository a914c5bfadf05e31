// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// The main menu of the real program, driven by real key presses: its words
// in their colours, the highlight moved by the letter keys and the arrows,
// the settings and what they do to play, the fresh game after Escape, and
// QUIT.
#include "e2e.h"

namespace {

using namespace drive;

class Menu : public e2e::Case {};

// The box of the world rectangle (x0, y0)-(x1, y1) in the plane z = 0, as
// the menu's camera sees it.
Box Rect(double x0, double y0, double x1, double y1) {
    return Box::Spanning(ScreensPoint(x0, y1), ScreensPoint(x1, y0));
}

// The values right of DIFFICULTY, VIEW IN 3D and FOG.
const Box difficultyValue = MenuValue(1);
const Box viewValue = MenuValue(0);
const Box fogValue = MenuValue(-1);

// The fog's grey all over the window's corner.
bool FogUp(const Picture& p) {
    return p.Count(Box{0, 0, 10, 10}, IsFog) == 100;
}

// "s" skips the intro to the menu: the orange title, PLAY GAME selected (a
// red initial, the rest magenta, no white in either), the other lines white,
// the light-blue values, a black background. The menu waits for a key at
// next to no processor time. "m" and "i" move the highlight; "f" on the fog
// line changes the value shown but leaves the menu black; "p" starts play in
// the fog's grey; Escape comes back to the menu with the fog off; "q" does
// nothing off the quit line and on it ends the program with status 0.
TEST_F(Menu, KeysMoveTheHighlightChooseAFogAndQuit) {
    Game& g = Start();
    ToMenu(g);
    const Picture& menu = g.Last();
    const Box title = Rect(1.0, 3.3, 5.0, 4.3);
    EXPECT_GT(menu.Count(title, IsOrange), 40)
        << "the title is " << probe::MostLit(menu, title) << ", not orange";
    const Box initial = Rect(0.0, 1.85, 0.40, 2.55);
    EXPECT_GT(menu.Count(initial, IsRed), 5)
        << "the P of PLAY GAME is " << probe::MostLit(menu, initial) << ", not red";
    EXPECT_EQ(menu.Count(initial, IsWhite), 0) << "white in the highlighted P";
    EXPECT_EQ(menu.Count(MenuLine(1), IsWhite), 0) << "white in the highlighted line";
    const int noFog = menu.Count(fogValue, IsLightBlue);
    EXPECT_GT(noFog, 20) << "the fog value is " << probe::MostLit(menu, fogValue)
                         << ", not light blue";
    EXPECT_TRUE(probe::Is(menu.At(5, 5), IsBlack, "black")) << "the menu's background";
    EXPECT_TRUE(e2e::Waits(g)) << "on the menu";

    g.Press({"m"});
    g.Await(MenuOn(2), 10, "after m: DIFFICULTY is not highlighted");
    g.Press({"i"});
    g.Await(MenuOn(1), 10, "after i: PLAY GAME is not highlighted again");

    // "NO FOG" becomes "EXP TYPE 1", a longer value.
    g.Press({"m", "m", "m", "f"});
    g.Await([noFog](const Picture& p) { return p.Count(fogValue, IsLightBlue) > noFog + 20; }, 10,
            "f left the fog value");
    EXPECT_TRUE(probe::Is(g.Last().At(5, 5), IsBlack, "black")) << "fog shows in the menu";

    g.Press({"8", "8", "8", "p"});
    g.Await(FogUp, 10, "play did not start in the fog's grey");
    g.Press({"Escape"});
    g.Await(MenuOn(1), 10, "after Escape: no menu with PLAY GAME highlighted");
    EXPECT_TRUE(probe::Is(g.Last().At(5, 5), IsBlack, "black")) << "the fog stayed on after Escape";

    // "q" on PLAY GAME does nothing: the key after it is still read.
    g.Press({"q", "m"});
    g.Await(MenuOn(2), 10, "q on PLAY GAME ended the program or stopped its keys");
    g.Press({"m", "m", "m", "q"});
    EXPECT_EQ(g.AwaitExit(5, "q on QUIT did not end the program"), 0) << g.Errors();
}

// The highlight walks down the five lines and back up, stopping at either
// end. On DIFFICULTY the raise key turns "WUSS" into the longer "EXPERT"
// (and no further), on VIEW IN 3D it turns "2D VIEW" into "3D VIEW", on FOG
// "f" chooses a fog; play then starts in the fog's grey with the camera
// behind Gobbler, which stands in the middle of the window. Escape brings
// back the menu with every setting at its first value. The keys are read in
// order, so the picture in which the highlight has moved on shows the value
// that the keys before it left.
TEST_F(Menu, SettingsShowTheirValuesAndShapePlay) {
    Game& g = Start();
    ToMenu(g);
    const Picture first = g.Last();
    const int wuss = first.Count(difficultyValue, IsLightBlue);
    ASSERT_GT(wuss, 20) << "no difficulty value beside DIFFICULTY";
    const auto stepTo = [&g](const char* key, int line) {
        g.Press({key});
        g.Await(
            MenuOn(line), 5,
            std::string("after ") + key + " the highlight is not on line " + std::to_string(line));
    };
    for (int line : {2, 3, 4, 5, 5}) {
        stepTo("m", line);
    }
    for (int line : {4, 3, 2, 1, 1}) {
        stepTo("i", line);
    }

    stepTo("m", 2);
    g.Press({"6", "6"});
    stepTo("m", 3);
    const int expert = g.Last().Count(difficultyValue, IsLightBlue);
    EXPECT_GT(expert, wuss + 20) << "the raise key did not make the difficulty EXPERT";
    stepTo("i", 2);
    g.Press({"6"});
    stepTo("m", 3);
    EXPECT_EQ(g.Last().Count(difficultyValue, IsLightBlue), expert)
        << "the difficulty went past EXPERT";

    g.Press({"6"});
    g.Await([&first](const Picture& p) { return p.Differ(first, viewValue) > 10; }, 5,
            "the view value did not change");

    stepTo("m", 4);
    const int noFog = first.Count(fogValue, IsLightBlue);
    g.Press({"f"});
    g.Await([noFog](const Picture& p) { return p.Count(fogValue, IsLightBlue) > noFog + 20; }, 5,
            "f did not choose a fog");
    EXPECT_TRUE(probe::Is(g.Last().At(4, 4), IsBlack, "black")) << "the fog shows in the menu";

    for (int line : {3, 2, 1}) {
        stepTo("i", line);
    }
    g.Press({"p"});
    g.Await(FogUp, 5, "play did not start in the fog's grey");
    EXPECT_GT(g.Last().Count(Box::Around(BehindPoint(5, 14, 5, 14), 6), IsYellow), 60)
        << "Gobbler is not in the middle of the window: the camera is not behind it";
    // From above, Gobbler would lie at the top of the window, a quarter across.
    EXPECT_LT(g.Last().Count(Box::Around(AbovePoint(5, 14), 6), IsYellow), 10)
        << "play shows the view from above";

    g.Press({"Escape"});
    g.Await(MenuOn(1), 5, "Escape did not bring back the menu");
    for (const Box& value : {difficultyValue, viewValue, fogValue}) {
        EXPECT_EQ(g.Last().Differ(first, value), 0) << "a setting kept its value after Escape";
    }
    EXPECT_TRUE(g.Running());
    EXPECT_EQ(g.Errors(), "");
}

// What a new player tries first: the arrow keys move the menu's highlight as
// "2" and "8" do, and a game abandoned while paused leaves no pause behind:
// after P and Escape in play, P on the menu shows the maze of a running
// game, not the menu's frame standing still.
TEST_F(Menu, ArrowKeysMoveItAndAGameLeftPausedLeavesNoPause) {
    Game& g = Start();
    ToMenu(g);
    g.Press({"Down"});
    g.Await(MenuOn(2), 10, "the Down arrow did not move the highlight to DIFFICULTY");
    g.Press({"Up"});
    g.Await(MenuOn(1), 10, "the Up arrow did not move the highlight back to PLAY GAME");
    ToPlay(g);
    g.Press({"p", "Escape"});
    g.Await(MenuOn(1), 10, "Escape from paused play did not bring up the menu");
    g.Press({"p"});
    g.Await(MazeUp, 10, "p after a game abandoned while paused shows no maze");
}

}  // namespace
