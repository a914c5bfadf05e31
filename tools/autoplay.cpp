// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// autoplay: plays the real game from outside, on a virtual X server of its
// own, as a player would (tools/drive), for what shows the game without a
// player:
//
//   autoplay demo GAME DIR     past the intro, PLAY GAME on the menu, then
//                              about 8 s of play with a few turns: leaves
//                              DIR/mazerush-menu.png, DIR/mazerush-play.png
//                              (the last moment) and DIR/mazerush-play.gif
//                              (make run, where no display can be reached)
//   autoplay shots GAME DIR    a picture of each screen, and play.gif, for
//                              the README (make shots)
//   autoplay icon GAME FILE    Gobbler cropped from a frame of play behind
//                              him, 128 x 128: the desktop icon
//   autoplay screens GAME [S]  the share of a core and the frames a second
//                              of each screen over S seconds (3), and the
//                              points a level change adds (make bench)
//
// The fake clock and the frame counter are the libraries beside this
// program. Animated GIFs and the icon's resampling are ImageMagick's
// (convert), run as a command. Exits 1 with one line on standard error when
// the game does not do what it was asked in time.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "drive/failure.h"
#include "drive/screens.h"

namespace {

using namespace drive;

// The directory this program lies in, where the build puts the tools too.
std::string ToolDir() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) {
        return ".";
    }
    const std::string self(path, static_cast<size_t>(n));
    return self.substr(0, self.rfind('/'));
}

GameOptions Options(const std::string& game, double clock = -1.0) {
    GameOptions options;
    options.program = game;
    options.env = {"LIBGL_ALWAYS_SOFTWARE=1"};
    options.clock = clock;
    options.fakeClock = ToolDir() + "/libfakeclock.so";
    return options;
}

// Runs a command to its end; throws when it fails.
void Run(const std::vector<std::string>& argv) {
    const Ran ran = RunToEnd(argv, {}, 300.0);
    if (ran.status != 0) {
        throw Failure(argv[0] + " failed: " + ran.errors.substr(0, 400));
    }
}

long FileKilobytes(const std::string& path) {
    struct stat s {};
    return stat(path.c_str(), &s) == 0 ? (s.st_size + 1023) / 1024 : 0;
}

// --- Recording play ------------------------------------------------------------

// Where Gobbler stands in a look at play from above, in cells (fractions
// between them): the centre of the largest patch, in the maze's grid, of
// bright yellow to red (red at least 70 %, green at least 30 %, blue at most
// 20 %), the colours of Gobbler's lit side, plain or powered up. The gate of
// the ghost house, the olive ghost and the power pellets are darker, the red
// ghost has too little green. False if no patch has over 30 pixels.
bool GobblerAt(const Picture& look, double* row, double* col) {
    const Box grid = Box::Spanning(AbovePoint(0, 0), AbovePoint(30, 27));
    const Picture p = look.Crop(grid);
    const auto lit = [&p](int x, int y) {
        const Rgb c = p.At(x, y);
        return c.r >= 179 && c.g >= 77 && c.b <= 51;
    };
    std::vector<char> seen(static_cast<size_t>(p.Width()) * p.Height(), 0);
    int best = 0;
    for (int y0 = 0; y0 < p.Height(); y0++) {
        for (int x0 = 0; x0 < p.Width(); x0++) {
            if (seen[static_cast<size_t>(y0) * p.Width() + x0] || !lit(x0, y0)) {
                continue;
            }
            // One patch, its 8-connected pixels.
            std::vector<std::pair<int, int>> todo{{x0, y0}};
            seen[static_cast<size_t>(y0) * p.Width() + x0] = 1;
            long sumX = 0;
            long sumY = 0;
            int n = 0;
            while (!todo.empty()) {
                const auto [x, y] = todo.back();
                todo.pop_back();
                sumX += x;
                sumY += y;
                n++;
                for (int dy = -1; dy <= 1; dy++) {
                    for (int dx = -1; dx <= 1; dx++) {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        if (nx >= 0 && ny >= 0 && nx < p.Width() && ny < p.Height() &&
                            !seen[static_cast<size_t>(ny) * p.Width() + nx] && lit(nx, ny)) {
                            seen[static_cast<size_t>(ny) * p.Width() + nx] = 1;
                            todo.emplace_back(nx, ny);
                        }
                    }
                }
            }
            if (n > best) {
                best = n;
                *row = static_cast<double>(sumY) / n / ((grid.h - 1) / 30.0);
                *col = static_cast<double>(sumX) / n / ((grid.w - 1) / 27.0);
            }
        }
    }
    return best > 30;
}

