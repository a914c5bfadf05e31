// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// command_line: the game's options, --help and --version, and the X options
// that GLUT's initialisation takes: -geometry and -iconic, which the game
// applies itself, and the others, which pass to GLUT untouched.
// Depends on: MAZERUSH_VERSION, the version CMake knows, as a compile
// definition.
#include "command_line.h"

#include <algorithm>  // find_if, min
#include <array>
#include <cstdio>   // fputs, fprintf, stdout, stderr
#include <cstring>  // strcmp

namespace {

// An X option of GLUT's initialisation, and whether the word after it is
// its value (a display name, a geometry).
struct GlutOption {
    const char* name;
    bool takesValue;
};

// The options freeglut's glutInit takes out of the command line.
const std::array<GlutOption, 7> glutOptions{{
    {"-display", true},
    {"-geometry", true},
    {"-direct", false},
    {"-indirect", false},
    {"-iconic", false},
    {"-gldebug", false},
    {"-sync", false},
}};

// The option that starts the game muted.
const char* const muteOption = "--mute";

const char* const usage =
    "Usage: mazerush [--mute] [X options]\n"
    "       mazerush --help | --version\n"
    "A maze chase in 3D: steer Gobbler through the maze, eat its pellets and\n"
    "keep clear of the ghosts.\n"
    "\n"
    "Options:\n"
    "  --help              print this help and exit\n"
    "  --version           print the version and exit\n"
    "  --mute              start with the sound off (F10 turns it on and off)\n"
    "\n"
    "X options:\n"
    "  -display DISPLAY    open the window on DISPLAY instead of $DISPLAY\n"
    "  -geometry WxH+X+Y   the window's size, place or both (else 800x552+0+0),\n"
    "                      kept on the screen and no smaller than 400x276\n"
    "  -iconic             start with the window iconified\n"
    "  -direct             insist on direct rendering\n"
    "  -indirect           render through the X server\n"
    "  -gldebug            report OpenGL errors after each round of events\n"
    "  -sync               make X requests synchronously\n"
    "\n"
    "Keys (letters in either case) and gamepad buttons, on any pad that SDL\n"
    "knows, plugged in before or during the game (A is the south button, Y the\n"
    "north one; the stick is the left one):\n"
    "  Intro:\n"
    "    S                Start, A       skip to the menu\n"
    "  Menu:\n"
    "    Up, Down         D-pad, stick   choose a line (or 8 and 2, I and M)\n"
    "    Left, Right      D-pad, stick   lower or raise its setting (or 4 and 6,\n"
    "                                    K and J); on PLAY GAME play, on QUIT quit\n"
    "    P                Start, A       play, on PLAY GAME\n"
    "    D, V, F, Q       A              next difficulty, 2D or 3D view, next fog,\n"
    "                                    quit, each on its own line\n"
    "  Play, the level-change and the game-over screens:\n"
    "    Up, Down,        D-pad, stick   steer (or 8, 2, 4, 6 and I, M, J, K)\n"
    "    Left, Right\n"
    "    P                Start          pause and resume\n"
    "    T                Y              switch between the 2D and the 3D view\n"
    "    Escape, Q        Back           abandon the game for the menu\n"
    "    Z, X                            add 500 points, finish the level\n"
    "  Every screen:\n"
    "    F11                             full screen and back\n"
    "    F10                             sound off and on\n"
    "Up, Down, Left and Right are the arrow keys. A pad unplugged in play pauses\n"
    "it. More in the manual page: man 6 mazerush\n";

// The GLUT option named word, or nullptr.
const GlutOption* FindGlutOption(const char* word) {
    const auto* found = std::find_if(
        glutOptions.begin(), glutOptions.end(),
        [word](const GlutOption& option) { return std::strcmp(word, option.name) == 0; });
    return found == glutOptions.end() ? nullptr : found;
}

// Whether c is a decimal digit.
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the digits of text from *at on as a number, at most geometryLimit,
// and moves *at past them; nothing when there is no digit.
std::optional<long> ReadNumber(const std::string& text, size_t* at) {
    const size_t start = *at;
    long value = 0;
    for (; *at < text.size() && IsDigit(text[*at]); ++*at) {
        value = std::min(value * 10 + (text[*at] - '0'), geometryLimit);
    }
    if (*at == start) {
        return std::nullopt;
    }
    return value;
}

// Reads an offset, {+-}N, of text from *at on into *offset and *fromEnd.
// Returns false when a sign is not followed by a number; with no sign
// there, no offset is read and true is returned.
bool ReadOffset(const std::string& text, size_t* at, std::optional<long>* offset, bool* fromEnd) {
    if (*at == text.size() || (text[*at] != '+' && text[*at] != '-')) {
        return true;
    }
    *fromEnd = text[*at] == '-';
    ++*at;
    *offset = ReadNumber(text, at);
    return offset->has_value();
}

// Refuses the command line with one line naming what is wrong and a hint;
// returns the exit status of a usage error.
int Refuse(const char* what, const char* word) {
    std::fprintf(stderr, "mazerush: %s '%s'\nTry 'mazerush --help'.\n", what, word);
    return 2;
}

}  // namespace

