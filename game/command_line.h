// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// command_line: what the words after the program's name ask, read before
// GLUT opens anything, so that they are answered without an X display.
#pragma once

#include <optional>
#include <string>

// A -geometry value as X programs write it, [=][W][xH][{+-}X{+-}Y]: each
// part that it gives. A place counts from the left or top edge of the
// screen, or with a minus from the right or bottom edge. Numbers beyond
// geometryLimit read as geometryLimit: any of them is past every screen.
struct GeometryT {
    std::optional<long> width;
    std::optional<long> height;
    std::optional<long> x;
    std::optional<long> y;
    bool xFromRight = false;
    bool yFromBottom = false;
};
const long geometryLimit = 1000000;

// The window options that the game applies itself rather than GLUT.
struct WindowOptionsT {
    std::optional<GeometryT> geometry;  // the last -geometry's, if any
    bool iconic = false;                // -iconic
};

// Reads a -geometry value; nothing when it is not one (empty, or with a
// stray character or a sign where a number belongs).
std::optional<GeometryT> ParseGeometry(const std::string& text);

// Reads the command line. The game's own options --help and --version print
// the usage or the version to standard output; an argument that neither the
// game nor GLUT takes is refused with a line naming it and a hint on
// standard error, and so is a -geometry value that cannot be read. Each of
// these ends the program, and the exit status is returned: 0 after --help
// or --version, 2 after a refusal. When every argument is one of GLUT's X
// options (with its value, if it takes one) or --mute, nothing is printed
// and no status is returned: the game starts, and TakeWindowOptions hands
// glutInit what the game does not apply itself (glutInit leaves --mute
// alone).
std::optional<int> ReadCommandLine(int argc, const char* const* argv);

// Takes -geometry (with its value) and -iconic out of a command line that
// ReadCommandLine accepted, shortening it (*argc), and returns what they
// ask. The game applies them itself: GLUT would take any size, however
// large or small, and with -iconic freeglut's glutCreateWindow waits for the
// window to be shown, which a window manager leaves iconic until the player
// opens it. Called before glutInit, which reads the rest.
WindowOptionsT TakeWindowOptions(int* argc, char** argv);

// Whether the command line asks the game to start muted (--mute).
bool MuteOption(int argc, const char* const* argv);
