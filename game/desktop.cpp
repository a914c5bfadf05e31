// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// desktop: what a desktop's task bar and window switcher recognise the
// game's window by, and GLUT does not set: its class, which matches the
// desktop entry (StartupWMClass=mazerush), the process it belongs to, and
// the game's icon, the picture installed as mazerush.png.
// Depends on: GLX (the window is the current drawable), Xlib, and the icon's
// pixels, which the build turns from data/mazerush.png into an array
// (tools/embed_icon.cpp).
#include "desktop.h"

#include <GL/glx.h>
#include <X11/Xatom.h>  // XA_CARDINAL
#include <X11/Xlib.h>
#include <X11/Xutil.h>  // XClassHint
#include <unistd.h>     // getpid

#include "mazerush_icon.inc"  // mazerushIcon: width, height, then ARGB pixels

// ---------------------------------------------------------------------------
// Module data
// ---------------------------------------------------------------------------

// The window's instance and class names: the program's name (not const, as
// XClassHint holds char pointers, though Xlib only reads them).
static char windowClassName[] = "mazerush";

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

// Sets WM_CLASS, _NET_WM_PID and _NET_WM_ICON on the window just created,
// which is the current GLX drawable. GLUT has already mapped it, so the
// atoms are looked up first, in one round trip, and the three properties
// then go out together. Nothing drawn in the window changes.
void IdentifyWindow() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == None) {
        return;
    }
    char pidName[] = "_NET_WM_PID";
    char iconName[] = "_NET_WM_ICON";
    char* names[] = {pidName, iconName};
    Atom atoms[2] = {None, None};
    if (!XInternAtoms(display, names, 2, False, atoms)) {
        return;
    }
    XClassHint classHint;
    classHint.res_name = windowClassName;
    classHint.res_class = windowClassName;
    XSetClassHint(display, window, &classHint);

    // Xlib takes the items of a 32-bit property as longs, whatever a long's
    // size.
    const unsigned long pid = static_cast<unsigned long>(getpid());
    XChangeProperty(display, window, atoms[0], XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    XChangeProperty(display, window, atoms[1], XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(mazerushIcon),
                    static_cast<int>(sizeof mazerushIcon / sizeof mazerushIcon[0]));
    XFlush(display);
}
