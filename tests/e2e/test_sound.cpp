// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// The real program heard: its mix, as a sound card would get it, written by
// OpenAL Soft's wave writer into a pipe the case reads (drive::Recording).
// Gobbler eating its way along row 5 chomps, a chomp for each pellet, and a
// power pellet starts the blue tone; paused play and a hidden window are
// silent, and so is the menu once its tick has sounded, with no mixer
// running; --mute is silent until F10. A sound device that goes away in the
// middle of a game leaves it running, with one line said about it.
#include <unistd.h>  // unlink, rmdir

#include <algorithm>
#include <fstream>

#include "e2e.h"
// After GoogleTest, whose names Xlib's macros would spoil.
#include "../../tools/drive/sound.h"

namespace {

using namespace drive;

class Sound : public e2e::Case {
protected:
    Game& StartRecorded(const Recording& recording, std::vector<std::string> args = {}) {
        GameOptions options;
        options.env = recording.Env();
        options.args = std::move(args);
        return Start(options);
    }
};

// Samples of a recording, by seconds.
size_t At(double seconds) {
    return static_cast<size_t>(seconds * recordingRate);
}

// Whether the samples from first on, over a second of real time, stay
// silent: none comes, or none that sounds.
::testing::AssertionResult StaysSilent(const Recording& recording) {
    Hold(0.3);  // the key or the window's change reaches the game
    const size_t first = recording.Count();
    const double held = Hold(1.0);
    const float peak = recording.PeakFrom(first);
    if (peak < 1e-4f) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "peak " << peak << " in " << held << " s, "
                                         << recording.Count() - first << " samples";
}

// Row 5 eaten from column 13 to the wall at 26, then up the right-hand side
// onto the power pellet at (1, 26): a chomp a pellet in Gobbler's rhythm of
// 0.2 s, then the blue period's tone. P pauses, and the mix is silent until
// P again; a hidden window is silent too.
TEST_F(Sound, ChompsAndTheBlueToneAndSilenceWhenPausedOrHidden) {
    Recording recording;
    Game& g = StartRecorded(recording);
    ToMenu(g);
    g.Press({"p"});
    g.Await(GobOn(5, 26), 20, "Gobbler did not run along row 5 to the wall at column 26");
    // A chomp a pellet, low and high in turn, each a step of Gobbler's after
    // the one before (0.2 s of its time, give or take the frames of a loaded
    // machine).
    const std::vector<float> row = recording.Samples();
    std::vector<std::pair<size_t, soundT>> chomps;
    for (const soundT chomp : {SOUND_CHOMP_LOW, SOUND_CHOMP_HIGH}) {
        for (const size_t at : Find(row, chomp)) {
            chomps.emplace_back(at, chomp);
        }
    }
    std::sort(chomps.begin(), chomps.end());
    // (One that another sound covers, as the call of PLAY GAME covers the
    // first, matches less well and is not counted.)
    EXPECT_GE(chomps.size(), 10U) << "chomps heard along the 13 pellets of row 5";
    for (size_t i = 1; i < chomps.size(); i++) {
        const double apart =
            static_cast<double>(chomps[i].first - chomps[i - 1].first) / recordingRate;
        EXPECT_TRUE(apart > 0.3 || chomps[i].second != chomps[i - 1].second)
            << "the chomps of two steps in a row do not take turns";
    }

    g.Press({"8"});
    g.Await(GobOn(1, 26), 10, "Gobbler did not run up to the power pellet");
    const size_t power = recording.Count();
    recording.AwaitCount(power + At(1.5), 10, "the sound stopped after the power pellet");
    EXPECT_GT(Likeness(recording.Samples(), power + At(0.5), 0.8, SOUND_BLUE), 0.6)
        << "no blue tone after the power pellet";

    g.Press({"p"});
    EXPECT_TRUE(StaysSilent(recording)) << "paused play";
    g.Press({"p"});
    const size_t resumed = recording.Count();
    recording.AwaitCount(resumed + At(0.5), 10, "the sound did not come back after P");
    EXPECT_GT(recording.PeakFrom(resumed), 0.01f) << "silent after P resumed play";
    g.Show(false);
    EXPECT_TRUE(StaysSilent(recording)) << "hidden window";

    // On the menu its tick sounds, and then the mixer rests: the wave writer,
    // which writes as long as OpenAL Soft mixes, stops, and the game waits
    // for a key.
    g.Show(true);
    const size_t menu = recording.Count();
    g.Press({"Escape", "m"});
    g.Await(MenuOn(2), 10, "Escape and m did not bring the menu");
    recording.AwaitCount(menu + At(0.02), 10, "no tick on the menu");
    EXPECT_GT(recording.PeakFrom(menu), 0.01f) << "no tick on the menu";
    const Stopwatch watch;
    size_t written = 0;
    while (written != recording.Count() && watch.Seconds() < 5.0) {
        written = recording.Count();
        Hold(0.5);
    }
    EXPECT_EQ(written, recording.Count()) << "the mixer ran on after the menu's tick";
    EXPECT_TRUE(e2e::Waits(g)) << "on the menu after its tick";
}

// --mute: Gobbler eats a row in silence; F10 brings the chomps.
TEST_F(Sound, MuteIsSilentUntilF10) {
    Recording recording;
    Game& g = StartRecorded(recording, {"--mute"});
    ToMenu(g);
    g.Press({"p"});
    g.Await(GobOn(5, 20), 20, "Gobbler did not run along row 5");
    EXPECT_LT(recording.PeakFrom(0), 1e-4f) << "--mute: sound in the mix";
    g.Press({"F10"});
    g.Await(GobOn(5, 26), 10, "Gobbler did not run to the wall at column 26");
    recording.AwaitCount(At(0.5), 10, "F10 brought no sound");
    const std::vector<float> heard = recording.Samples();
    EXPECT_FALSE(Find(heard, SOUND_CHOMP_LOW).empty() && Find(heard, SOUND_CHOMP_HIGH).empty())
        << "no chomp after F10";
}

// The device goes away in the middle of play (a sound server restarted, a
// card unplugged): here OpenAL's wave writer fails to write once its file
// reaches the size the shell lets the game write (about 3 s of sound; the
// signal of a file too large is ignored, so that the write fails instead).
// The game plays on, and says so in one line, once.
TEST_F(Sound, ADeviceThatGoesAwayLeavesTheGameRunning) {
    const std::string dir = MakeTempDir("lost");
    const std::string config = dir + "/alsoft.conf";
    const std::string wave = dir + "/mix.wav";
    std::ofstream(config) << "[wave]\nfile = " << wave << "\n";
    GameOptions options;
    options.env = {"ALSOFT_CONF=" + config};
    options.prefix = {"sh", "-c", "ulimit -f 2048 && trap '' XFSZ && exec \"$@\"", "sh"};
    Game& g = Start(options);
    ToMenu(g);
    ToPlay(g);
    const Stopwatch watch;
    while (g.Errors().empty() && watch.Seconds() < 20.0) {
        Hold(0.05);
    }
    EXPECT_EQ(g.Errors(), "mazerush: the sound device went away; the game goes on without sound\n");
    const Picture before = g.Look();
    g.Await([&before](const Picture& p) { return p.Differ(before, MazeBox()) > 20; }, 10,
            "play stood still after the sound device went away");
    g.Press({"Escape"});
    g.Await(MenuOn(1), 10, "the keys went unanswered after the sound device went away");
    EXPECT_TRUE(g.Running());
    unlink(wave.c_str());
    unlink(config.c_str());
    rmdir(dir.c_str());
}

}  // namespace
