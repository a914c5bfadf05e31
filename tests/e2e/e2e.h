// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// e2e: what the end-to-end cases share. Each case runs on a virtual X server
// of its own and starts the real program on it with tools/drive, which types
// keys into its window and waits for the pictures that show their effect.
// A driver's failure (a picture that never came) fails the case with its
// message; the last look is then kept beside the build as
// e2e-failed-<case>.png for whoever reads why.
//
// The program and the tools come from the build (MAZERUSH_PROGRAM and the
// rest, set by tests/CMakeLists.txt); MAZERUSH in the environment names
// another program to test (the installed one, the packaged one).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "../../tools/drive/screens.h"
#include "../../tools/drive/window_manager.h"
#include "../probe.h"

namespace e2e {

// The program under test, and the source and build trees.
std::string Program();
std::string SourceDir();
std::string BuildDir();

// Whether the game, on a screen where nothing moves, takes under a tenth of
// a core over 2 s: it waits for a key instead of spinning.
::testing::AssertionResult Waits(drive::Game& game);

class Case : public ::testing::Test {
protected:
    // Starts the game, after ending the one started before; by default the
    // program under test on the real clock.
    drive::Game& Start(drive::GameOptions options = {});
    // Starts the game on the fake clock at that speed (0 stops it).
    drive::Game& StartOnClock(double speed);
    // The game started last.
    drive::Game& Current() {
        return *game;
    }

    void TearDown() override;

    drive::XServer x;
    std::unique_ptr<drive::Game> game;
};

}  // namespace e2e
