// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// desktop: what the desktop recognises the game's window by, and what the
// game does when the window or the display goes away. A header of its own,
// as its code speaks Xlib, whose Display type the game's Display callback
// would hide.
#pragma once

// Sets the window's class, process and icon for the desktop; called right
// after the window is created, while it is the current GLX drawable.
void IdentifyWindow();

// From here on, the game ends with status 1 and one line on standard error
// when its window is destroyed from outside or its X connection is lost;
// called right after the window is created, while it is the current GLX
// drawable.
void WatchWindow();
