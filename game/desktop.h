// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// desktop: the size and place of the game's window, what the desktop
// recognises it by, and what the game does when the window is hidden or
// the window or the display goes away. A header of its own, as its code
// speaks Xlib, whose Display type the game's Display callback would hide.
#pragma once

// Sets the size and place of the window GLUT is about to create: width x
// height at (0, 0), but for what the -geometry value geometry (nullptr if
// none) gives of them. Called after glutInit.
void InitWindowGeometry(const char* geometry, int width, int height);

// Sets the window's class, process and icon for the desktop; called right
// after the window is created, while it is the current GLX drawable.
void IdentifyWindow();

// From here on, the game ends with status 1 and one line on standard error
// when its window is destroyed from outside or its X connection is lost,
// and onHidden runs whenever GLUT reports the window hidden (unmapped:
// minimised, or on another workspace); called right after the window is
// created, while it is the current GLX drawable.
void WatchWindow(void (*onHidden)());
