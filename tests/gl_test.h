// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// gl_test: what the GL tests share. The test program's main opens a real
// GLUT window (800 x 552, titled "Gobbler") on the X server of the run and
// makes its context current, so every test can draw, read state back from
// GL and read pixels from the frame.
#pragma once

#include <GL/glu.h>
#include <GL/glut.h>

#include <algorithm>  // all_of
#include <cmath>      // isfinite
#include <functional>
#include <vector>

#include "../tools/drive/picture.h"

namespace gltest {

// The window the test program opened.
int Window();

// An RGB colour read from the frame buffer, 0..255 per channel: the pixel
// that the game's colour classes test (tools/drive/colour.h).
using Rgb = drive::Rgb;

// Reads the pixel at window coordinates (x, y), y counted from the bottom,
// from the buffer that glReadBuffer names (the back buffer by default).
Rgb ReadPixel(int x, int y);

// The whole window's frame, once what was drawn is done, from the back
// buffer: Mesa's software renderer swaps by copying the back buffer to the
// window and keeps it as it was, while the window's own front buffer reads
// back black on the virtual X server. The picture is the one the X server
// would give, rows from the top, so that it answers as the end-to-end
// tests' pictures do; OnScreen turns GL's window coordinates into its own.
drive::Picture ReadFrame();

// The point of frame (a picture ReadFrame read) at window coordinates
// (x, y), y counted from the bottom as GL counts it.
drive::ScreenPoint OnScreen(const drive::Picture& frame, int x, int y);

// Puts a view in place: the projection matrix that the calls of load make
// (glOrtho, gluPerspective and gluLookAt, ...) from the identity, and the
// identity model-view matrix, selected.
void LoadView(const std::function<void()>& load);

// A point of the window in pixels, y counted from the bottom as GL counts it.
struct WindowPoint {
    int x;
    int y;
};

// Where world point (x, y, z) falls in the window with the current
// projection, model-view matrix and viewport.
WindowPoint ProjectWorld(double x, double y, double z);

// The colour at the screen point of world point (x, y, z).
Rgb PixelAtWorld(double x, double y, double z);

// A vertex that a drawing emitted in feedback mode: where it fell in the
// window (x, y from the bottom left, z the depth from 0 to 1), the colour
// lighting gave it (GL_3D_COLOR only) and whether it was one of a line's
// (else a polygon's or a point's).
struct Vertex {
    float x, y, z;
    float r, g, b, a;
    bool line;
};

// Runs draw in feedback mode of that type (GL_3D, GL_3D_COLOR) and returns
// the vertices it emitted, one polygon, line or point after another. A
// buffer that overflows, or a token other than those, fails the test.
std::vector<Vertex> CaptureVertices(void (*draw)(), GLenum type = GL_3D);

// GL state read back: n floats of a glGet name (by default the 16 of a
// matrix, GL_MODELVIEW_MATRIX, ...), the integer of one, and the four
// floats of a material property of a face or of a property of light 0.
// What GL leaves unwritten reads -1.
std::vector<float> GetFloats(GLenum which, int n = 16);
int GetInt(GLenum which);
std::vector<float> GetMaterial(GLenum face, GLenum what);
std::vector<float> GetLight(GLenum what);

// Whether every value is a number: no infinity, no NaN.
inline bool Finite(const std::vector<float>& values) {
    return std::all_of(values.begin(), values.end(), [](float v) { return std::isfinite(v); });
}

// Whether a redisplay of the test window has been requested since the last
// look: runs one pass of the GLUT event loop with a counting display
// callback in place. The pass carries the request out, so a second call
// answers false unless something asked again. The test program's main waits
// until the window is shown and drained before any test runs.
bool RedisplayPending();

// A case that must run in a process of its own (one that ends the GLUT
// session, as glutMainLoop does as it returns) begins with
// `if (!InAProcessOfItsOwn()) return;`: run with the others, the call runs
// this program again with that case alone, fails the case if it failed
// there (with its output) and answers false; in the program run so it
// answers true. RanAlone, at the case's end, tells that it ran to its end.
bool InAProcessOfItsOwn();
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