// The key of the way Gobbler moved from (r0, c0) to (r1, c1): "8" up, "2"
// down, "4" left, "6" right (up to five cells, as it runs twice as fast when
// powered up and a look can come late), "still", or "" (through the side
// tunnel, or back to its start cell after a life lost).
std::string MoveKey(double r0, double c0, double r1, double c1) {
    const double dr = r1 - r0;
    const double dc = c1 - c0;
    if (dr * dr + dc * dc < 0.25) {
        return "still";
    }
    if (dr > 0.7 && dr < 6) {
        return "2";
    }
    if (dr < -0.7 && dr > -6) {
        return "8";
    }
    if (dc > 0.7 && dc < 6) {
        return "6";
    }
    if (dc < -0.7 && dc > -6) {
        return "4";
    }
    return "";
}

// Records about seconds of play seen from above as the animated GIF gif,
// and saves its last look as the PNG picture (unless empty). Ten looks a
// second, each shown in the GIF as long as it really lasted. Meanwhile
// Gobbler follows a route (up, right, down, right, ...): a turn toward a wall
// is refused and forgotten, so, as a player holds a key until the opening
// comes, the route's key is pressed again at every step of the loop, and the
// next key takes its place once Gobbler moves that way, or once it has
// stood still for 0.4 s (it steps every 0.2 s) against a wall where the
// turn never comes.
void RecordPlay(Game& game, const std::string& gif, double seconds, const std::string& picture) {
    const std::string dir = MakeTempDir("recording");
    const std::vector<std::string> route = {"8", "6", "2", "6", "2", "4", "2", "6"};
    size_t next = 0;
    std::vector<std::string> frames;
    std::vector<double> times;
    double lastRow = -1.0;
    double lastCol = -1.0;
    double movedAt = 0.0;
    int turns = 0;
    const Stopwatch watch;
    for (int slot = 0; watch.Seconds() < seconds; slot++) {
        game.Press({route[next]});
        if (slot % 2 == 0) {
            const double taken = watch.Seconds();
            const Picture& look = game.Look();
            frames.push_back(dir + "/" + std::to_string(frames.size()) + ".png");
            times.push_back(taken);
            look.SavePng(frames.back());
            double row = 0.0;
            double col = 0.0;
            if (GobblerAt(look, &row, &col)) {
                const std::string move =
                    lastRow < 0.0 ? "still" : MoveKey(lastRow, lastCol, row, col);
                lastRow = row;
                lastCol = col;
                if (move != "still" || movedAt == 0.0) {
                    movedAt = taken;
                }
                if (move == route[next] || taken - movedAt >= 0.4) {
                    turns += move == route[next] ? 1 : 0;
                    next = (next + 1) % route.size();
                    movedAt = taken;
                }
            }
        }
        const double wait = (slot + 1) * 0.05 - watch.Seconds();
        if (wait > 0.0) {
            Hold(wait);
        }
    }
    times.push_back(watch.Seconds());
    if (frames.size() < 2) {
        throw Failure("no frames were recorded");
    }
    // Each frame lasts until the next was taken, in hundredths of a second
    // counted from the first, so that rounding does not add up. Frames store
    // only what changed since the one before (-layers Optimize): 8 s come to
    // about 200 KB.
    std::vector<std::string> convert = {"convert"};
    for (size_t k = 0; k + 1 < times.size(); k++) {
        const long at = std::lround((times[k] - times[0]) * 100.0);
        const long until = std::lround((times[k + 1] - times[0]) * 100.0);
        convert.insert(convert.end(), {"-delay", std::to_string(until - at), frames[k]});
    }
    convert.insert(convert.end(), {"-layers", "Optimize", gif});
    Run(convert);
    if (!picture.empty()) {
        Run({"cp", frames.back(), picture});
    }
    for (const std::string& f : frames) {
        unlink(f.c_str());
    }
    rmdir(dir.c_str());
    std::printf("recorded %zu frames in %.1f s; Gobbler took %d turns\n", frames.size(),
                times.back() - times.front(), turns);
}

