// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// desktop: the size and place of the game's window, full screen and back,
// what the desktop recognises the window by, and what the game does when
// the window is hidden or the window or the display goes away. A header of its own, as its code
// speaks Xlib, whose Display type the game's Display callback would hide.
#pragma once

#include <optional>

#include "command_line.h"  // GeometryT

// The smallest window, 400 x 276, half the game's own 800 x 552 each way:
// there a cell of the maze is 8 pixels, so that a pellet, the wall beside it
// and the corridor between them each keep pixels of their own, and the
// small capitals of the menu stand 7 pixels tall, about the least in which
// a stroke letter still reads. Below it pellets run into the walls and
// letters into blots.
const int smallestWindowWidth = 400;
const int smallestWindowHeight = 276;

// Where a window stands on the screen, and its size, in pixels.
struct WindowPlaceT {
    int x;
    int y;
    int width;
    int height;
};

// The size and place of the game's window on a screen of screenWidth x
// screenHeight: width x height at (0, 0), but for what geometry (nothing if
// no -geometry) gives of them. The size is kept between the smallest window
// and the screen, and the place keeps the whole window on the screen, as
// window managers keep the windows they place.
WindowPlaceT PlaceWindow(const std::optional<GeometryT>& geometry, int width, int height,
                         int screenWidth, int screenHeight);

// Hands GLUT the size and place that PlaceWindow gives for the window it
// is about to create, on GLUT's screen. Called after glutInit.
void InitWindowGeometry(const std::optional<GeometryT>& geometry, int width, int height);

// Switches the current window between full screen and the size and place
// it had (F11).
void ToggleFullScreen();

// Sets the window's class, process, icon and smallest size for the
// desktop; called right after the window is created, while it is the
// current GLX drawable.
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
