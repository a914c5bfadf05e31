// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// The real program as it starts: its window, the intro running by itself,
// its silence; the command line, answered before any window opens; and
// what a desktop recognises the window by.
#include "e2e.h"

namespace {

using namespace drive;

class Startup : public e2e::Case {};

// The window is 800 x 552 and titled "Gobbler" (the driver finds it by its
// title); the intro shows and keeps running while no key is pressed; the
// program writes nothing to standard output or standard error. The
// install and package tests run this case on the program they installed.
TEST_F(Startup, OpensItsWindowAndPlaysTheIntroSilently) {
    Game& g = Start();
    const Picture& first = g.Look();
    EXPECT_EQ(first.Width(), 800);
    EXPECT_EQ(first.Height(), 552);
    g.Await(IntroUp, 15, "the intro did not show");
    const double held = Hold(3.0);
    ASSERT_TRUE(g.Running()) << "mazerush stopped during the first " << held << " s of the intro";
    g.Stop();
    EXPECT_EQ(g.Output(), "");
    EXPECT_EQ(g.Errors(), "");
}

// -geometry gives the window's size, its place or both, as X programs take
// them; without it the window opens at 800 x 552 at (0, 0). A size is kept
// between 400 x 276 and the 1024 x 768 screen, and a place keeps the whole
// window on the screen; the intro plays in each. 32767 a side once ended the
// game in GL's first frame, 99999 in the X server's refusal, and 1 x 1 left
// nothing to see.
TEST_F(Startup, GeometryOptionGivesTheWindowsSizeAndPlace) {
    const struct {
        const char* geometry;
        Placement place;
    } cases[] = {
        {nullptr, {0, 0, 800, 552}},
        {"900x600+40+30", {40, 30, 900, 600}},
        {"1000x690", {0, 0, 1000, 690}},
        {"+40+30", {40, 30, 800, 552}},
        {"-10-20", {214, 196, 800, 552}},
        {"1000x690+40+30", {24, 30, 1000, 690}},
        {"1x1", {0, 0, 400, 276}},
        {"32767x32767", {0, 0, 1024, 768}},
        {"99999x99999+5000+5000", {0, 0, 1024, 768}},
        {"700x300+900-4000", {324, 0, 700, 300}},
    };
    for (const auto& c : cases) {
        GameOptions options;
        if (c.geometry != nullptr) {
            options.args = {"-geometry", c.geometry};
        }
        Game& g = Start(options);
        const std::string what = c.geometry ? c.geometry : "no -geometry";
        EXPECT_EQ(g.Place(), c.place) << what;
        g.Await(IntroUp, 15, "the intro did not show with " + what);
    }
}

// F11 switches between full screen and the window on every screen: on the
// intro the window fills the 1024 x 768 screen and its picture does too
// (the intro's background reaches the far corner); on the menu F11 gives
// back the 800 x 552 window at the place it had, (100, 50), with the menu
// in it. No window manager runs here: the game moves the window itself.
TEST_F(Startup, F11SwitchesBetweenFullScreenAndTheWindow) {
    GameOptions options;
    options.args = {"-geometry", "+100+50"};
    Game& g = Start(options);
    g.Await(IntroUp, 15, "the intro did not show");
    g.Press({"F11"});
    g.Await(
        [](const Picture& p) {
            return p.Width() == 1024 && p.Height() == 768 && !IsBlack(p.At(1019, 763));
        },
        10, "F11 on the intro did not fill the screen with its picture");
    EXPECT_EQ(g.Place(), (Placement{0, 0, 1024, 768}));
    g.Press({"s"});
    g.Await([](const Picture& p) { return IsBlack(p.At(4, 4)) && p.Count(IsMagenta) > 20; }, 10,
            "s did not bring up the menu in full screen");
    g.Press({"F11"});
    g.Await(MenuOn(1), 10, "F11 on the menu did not give back the 800 x 552 window");
    EXPECT_EQ(g.Place(), (Placement{100, 50, 800, 552}));
}

// Started iconic and closed by the window manager (the driver's stand-in
// for one, which leaves a window that starts iconic unmapped), the game
// ends at once with status 0. It once waited, in freeglut's
// glutCreateWindow, for the window to show, and never read the close.
TEST_F(Startup, ClosedWhileIconicItEnds) {
    WindowManager manager(x);
    GameOptions options;
    options.args = {"-iconic"};
    options.iconic = true;
    Game& g = Start(options);
    const Stopwatch watch;
    while (!manager.Iconic(g.Id()) && watch.Seconds() < 10.0) {
        Hold(0.05);
    }
    ASSERT_TRUE(manager.Iconic(g.Id())) << "the window did not become iconic within 10 s";
    manager.Close(g.Id());
    EXPECT_EQ(g.AwaitExit(5, "closed while iconic, the game ran on for 5 s"), 0);
    EXPECT_EQ(g.Errors(), "");
}

// With no X display at all: --help prints the usage, with the keys and the
// gamepad's buttons, to standard output and --version the project's
// version, both with exit status 0 and nothing on standard error; GLUT's
// options before --help are taken as GLUT's, value and all. A word that
// neither the game nor GLUT takes, a GLUT option missing its value, or a
// -geometry that cannot be read, is refused with one line naming it and the
// hint, exit status 2. The deadline ends a program that wrongly goes on to
// play.
TEST_F(Startup, CommandLineIsAnsweredWithoutADisplay) {
    const auto run = [](std::vector<std::string> args) {
        args.insert(args.begin(), e2e::Program());
        return RunToEnd(args, {"DISPLAY"}, 20.0);
    };
    Ran ran = run({"--version"});
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.output, "mazerush " MAZERUSH_VERSION "\n");
    EXPECT_EQ(ran.errors, "");

