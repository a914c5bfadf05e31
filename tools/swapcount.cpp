// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// swapcount: a library preloaded into the real game to count the frames it
// shows, for the end-to-end tests and autoplay. It stands in for
// glXSwapBuffers and hands each call on to the real one. After every frame
// it replaces the file named by MAZERUSH_SWAPCOUNT with the line "frames
// seconds first": the frames shown so far, the time of the latest since the
// first, and the time of the first on the steady clock (how long the game
// took to show its first picture); the line is written beside the file and
// renamed over it, so that a reader at any moment finds a whole line. Nothing else of the game is
// touched.
// Depends on: libdl (dlsym), GLX.
#include <GL/glx.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

using swapT = void (*)(Display*, GLXDrawable);

double Now() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

swapT realSwap = nullptr;
double firstFrame = -1.0;
long framesShown = 0;

// Replaces the file at path with the frames shown so far, the time of the
// latest and the time of the first.
void WriteCount(const char* path, double seconds) {
    const std::string beside = std::string(path) + ".new";
    FILE* out = fopen(beside.c_str(), "w");
    if (out == nullptr) {
        return;
    }
    fprintf(out, "%ld %.6f %.6f\n", framesShown, seconds, firstFrame);
    fclose(out);
    rename(beside.c_str(), path);
}

}  // namespace

extern "C" void glXSwapBuffers(Display* dpy, GLXDrawable drawable) {
    if (realSwap == nullptr) {
        realSwap = reinterpret_cast<swapT>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
        if (realSwap == nullptr) {
            abort();
        }
    }
    realSwap(dpy, drawable);
    const double now = Now();
    if (firstFrame < 0.0) {
        firstFrame = now;
    }
    framesShown++;
    const char* countPath = getenv("MAZERUSH_SWAPCOUNT");
    if (countPath != nullptr) {
        WriteCount(countPath, now - firstFrame);
    }
}
