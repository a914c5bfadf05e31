// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// e2e: the cases' fixture.
#include "e2e.h"

#include <cstdlib>
#include <iostream>

namespace e2e {

std::string Program() {
    const char* program = std::getenv("MAZERUSH");
    return program != nullptr && *program ? program : MAZERUSH_PROGRAM;
}

std::string SourceDir() {
    return MAZERUSH_SOURCE_DIR;
}

std::string BuildDir() {
    return MAZERUSH_BUILD_DIR;
}

::testing::AssertionResult Waits(drive::Game& game) {
    double held = 0.0;
    const double share = game.CpuShare(2.0, &held);
    if (share < 0.1) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the game took " << share << " of a core over " << held
                                         << " s: it does not wait for a key";
}

drive::Game& Case::Start(drive::GameOptions options) {
    game.reset();
    if (options.program.empty()) {
        options.program = Program();
    }
    if (options.fakeClock.empty()) {
        options.fakeClock = MAZERUSH_FAKECLOCK;
    }
    // Mesa's software renderer, and the sanitizer build's settings: leaks of
    // the GL driver and the X libraries alone are left out of its leak check
    // (tests/gl_main.cpp says why the TLS option). The sound goes to OpenAL
    // Soft's wave writer, which writes nothing unless a case gives it a file
    // (drive::Recording): no case plays through the machine's speakers.
    options.env.insert(options.env.begin(), {"LIBGL_ALWAYS_SOFTWARE=1", "ALSOFT_DRIVERS=wave",
                                             "LSAN_OPTIONS=suppressions=" + SourceDir() +
                                                 "/tests/lsan.supp:print_suppressions=0",
                                             "ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0",
                                             "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"});
    game = std::make_unique<drive::Game>(x, options);
    return *game;
}

drive::Game& Case::StartOnClock(double speed) {
    drive::GameOptions options;
    options.clock = speed;
    return Start(options);
}

void Case::TearDown() {
    if (HasFailure() && game && !game->Last().Empty()) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string kept =
            BuildDir() + "/e2e-failed-" + test->test_suite_name() + "." + test->name() + ".png";
        game->Last().SavePng(kept);
        std::cerr << "the last look at the window: " << kept << "\n";
    }
}

}  // namespace e2e
