// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// command_line: what the words after the program's name ask, read before
// GLUT opens anything, so that they are answered without an X display.
#pragma once

#include <optional>

// Reads the command line. The game's own options --help and --version print
// the usage or the version to standard output; an argument that neither the
// game nor GLUT takes is refused with a line naming it and a hint on
// standard error. Each of these ends the program, and the exit status is
// returned: 0 after --help or --version, 2 after a refusal. When every
// argument is one of GLUT's X options (with its value, if it takes one) or
// --mute, nothing is printed and no status is returned: the game starts,
// and the command line goes to glutInit (which leaves --mute alone).
std::optional<int> ReadCommandLine(int argc, const char* const* argv);

// The value of the command line's last -geometry option, or nullptr. Read
// before glutInit, which takes its options out of the command line.
const char* GeometryOption(int argc, const char* const* argv);

// Whether the command line asks the game to start muted (--mute).
bool MuteOption(int argc, const char* const* argv);