    ran = run({"-iconic", "-display", ":99", "--help"});
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.output.substr(0, ran.output.find('\n')), "Usage: mazerush [--mute] [X options]");
    for (const char* option :
         {"--version", "-display", "-geometry", "-iconic", "-direct", "-indirect", "-gldebug",
          "-sync", "man 6 mazerush", "Escape", "F11", "D-pad", "Start", "Back"}) {
        EXPECT_NE(ran.output.find(option), std::string::npos) << "--help does not name " << option;
    }
    EXPECT_EQ(ran.errors, "");

    const struct {
        std::vector<std::string> args;
        const char* said;
    } refused[] = {
        {{"--bogus"}, "unrecognized option '--bogus'"},
        {{"-sync", "extra"}, "unexpected argument 'extra'"},
        {{"-geometry"}, "a value must follow the option '-geometry'"},
        {{"-geometry", "garbage"}, "unreadable window geometry 'garbage'"},
        {{"-geometry", "800x"}, "unreadable window geometry '800x'"},
        {{"-geometry", "+1+"}, "unreadable window geometry '+1+'"},
    };
    for (const auto& r : refused) {
        ran = run(r.args);
        EXPECT_EQ(ran.status, 2) << r.said;
        EXPECT_EQ(ran.output, "") << r.said;
        EXPECT_EQ(ran.errors, std::string("mazerush: ") + r.said + "\nTry 'mazerush --help'.\n");
    }
}

// -display alone, with DISPLAY unset, tells the game where to open its
// window.
TEST_F(Startup, DisplayOptionReachesGlut) {
    GameOptions options;
    options.args = {"-display", x.Name()};
    options.env = {"DISPLAY"};
    Start(options);
}

// What a desktop's task bar and window switcher know the window by:
// WM_CLASS "mazerush", "mazerush" (the desktop entry's StartupWMClass),
// _NET_WM_PID the game's process, and _NET_WM_ICON the picture installed as
// the game's icon, pixel for pixel and opaque; and the smallest size that a
// window manager lets the player give it, 400 x 276. The game sets them just
// after its window shows; the icon, the last of them, tells when all are
// there.
TEST_F(Startup, WindowCarriesTheGamesClassProcessAndIcon) {
    Game& g = Start();
    Display* d = x.Connection();
    std::vector<unsigned long> icon = WindowProperty(d, g.Id(), "_NET_WM_ICON");
    for (int tries = 0; icon.size() <= 2 && tries < 100; tries++) {
        Hold(0.1);
        icon = WindowProperty(d, g.Id(), "_NET_WM_ICON");
    }
    ASSERT_GT(icon.size(), 2U) << "no _NET_WM_ICON on the window within 10 s";

    EXPECT_EQ(WindowClass(d, g.Id(), true), "mazerush");
    EXPECT_EQ(WindowClass(d, g.Id(), false), "mazerush");
    EXPECT_EQ(WindowProperty(d, g.Id(), "_NET_WM_PID"),
              std::vector<unsigned long>{static_cast<unsigned long>(g.Pid())});
    // WM_NORMAL_HINTS as ICCCM lays it out: the flags (PMinSize is 1 << 4),
    // the place and size that ICCCM no longer reads, then the smallest width
    // and height.
    const std::vector<unsigned long> hints = WindowProperty(d, g.Id(), "WM_NORMAL_HINTS");
    ASSERT_GE(hints.size(), 7U);
    EXPECT_NE(hints[0] & (1UL << 4), 0U);
    EXPECT_EQ(hints[5], 400U);
    EXPECT_EQ(hints[6], 276U);

    const Picture file = Picture::ReadPng(e2e::SourceDir() + "/data/mazerush.png");
    ASSERT_EQ(icon.size(), 2U + 128U * 128U) << "the icon file is not 128 x 128";
    EXPECT_EQ(icon[0], 128U);
    EXPECT_EQ(icon[1], 128U);
    int unlike = 0;
    for (int i = 0; i < 128 * 128; i++) {
        const Rgb c = file.At(i % 128, i / 128);
        const unsigned long argb = 0xFF000000UL | static_cast<unsigned long>(c.r) << 16 |
                                   static_cast<unsigned long>(c.g) << 8 |
                                   static_cast<unsigned long>(c.b);
        unlike += icon[2 + i] == argb ? 0 : 1;
    }
    EXPECT_EQ(unlike, 0) << "pixels of _NET_WM_ICON unlike the installed icon";
}

// The icon, the picture that is installed and that the window carries,
// shows Gobbler: 128 x 128, its bright yellow filling much of it.
TEST(Icon, IsGobblerAt128By128) {
    const Picture icon = Picture::ReadPng(e2e::SourceDir() + "/data/mazerush.png");
    EXPECT_EQ(icon.Width(), 128);
    EXPECT_EQ(icon.Height(), 128);
    EXPECT_GT(icon.Count(IsBrightYellow), 2500);
}

}  // namespace
