// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the support library: the stopwatch, the random draws, the stack.
#include <gtest/gtest.h>

#include <cstdlib>  // setenv, unsetenv
#include <string>

#include "../support/random.h"
#include "../support/stack.h"
#include "../support/timer.h"

// --- Timer -----------------------------------------------------------------
// Elapsed time is simulated by moving a running timer's start reading back,
// never by sleeping.

TEST(Timer, NewTimerIsStoppedAtZero) {
    Timer timer;
    EXPECT_EQ(timer.running, 0);
    EXPECT_EQ(timer.Time(), 0.0);
    EXPECT_EQ(timer.Time(), 0.0);
}

TEST(Timer, TimeOfARunningTimerGrowsAndKeepsItRunning) {
    Timer timer;
    timer.Reset();
    timer.Start();
    timer.start -= 1.0;  // as if a second had passed since Start
    const double first = timer.Time();
    EXPECT_NEAR(first, 1.0, 0.01);
    EXPECT_EQ(timer.running, 1);
    timer.start -= 0.5;
    const double second = timer.Time();
    EXPECT_NEAR(second, 1.5, 0.01);
    EXPECT_GE(second, first);
}

TEST(Timer, StoppedTimerReadsTheSameOnEveryCall) {
    Timer timer;
    timer.Start();
    timer.start -= 2.0;
    timer.Stop();
    const double total = timer.Time();
    EXPECT_NEAR(total, 2.0, 0.01);
    EXPECT_EQ(timer.Time(), total);
    EXPECT_EQ(timer.Time(), total);
}

TEST(Timer, StartWithoutResetAddsToTheTotal) {
    Timer timer;
    timer.Start();
    timer.start -= 1.0;
    timer.Stop();
    timer.Start();
    timer.start -= 0.25;
    EXPECT_NEAR(timer.Time(), 1.25, 0.01);
}

TEST(Timer, ResetStopsAndClears) {
    Timer timer;
    timer.Start();
    timer.start -= 3.0;
    timer.Time();
    timer.Reset();
    EXPECT_EQ(timer.running, 0);
    EXPECT_EQ(timer.Time(), 0.0);
}

TEST(Timer, SecondStopAddsTheIntervalAgain) {
    Timer timer;
    timer.Start();
    timer.start -= 1.0;
    timer.Stop();
    timer.Stop();
    EXPECT_NEAR(timer.Time(), 2.0, 0.01);
}

TEST(Timer, GetTimeReadsTheWallClock) {
    Timer timer;
    timeval tv;
    gettimeofday(&tv, nullptr);
    const double now = tv.tv_sec + tv.tv_usec / 1000000.0;
    EXPECT_NEAR(timer.GetTime(), now, 0.5);
}

// --- Random numbers --------------------------------------------------------

TEST(Random, IntegersStayInRangeAndAreUniform) {
    srand(12345);
    int counts[4] = {0, 0, 0, 0};
    const int draws = 40000;
    for (int i = 0; i < draws; i++) {
        const int k = RandomInteger(0, 3);
        ASSERT_GE(k, 0);
        ASSERT_LE(k, 3);
        counts[k]++;
    }
    for (int c : counts) {
        EXPECT_NEAR(c, draws / 4, draws / 40);
    }
}

TEST(Random, SingleValueRangeAlwaysGivesThatValue) {
    for (int i = 0; i < 1000; i++) {
        EXPECT_EQ(RandomInteger(5, 5), 5);
    }
}

TEST(Random, IntegerRangeWithNegativeLowBound) {
    bool seen[5] = {false, false, false, false, false};
    for (int i = 0; i < 2000; i++) {
        const int k = RandomInteger(-2, 2);
        ASSERT_GE(k, -2);
        ASSERT_LE(k, 2);
        seen[k + 2] = true;
    }
    for (bool s : seen) {
        EXPECT_TRUE(s);
    }
}

TEST(Random, RealsAreHalfOpen) {
    double lowest = 1.0;
    double highest = 0.0;
    for (int i = 0; i < 100000; i++) {
        const double d = RandomReal(0.0, 1.0);
        ASSERT_GE(d, 0.0);
        ASSERT_LT(d, 1.0);
        lowest = d < lowest ? d : lowest;
        highest = d > highest ? d : highest;
    }
    EXPECT_LT(lowest, 0.01);
    EXPECT_GT(highest, 0.99);
    const double scaled = RandomReal(10.0, 20.0);
    EXPECT_GE(scaled, 10.0);
    EXPECT_LT(scaled, 20.0);
}

