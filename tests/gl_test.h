// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// gl_test: what the GL tests share. The test program's main opens a real
// GLUT window (800 x 552, titled "Gobbler") on the X server of the run and
// makes its context current, so every test can draw, read state back from
// GL and read pixels from the frame.
#pragma once

#include <GL/glu.h>
#include <GL/glut.h>
#include <gtest/gtest.h>  // AssertionResult

#include <vector>

#include "../tools/drive/colour.h"

namespace gltest {

// The window the test program opened.
int Window();

// An RGB colour read from the frame buffer, 0..255 per channel: the pixel
// that the game's colour classes test (tools/drive/colour.h).
using Rgb = drive::Rgb;

// Reads the pixel at window coordinates (x, y), y counted from the bottom,
// from the buffer that glReadBuffer names (the back buffer by default).
Rgb ReadPixel(int x, int y);

// Where world point (x, y, z) falls in the window with the current
// projection, model-view matrix and viewport.
void ProjectWorld(double x, double y, double z, int* winX, int* winY);

// The colour at the screen point of world point (x, y, z).
Rgb PixelAtWorld(double x, double y, double z);

// Runs draw in feedback mode (GL_3D) and returns the window-space vertices
// it emitted, three floats each, one triangle/line/point after another.
std::vector<float> CaptureVertices(void (*draw)());

// Every GL matrix element of the named matrix (GL_MODELVIEW_MATRIX, ...).
std::vector<float> GetMatrix(GLenum which);

// Whether a redisplay of the test window has been requested since the last
// look: runs one pass of the GLUT event loop with a counting display
// callback in place. The pass carries the request out, so a second call
// answers false unless something asked again. The test program's main waits
// until the window is shown and drained before any test runs.
bool RedisplayPending();

// A case that must end the program's GLUT session (glutMainLoop, which
// ends it as it returns) is a disabled case, run in a process of its own:
// PassesAlone runs this program again with that case alone and tells
// whether it passed, with its output if not; RunningAlone tells the case
// that it is the one run so (run with the others, it does nothing), and
// RanAlone, at its end, that it ran to its end.
::testing::AssertionResult PassesAlone(const char* test);
bool RunningAlone();
void RanAlone();

// Puts the test window back as main left it: the callbacks the cases set
// taken off (a display callback that draws nothing in place), the pointer
// shown, the game's size, and no redisplay pending.
void ResetWindow();

// Unmaps the test window, and maps it again, each time running the event
// loop until the window system has done it. While unmapped, the window gets
// no exposure or visibility events from the windows of the other test
// processes on the same X server, which would otherwise pile up in the X
// library's event queue, on the heap of the drawing thread, while a test
// draws frames without running the event loop.
void HideWindow();
void ShowWindow();

// Keys sent to the test window as X events, as a player's come, from a
// thread of the test program with an X connection of its own: the game's
// loop, asleep in the main thread, must wake for them. SendKey queues one
// key by its X name ("p", "Escape") for the thread to send.
void StartSendingKeys();
void SendKey(const char* name);
void StopSendingKeys();

}  // namespace gltest
