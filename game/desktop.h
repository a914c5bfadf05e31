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
// and onHiddenOrShown runs whenever GLUT reports the window hidden
// (unmapped: minimised, or on another workspace) or shown again; called
// right after the window is created, while it is the current GLX drawable.
void WatchWindow(void (*onHiddenOrShown)(bool hidden));

// Whether the window is hidden now.
bool WindowHidden();

// While the window is hidden, checks once a second of the steady clock
// (now, in seconds) that it still exists, since a window destroyed while
// unmapped sends no event the game would see; NextWindowCheck is the
// reading at which the next check is due (infinity while it is shown).
void CheckHiddenWindow(double now);
double NextWindowCheck();

// Sleeps until the X server sends the game an event or seconds have passed
// (infinity: until an event), and returns at once when an event is already
// waiting.
void AwaitWindowEvent(double seconds);