TEST(Random, RandomizeSeedsFromTheClock) {
    Randomize();
    const int a = rand();
    srand(static_cast<unsigned>(time(nullptr)));
    const int b = rand();
    // Within the same second the two seeds agree (retry once across a tick).
    if (a != b) {
        Randomize();
        const int c = rand();
        srand(static_cast<unsigned>(time(nullptr)));
        EXPECT_EQ(c, rand());
    }
}

TEST(Random, ReadSeedTakesOnlyAWholeUnsignedNumber) {
    unsigned seed = 7;
    EXPECT_TRUE(ReadSeed("1798761632", &seed));
    EXPECT_EQ(seed, 1798761632U);
    EXPECT_TRUE(ReadSeed("0", &seed));
    EXPECT_EQ(seed, 0U);
    EXPECT_TRUE(ReadSeed("4294967295", &seed));
    EXPECT_EQ(seed, 4294967295U);
    for (const char* bad : {"", "-1", "+5", " 5", "5 ", "12a", "1.5", "0x10", "4294967296", "99999999999"}) {
        seed = 7;
        EXPECT_FALSE(ReadSeed(bad, &seed)) << bad;
        EXPECT_EQ(seed, 7U) << bad;
    }
}

// Each test runs in a process of its own: the variable set here goes with it.
TEST(Random, RandomizeTakesMazerushSeedAndReportsOneThatIsNone) {
    setenv("MAZERUSH_SEED", "1798761632", 1);
    testing::internal::CaptureStderr();
    Randomize();
    const int first = rand();
    srand(1798761632U);
    EXPECT_EQ(first, rand());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    setenv("MAZERUSH_SEED", "12a", 1);
    testing::internal::CaptureStderr();
    Randomize();
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_NE(report.find("MAZERUSH_SEED=12a is no whole number"), std::string::npos) << report;
    unsetenv("MAZERUSH_SEED");
}

// --- Stack -----------------------------------------------------------------

TEST(Stack, NewStackIsEmpty) {
    stackCDT* s = NewStack();
    EXPECT_TRUE(StackIsEmpty(s));
    EXPECT_FALSE(StackIsFull(s));
    EXPECT_EQ(StackDepth(s), 0);
    FreeStack(s);
}

TEST(Stack, PopsInReverseOrder) {
    int a = 1;
    int b = 2;
    int c = 3;
    stackCDT* s = NewStack();
    Push(s, &a);
    Push(s, &b);
    Push(s, &c);
    EXPECT_EQ(StackDepth(s), 3);
    EXPECT_EQ(Pop(s), &c);
    EXPECT_EQ(Pop(s), &b);
    EXPECT_EQ(Pop(s), &a);
    EXPECT_TRUE(StackIsEmpty(s));
    FreeStack(s);
}

TEST(Stack, FullStackRefusesAndReports) {
    static int cells[stackCapacity + 1];
    stackCDT* s = NewStack();
    for (int i = 0; i < stackCapacity; i++) {
        Push(s, &cells[i]);
    }
    EXPECT_TRUE(StackIsFull(s));
    testing::internal::CaptureStdout();
    Push(s, &cells[stackCapacity]);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Stack size exceeded\n");
    EXPECT_EQ(StackDepth(s), stackCapacity);
    // The refused element is not on top: the 400th is.
    EXPECT_EQ(Pop(s), &cells[stackCapacity - 1]);
    FreeStack(s);
}

TEST(Stack, PopOfEmptyStackReportsAndStaysAtZero) {
    stackCDT* s = NewStack();
    testing::internal::CaptureStdout();
    EXPECT_EQ(Pop(s), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Pop of an empty stack\n");
    EXPECT_EQ(StackDepth(s), 0);
    int a = 7;
    Push(s, &a);
    EXPECT_EQ(StackDepth(s), 1);
    EXPECT_EQ(Pop(s), &a);
    FreeStack(s);
}