std::optional<GeometryT> ParseGeometry(const std::string& text) {
    GeometryT geometry;
    size_t at = !text.empty() && text[0] == '=' ? 1 : 0;
    if (at < text.size() && IsDigit(text[at])) {
        geometry.width = ReadNumber(text, &at);
    }
    if (at < text.size() && (text[at] == 'x' || text[at] == 'X')) {
        ++at;
        geometry.height = ReadNumber(text, &at);
        if (!geometry.height) {
            return std::nullopt;
        }
    }
    if (!ReadOffset(text, &at, &geometry.x, &geometry.xFromRight) ||
        (geometry.x && !ReadOffset(text, &at, &geometry.y, &geometry.yFromBottom))) {
        return std::nullopt;
    }
    const bool givesAnything = geometry.width || geometry.height || geometry.x;
    if (at != text.size() || !givesAnything) {
        return std::nullopt;
    }
    return geometry;
}

std::optional<int> ReadCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        if (std::strcmp(word, "--help") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(word, "--version") == 0) {
            std::fputs("mazerush " MAZERUSH_VERSION "\n", stdout);
            return 0;
        }
        if (std::strcmp(word, muteOption) == 0) {
            continue;
        }
        const GlutOption* option = FindGlutOption(word);
        if (option == nullptr) {
            return Refuse(word[0] == '-' ? "unrecognized option" : "unexpected argument", word);
        }
        if (option->takesValue) {
            if (i + 1 == argc) {
                return Refuse("a value must follow the option", word);
            }
            ++i;  // the value belongs to the option
            if (std::strcmp(word, "-geometry") == 0 && !ParseGeometry(argv[i])) {
                return Refuse("unreadable window geometry", argv[i]);
            }
        }
    }
    return std::nullopt;
}

WindowOptionsT TakeWindowOptions(int* argc, char** argv) {
    WindowOptionsT options;
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        const GlutOption* option = FindGlutOption(argv[i]);
        const bool hasValue = option != nullptr && option->takesValue && i + 1 < *argc;
        if (std::strcmp(argv[i], "-iconic") == 0) {
            options.iconic = true;
        } else if (hasValue && std::strcmp(argv[i], "-geometry") == 0) {
            options.geometry = ParseGeometry(argv[++i]);
        } else {
            argv[kept++] = argv[i];
            if (hasValue) {
                argv[kept++] = argv[++i];  // a value, not an option
            }
        }
    }
    argv[kept] = nullptr;
    *argc = kept;
    return options;
}

bool MuteOption(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const GlutOption* option = FindGlutOption(argv[i]);
        if (option != nullptr && option->takesValue) {
            ++i;  // a value, not an option
        } else if (std::strcmp(argv[i], muteOption) == 0) {
            return true;
        }
    }
    return false;
}
