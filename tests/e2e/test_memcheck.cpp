// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// A whole session of the real program under valgrind's memcheck (make
// memcheck; valgrind makes every frame slow, so the case is left out of the
// suite's run): the intro skipped, the menu (eight ghosts chosen, so that
// meetings come soon), play onto the power pellet in the top right corner
// with the ghosts about it, a level change, play until a ghost has cost a
// life, Escape back to the menu and QUIT. Nothing definitely or indirectly
// lost may be laid to the program's own code and no invalid read or write
// may show: memcheck then ends the program with status 3 instead of 0. Only
// what the GL driver and the X libraries allocate themselves is suppressed
// (tests/valgrind.supp matches the allocating frames, not the whole stack).
//
// Under valgrind a frame takes a second or so, and a piece steps at most
// once a frame: Gobbler reaches the wall in 13 frames and the power pellet
// in 4 more, where a ghost needs at least 21 steps to reach either.
//
// MAZERUSH names a build without sanitizers; MEMCHECK_LOG, memcheck's log.
#include <cstdlib>
#include <iostream>

#include "e2e.h"

namespace {

using namespace drive;

class Memcheck : public e2e::Case {};

TEST_F(Memcheck, DISABLED_WholeSessionLosesNothing) {
    const char* log = std::getenv("MEMCHECK_LOG");
    const std::string logFile = log != nullptr && *log ? log : e2e::BuildDir() + "/memcheck.log";
    GameOptions options;
    options.prefix = {"valgrind",
                      "--tool=memcheck",
                      "--trace-children=yes",
                      "--keep-debuginfo=yes",
                      "--leak-check=full",
                      "--show-leak-kinds=definite,indirect",
                      "--errors-for-leak-kinds=definite,indirect",
                      "--error-exitcode=3",
                      "--num-callers=30",
                      "--suppressions=" + e2e::SourceDir() + "/tests/valgrind.supp",
                      "--log-file=" + logFile};
    options.windowDeadline = 120;
    Game& g = Start(options);
    std::cout << "memcheck's log: " << logFile << std::endl;
    g.Await(IntroUp, 120, "the intro did not show");
    g.Press({"s"});
    g.Await(MenuOn(1), 60, "s did not bring up the menu");
    g.Press({"2", "6", "6"});  // difficulty up twice: eight ghosts
    g.Await(MenuOn(2), 60, "the menu did not move to DIFFICULTY");
    g.Press({"8"});  // back to the first line, after the difficulty keys
    g.Await(MenuOn(1), 60, "the menu did not move back to PLAY GAME");
    g.Press({"p"});
    g.Await(GobOn(5, 26), 120, "Gobbler did not run along row 5 to the wall");
    g.Press({"8"});  // up the right-hand side onto the power pellet
    g.Await(GobOn(1, 26), 60, "Gobbler did not reach the power pellet");
    g.Press({"x"});  // a level change
    g.Await(MazeGone, 60, "x did not bring up the level-change screen");
    g.Await(MazeUp, 120, "play did not come back after the level change");
    g.Await([](const Picture& p) { return LivesShown(p) < 3; }, 300, "no ghost caught Gobbler");
    g.Press({"Escape"});
    g.Await(MenuOn(1), 60, "Escape did not return to the menu");
    g.Press({"2", "2", "2", "2", "q"});
    EXPECT_EQ(g.AwaitExit(120, "mazerush did not end on QUIT"), 0)
        << "3: memcheck found a leak or an invalid access; see " << logFile;
}

}  // namespace