// --- The commands ---------------------------------------------------------------

int Demo(const std::string& game, const std::string& out) {
    XServer x;
    Game g(x, Options(game));
    ToMenu(g);
    g.Last().SavePng(out + "/mazerush-menu.png");
    ToPlay(g);
    RecordPlay(g, out + "/mazerush-play.gif", 8.0, out + "/mazerush-play.png");
    for (const char* file : {"mazerush-menu.png", "mazerush-play.png", "mazerush-play.gif"}) {
        const std::string path = out + "/" + file;
        std::printf("  %s (%dx%d, %ld KB)\n", path.c_str(), g.Last().Width(), g.Last().Height(),
                    FileKilobytes(path));
    }
    return 0;
}

// Each picture waits for the screen it shows, then lets play run on for the
// moment it is taken at.
int Shots(const std::string& game, const std::string& out) {
    XServer x;
    const auto save = [&out](Game& g, const char* name) {
        g.Look().SavePng(out + "/" + name + ".png");
        std::printf("saved %s/%s.png\n", out.c_str(), name);
    };
    const Shows menuGone = [](const Picture& p) { return !MenuOn(p, 1); };
    {
        // The intro on the real clock: a credit on its white, then the ghosts
        // chasing Gobbler on the orange.
        const auto background = [](int r, int g, int b) {
            return [r, g, b](const Picture& p) {
                const Rgb c = p.At(4, 4);
                return c.r == r && c.g == g && c.b == b;
            };
        };
        Game g(x, Options(game));
        g.Await(background(255, 255, 255), 15, "the intro did not open on its credits");
        Hold(1.5);
        save(g, "intro-credits");
        g.Await(background(255, 128, 0), 30, "the intro did not show the chase");
        Hold(2.0);
        save(g, "intro-chase");
    }
    {
        // The menu as a player reaches it, from a start skipped during the
        // credits (as it is after the intro has run out): skipped from the
        // chase, its words would be lit brighter by the normal the chase
        // leaves current. Then play from above, from behind, in fog, and the
        // level change.
        Game g(x, Options(game));
        ToMenu(g);
        save(g, "menu");
        ToPlay(g);
        Hold(2.5);
        save(g, "play-2d");
        g.Press({"Escape"});
        g.Await(MenuOn(1), 10, "Escape did not bring back the menu");
        g.Press({"2", "2", "6", "8", "8", "p"});
        g.Await(menuGone, 10, "p did not start play in 3D");
        Hold(2.5);
        save(g, "play-3d");
        g.Press({"Escape"});
        g.Await(MenuOn(1), 10, "Escape did not bring back the menu");
        g.Press({"2", "2", "6", "2", "f", "8", "8", "8", "p"});
        g.Await(menuGone, 10, "p did not start play in fog");
        Hold(2.5);
        save(g, "play-fog");
        g.Press({"Escape"});
        g.Await(MenuOn(1), 10, "Escape did not bring back the menu");
        ToPlay(g);
        Hold(1.0);
        g.Press({"x"});
        g.Await(MazeGone, 10, "x did not bring up the level change");
        Hold(2.5);
        save(g, "level-change");
    }
    {
        // Eight seconds of play from above, with a few turns.
        Game g(x, Options(game));
        ToMenu(g);
        ToPlay(g);
        RecordPlay(g, out + "/play.gif", 8.0, "");
        std::printf("saved %s/play.gif\n", out.c_str());
    }
    // The game over, reached for real: eight ghosts on a clock five times as
    // fast, with Gobbler left standing at the end of its row.
    Game g(x, Options(game, 5.0));
    ToMenu(g);
    g.Press({"2", "d", "d", "8", "p"});
    g.Await(MazeUp, 10, "p did not start play");
    g.Await(MazeGone, 240, "the ghosts did not end the game within four minutes");
    Hold(0.5);
    save(g, "game-over");
    return 0;
}

