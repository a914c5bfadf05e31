// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// The soak: a million play ticks and a hundred thousand frames in one
// process, with the resident memory read at the start and at the end. It
// takes minutes, so it is left out of the default run: `make soak` runs it
// (with the sanitizer's quarantine of freed blocks turned off, which would
// otherwise hold freed memory on purpose and make the figure grow).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "stress_common.h"

namespace {

long ResidentKiB() {
    long pages = 0;
    long resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) {
        return -1;
    }
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
        resident = -1;
    }
    std::fclose(statm);
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Ticks of play with random steering, a power pellet now and then, and a
// new game from the menu whenever one ends; a frame every framesEvery ticks.
void RunTicks(long ticks, long framesEvery) {
    const unsigned char keys[] = {'8', '6', '2', '4', 'x', 't'};
    for (long i = 0; i < ticks; i++) {
        if (i % 7 == 0) {
            const int r = rand() % 100;
            Keyboard(keys[r < 96 ? r % 4 : (r < 98 ? 4 : 5)], 0, 0);
        }
        stress::AdvanceClocks(0.05);
        Idle();
        if (gameOver) {
            Keyboard('q', 0, 0);
        }
        if (menu) {
            Keyboard('p', 0, 0);
        }
        if (i % framesEvery == 0) {
            Display();
        }
    }
}

}  // namespace

TEST(Soak, DISABLED_AMillionTicksAndAHundredThousandFramesHoldMemoryFlat) {
    const long ticks = 1000000;
    const long framesEvery = 10;
    Init();
    Reshape(80, 55);  // a small viewport: the soak is about memory, not pixels
    srand(11);
    RestartGame();
    Keyboard('s', 0, 0);
    Keyboard('p', 0, 0);
    RunTicks(ticks / 20, framesEvery);  // warm up: the GL driver's caches fill
    const long start = ResidentKiB();
    std::printf("soak: resident %ld KiB after the warm-up\n", start);
    const long stretch = ticks / 10;
    for (long done = 0; done < ticks; done += stretch) {
        RunTicks(stretch, framesEvery);
        std::printf("soak: resident %ld KiB after %ld ticks\n", ResidentKiB(), done + stretch);
        std::fflush(stdout);
    }
    const long end = ResidentKiB();
    std::printf("soak: resident %ld KiB at the start, %ld KiB at the end\n", start, end);
    RecordProperty("residentStartKiB", static_cast<int>(start));
    RecordProperty("residentEndKiB", static_cast<int>(end));
    EXPECT_LT(end - start, 4096);
    RestartGame();
    for (int i = 0; i < maxGhosts; i++) {
        FreePath(&ghost[i]);
    }
}
