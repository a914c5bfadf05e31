// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// screens: what the game's window shows.
#include "screens.h"

namespace drive {

bool IntroUp(const Picture& p) {
    return !IsBlack(p.At(4, 4));
}

// Line n's baseline stands at y = 3 - n; the rest of its word runs from
// x = 0.45 to about 2.4, half a unit tall.
Box MenuLine(int n) {
    const double y = 3.0 - n;
    return Box::Spanning(ScreensPoint(0.45, y - 0.05), ScreensPoint(2.4, y + 0.5));
}

Box MenuValue(double y) {
    return Box::Spanning(ScreensPoint(5.0, y - 0.05), ScreensPoint(9.0, y + 0.5));
}

bool MenuOn(const Picture& p, int line) {
    for (int n = 1; n <= 5; n++) {
        const int magenta = p.Count(MenuLine(n), IsMagenta);
        if (n == line ? magenta <= 20 : magenta != 0 || p.Count(MenuLine(n), IsWhite) <= 20) {
            return false;
        }
    }
    return true;
}

Shows MenuOn(int line) {
    return [line](const Picture& p) { return MenuOn(p, line); };
}

Box LeftWall() {
    return Box::Spanning(AbovePoint(-0.5, -0.3), AbovePoint(30.5, 0.3));
}

Box MazeBox() {
    return Box::Spanning(AbovePoint(-0.5, -0.5), AbovePoint(30.5, 27.5));
}

bool MazeUp(const Picture& p) {
    return p.Count(LeftWall(), IsBlue) > 1000;
}

bool MazeGone(const Picture& p) {
    return p.Count(LeftWall(), IsBlue) < 20;
}

bool GobOn(const Picture& p, int row, int col) {
    const auto yellow = [&p](int r, int c) {
        return p.Count(Box::Around(AbovePoint(r, c), 6), IsYellow);
    };
    const int here = yellow(row, col);
    return here > 40 && yellow(row - 1, col) < here && yellow(row, col + 1) < here &&
           yellow(row + 1, col) < here && yellow(row, col - 1) < here;
}

Shows GobOn(int row, int col) {
    return [row, col](const Picture& p) { return GobOn(p, row, col); };
}

Box ScoreBox() {
    return Box::Spanning(AbovePoint(26.3, 28.7), AbovePoint(29.5, 40.0));
}

int LivesShown(const Picture& p) {
    int lives = 0;
    for (int row : {1, 3, 5}) {
        lives += p.Count(Box::Around(AbovePoint(row, 31), 10), IsYellow) > 100 ? 1 : 0;
    }
    return lives;
}

bool GameOverUp(const Picture& p) {
    return !MazeUp(p) && p.Count(Box::Around(ScreensPoint(4.0, -1.0), 8), IsYellow) > 100 &&
           p.Count(Box::Spanning(ScreensPoint(0.0, 1.0, 3.0), ScreensPoint(5.0, 2.2, 3.0)),
                   IsWhite) > 100;
}

void ToMenu(Game& game) {
    game.Await(IntroUp, 15, "the intro did not show");
    game.Press({"s"});
    game.Await(MenuOn(1), 10, "s did not bring up the menu");
}

void ToPlay(Game& game) {
    game.Press({"p"});
    game.Await(MazeUp, 10, "p on PLAY GAME did not start play");
}

}  // namespace drive