// Gobbler stands in the middle of the view behind him: that square of the
// window, 140 pixels about the middle, resampled to 128 x 128.
int Icon(const std::string& game, const std::string& file) {
    XServer x;
    Game g(x, Options(game));
    ToMenu(g);
    ToPlay(g);
    Hold(0.3);
    g.Press({"t"});
    g.Await(
        [](const Picture& p) {
            return p.Count(Box::Around(BehindPoint(5, 14, 5, 14), 6), IsYellow) > 60;
        },
        10, "t did not show Gobbler from behind");
    Hold(0.4);
    const std::string crop = file + ".crop.png";
    g.Look().Crop(Box{330, 202, 140, 140}).SavePng(crop);
    Run({"convert", crop, "-resize", "128x128", "-strip", file});
    unlink(crop.c_str());
    std::printf("icon: %s\n", file.c_str());
    return 0;
}

// How long the game took from its start to its first frame, in ms. Then
// one line a screen: its name, the share of one core that all the game's
// threads take, in per cent, and the frames a second, over seconds; then the
// points one level change adds: each of its frames adds 5, so they are its
// frames counted from "x" to its end, 5 each. It runs from paused play, so
// that the frames stop when it ends (the one frame of paused play after it
// is not counted).
int ScreenCosts(const std::string& game, double seconds) {
    XServer x;
    GameOptions options = Options(game);
    options.frameCounter = ToolDir() + "/libswapcount.so";
    const auto report = [seconds](Game& g, const char* screen) {
        const long before = g.FramesShown().shown;
        double held = 0.0;
        const double share = g.CpuShare(seconds, &held);
        const long after = g.FramesShown().shown;
        std::printf("%s\t%.0f\t%.1f\n", screen, 100.0 * share, (after - before) / held);
        std::fflush(stdout);
    };
    // Waits until no frame has been shown for a second; returns the frames
    // shown then.
    const auto still = [](Game& g) {
        long last = g.FramesShown().shown;
        for (int second = 0; second < 10; second++) {
            Hold(1.0);
            const long now = g.FramesShown().shown;
            if (now == last) {
                return now;
            }
            last = now;
        }
        throw Failure("the frames did not stop within 10 s");
    };
    {
        Game g(x, options);
        g.Await(IntroUp, 15, "the intro did not show");
        std::printf("first frame\t%.0f ms\n", 1000.0 * g.FramesShown().firstAfter);
        report(g, "intro");
        g.Press({"s"});
        g.Await(MenuOn(1), 10, "s did not bring up the menu");
        report(g, "menu");
        ToPlay(g);
        report(g, "play");
        // Pause draws nothing; the new score of "z" after it is drawn once paused.
        const Picture before = g.Look();
        g.Press({"p", "z"});
        g.Await([&before](const Picture& p) { return p.Differ(before, ScoreBox()) > 20; }, 10,
                "p and z did not change the score");
        report(g, "paused");
        const long beforeX = still(g);
        g.Press({"x"});
        g.Await(MazeGone, 10, "x did not bring up the level change");
        report(g, "level change");
        g.Await(MazeUp, 20, "paused play did not come back after the level change");
        std::printf("level-change points\t%ld\n", 5 * (still(g) - beforeX - 1));
    }
    // The game over, on a clock ten times faster with eight ghosts.
    options.clock = 10.0;
    Game g(x, options);
    ToMenu(g);
    g.Press({"m", "6", "6", "i", "p"});
    g.Await(MazeUp, 10, "p did not start play");
    g.Await(GameOverUp, 120, "the ghosts did not end the game");
    report(g, "game over");
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: autoplay demo GAME DIR | shots GAME DIR | icon GAME FILE | "
                 "screens GAME [SECONDS]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() < 2) {
        return Usage();
    }
    try {
        if (args[0] == "demo" && args.size() == 3) {
            return Demo(args[1], args[2]);
        }
        if (args[0] == "shots" && args.size() == 3) {
            return Shots(args[1], args[2]);
        }
        if (args[0] == "icon" && args.size() == 3) {
            return Icon(args[1], args[2]);
        }
        if (args[0] == "screens" && args.size() <= 3) {
            return ScreenCosts(args[1], args.size() == 3 ? std::atof(args[2].c_str()) : 3.0);
        }
    } catch (const Failure& failure) {
        std::fprintf(stderr, "autoplay: %s\n", failure.what());
        return 1;
    }
    return Usage();
}
