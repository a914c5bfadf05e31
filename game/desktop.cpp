// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// desktop: the game's dealings with the desktop that GLUT leaves out.
// The window's size and place, which -geometry may give as X programs take
// it, kept on the screen and no smaller than the picture reads in. Full
// screen and back (F11), by the window manager where one does it, else by
// the game, which gives the window back its size and place. What a task bar
// and window switcher recognise the window by: its class, which matches the
// desktop entry (StartupWMClass=mazerush), the process it belongs to, and
// the game's icon, the picture installed as mazerush.png. What happens when
// the window is hidden or shown again: the game is told (play pauses, the
// level change waits). How the game waits for the X server's events: on
// the window's connection, until a moment of the steady clock, so that it
// sleeps between its ticks and on still screens. And what happens when the
// window or the X display goes away other than by the close button: the
// game ends at once with status 1 and one line on standard error, on every
// screen, instead of running on without a window or dying with Xlib's dump
// of the failed request.
// Depends on: GLX (the window is the current drawable), Xlib, GLUT (the
// window status callback), poll, and the icon's pixels, which the build turns
// from data/mazerush.png into an array (tools/embed_icon.cpp).
#include "desktop.h"

#include <GL/glut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>  // XA_CARDINAL
#include <X11/Xlib.h>
#include <X11/Xutil.h>  // XClassHint, XSizeHints
#include <poll.h>       // ppoll, the wait for the X server's events
#include <unistd.h>     // getpid, _exit

#include <algorithm>  // min, max, find
#include <cmath>      // floor, of a wait's whole seconds
#include <cstdio>     // fprintf, snprintf, fflush
#include <limits>     // infinity, a check that never comes
#include <vector>

#include "mazerush_icon.inc"  // mazerushIcon: width, height, then ARGB pixels

// ---------------------------------------------------------------------------
// Module data
// ---------------------------------------------------------------------------

// The window's instance and class names: the program's name (not const, as
// XClassHint holds char pointers, though Xlib only reads them).
static char windowClassName[] = "mazerush";

// The game's X connection and window, once WatchWindow has them.
static Display* watchedDisplay = nullptr;
static Window watchedWindow = None;

// While F11 has the game itself fill the screen with the window, as no
// window manager does it: the window's place and size before.
static bool screenFilled = false;
static WindowPlaceT placeBeforeFull = {0, 0, 0, 0};

// What the game does when its window is hidden or shown again.
static void (*onWindowHiddenOrShown)(bool hidden) = nullptr;

// windowHidden is 1 while the window is unmapped (minimised, or on its way
// out): then it is checked to exist every windowCheckInterval seconds of the
// steady clock, the next time at nextWindowCheck (0 until the loop's first
// look after the window was hidden sets it).
static int windowHidden = 0;
static double nextWindowCheck = 0.0;
static const double windowCheckInterval = 1.0;

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

// Keeps value between low and high; where high is below low (a screen
// smaller than the smallest window), high wins.
static long KeepBetween(long value, long low, long high) {
    return std::min(std::max(value, low), high);
}

WindowPlaceT PlaceWindow(const std::optional<GeometryT>& geometry, int width, int height,
                         int screenWidth, int screenHeight) {
    const GeometryT given = geometry.value_or(GeometryT{});
    const long w = KeepBetween(given.width.value_or(width), smallestWindowWidth, screenWidth);
    const long h = KeepBetween(given.height.value_or(height), smallestWindowHeight, screenHeight);
    const long x = given.xFromRight ? screenWidth - w - given.x.value_or(0) : given.x.value_or(0);
    const long y = given.yFromBottom ? screenHeight - h - given.y.value_or(0) : given.y.value_or(0);
    return WindowPlaceT{static_cast<int>(KeepBetween(x, 0, screenWidth - w)),
                        static_cast<int>(KeepBetween(y, 0, screenHeight - h)), static_cast<int>(w),
                        static_cast<int>(h)};
}

// GLUT reads no -geometry of its own (TakeWindowOptions keeps it from
// glutInit): the place and size set here are the window's.
void InitWindowGeometry(const std::optional<GeometryT>& geometry, int width, int height) {
    const WindowPlaceT place = PlaceWindow(geometry, width, height, glutGet(GLUT_SCREEN_WIDTH),
                                           glutGet(GLUT_SCREEN_HEIGHT));
    glutInitWindowSize(place.width, place.height);
    glutInitWindowPosition(place.x, place.y);
}

// Sets WM_CLASS, _NET_WM_PID and _NET_WM_ICON on the window just created,
// which is the current GLX drawable, and adds the smallest window to the
// size hints that GLUT set, for a window manager to keep to when the player
// resizes it. GLUT has already mapped it, so the atoms are looked up first,
// in one round trip, and the properties then go out together, the icon
// last. Nothing drawn in the window changes.
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
    XSizeHints* sizeHints = XAllocSizeHints();
    if (sizeHints != nullptr) {
        long given = 0;
        XGetWMNormalHints(display, window, sizeHints, &given);
        sizeHints->flags |= PMinSize;
        sizeHints->min_width = smallestWindowWidth;
        sizeHints->min_height = smallestWindowHeight;
        XSetWMNormalHints(display, window, sizeHints);
        XFree(sizeHints);
    }

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

// ---------------------------------------------------------------------------
// Full screen
// ---------------------------------------------------------------------------

// The 32-bit items of the root window's property name, of type type; none
// when it has no such property.
static std::vector<unsigned long> RootProperty(Display* display, Atom name, Atom type) {
    const long mostItems = 1024;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, DefaultRootWindow(display), name, 0, mostItems, False, type,
                           &actualType, &format, &count, &left, &data) == Success &&
        data != nullptr && format == 32) {
        // Xlib hands 32-bit items over as longs, whatever a long's size.
        const auto* first = reinterpret_cast<const unsigned long*>(data);
        items.assign(first, first + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return items;
}

// F11: where a window manager runs that puts windows into full screen (the
// root window names it in _NET_SUPPORTING_WM_CHECK, and its
// _NET_SUPPORTED lists _NET_WM_STATE_FULLSCREEN), it is asked to switch the
// window's state, and gives back the window's size and place itself.
// Without one, the game moves the window to (0, 0) and gives it the
// screen's size, and back to the place and size it had. freeglut's own
// switch, without a window manager, moves the window to minus its place,
// taking that for the frame a window manager would have put around it, and
// gives back only the size: a window placed at (100, 50) came back at
// (-100, -50).
void ToggleFullScreen() {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == None) {
        return;
    }
    char stateName[] = "_NET_WM_STATE";
    char fullName[] = "_NET_WM_STATE_FULLSCREEN";
    char checkName[] = "_NET_SUPPORTING_WM_CHECK";
    char supportedName[] = "_NET_SUPPORTED";
    char* names[] = {stateName, fullName, checkName, supportedName};
    Atom atoms[4] = {None, None, None, None};
    const bool managerRuns = !screenFilled && XInternAtoms(display, names, 4, False, atoms) != 0 &&
                             !RootProperty(display, atoms[2], XA_WINDOW).empty();
    const std::vector<unsigned long> supported =
        managerRuns ? RootProperty(display, atoms[3], XA_ATOM) : std::vector<unsigned long>{};
    if (std::find(supported.begin(), supported.end(), atoms[1]) != supported.end()) {
        const long toggle = 2;       // _NET_WM_STATE_TOGGLE
        const long application = 1;  // the request comes from the program
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = atoms[0];
        event.xclient.format = 32;
        event.xclient.data.l[0] = toggle;
        event.xclient.data.l[1] = static_cast<long>(atoms[1]);
        event.xclient.data.l[3] = application;
        XSendEvent(display, DefaultRootWindow(display), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &event);
        XFlush(display);
        return;
    }
    if (!screenFilled) {
        placeBeforeFull = {glutGet(GLUT_WINDOW_X), glutGet(GLUT_WINDOW_Y),
                           glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT)};
        glutPositionWindow(0, 0);
        glutReshapeWindow(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    } else {
        glutPositionWindow(placeBeforeFull.x, placeBeforeFull.y);
        glutReshapeWindow(placeBeforeFull.width, placeBeforeFull.height);
    }
    screenFilled = !screenFilled;
}

// ---------------------------------------------------------------------------
// When the window or the display goes away
// ---------------------------------------------------------------------------

// Ends the game with status 1 after one line on standard error. _exit, not
// exit: the handlers that exit would run (the GL driver's) speak to the X
// server, which is gone or would answer with more errors, and Xlib forbids
// requests from inside its error handlers.
[[noreturn]] static void EndWithoutWindow(const char* why) {
    std::fprintf(stderr, "mazerush: %s; the game ends\n", why);
    std::fflush(nullptr);
    _exit(1);
}

// Xlib's error handler. A request that fails because the game's window no
// longer exists (destroyed from outside) means the window is gone; any
// other failed request ends the game as Xlib's own handler would, with the
// error's text on one line.
static int XRequestFailed(Display* display, XErrorEvent* error) {
    const bool windowGone = (error->error_code == BadWindow || error->error_code == BadDrawable) &&
                            error->resourceid == watchedWindow;
    if (windowGone) {
        EndWithoutWindow("the window was destroyed from outside");
    }
    char text[160] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    char why[256];
    std::snprintf(why, sizeof why, "the X server refused request %d.%d: %s",
                  static_cast<int>(error->request_code), static_cast<int>(error->minor_code), text);
    EndWithoutWindow(why);
}

// Xlib's handler of a lost connection: the X server went away or cut the
// game off (xkill).
static int XConnectionLost(Display* display) {
    char why[256];
    std::snprintf(why, sizeof why, "lost the connection to the X display %s",
                  DisplayString(display));
    EndWithoutWindow(why);
}

// Asks the X server about the window: if it was destroyed, the request
// fails and XRequestFailed ends the game.
static void CheckWindowExists() {
    XWindowAttributes attributes;
    XGetWindowAttributes(watchedDisplay, watchedWindow, &attributes);
}

// GLUT's window status callback. A window hidden (minimised, or on another
// workspace) or shown again is the game's to act on. GLUT ignores a
// window's destruction, but a mapped window that is destroyed is unmapped
// first, which GLUT reports as hidden: the window is checked then, and
// while it stays hidden (CheckHiddenWindow).
static void WindowStatus(int state) {
    const int hidden = state == GLUT_HIDDEN ? 1 : 0;
    const bool changed = hidden != windowHidden;
    windowHidden = hidden;
    if (hidden) {
        CheckWindowExists();
        nextWindowCheck = 0.0;
    }
    if (changed && onWindowHiddenOrShown != nullptr) {
        onWindowHiddenOrShown(hidden != 0);
    }
}

// Installs the handlers above for the current window, and onHiddenOrShown
// for the times it is hidden and shown again.
void WatchWindow(void (*onHiddenOrShown)(bool hidden)) {
    onWindowHiddenOrShown = onHiddenOrShown;
    watchedDisplay = glXGetCurrentDisplay();
    watchedWindow = glXGetCurrentDrawable();
    XSetErrorHandler(XRequestFailed);
    XSetIOErrorHandler(XConnectionLost);
    glutWindowStatusFunc(WindowStatus);
}

bool WindowHidden() {
    return windowHidden != 0;
}

// A window destroyed while unmapped sends no further event that GLUT passes
// on, so while it stays hidden the game asks every windowCheckInterval
// whether it still exists.
void CheckHiddenWindow(double now) {
    if (!windowHidden) {
        return;
    }
    if (nextWindowCheck == 0.0) {
        nextWindowCheck = now + windowCheckInterval;
    } else if (now >= nextWindowCheck) {
        CheckWindowExists();
        nextWindowCheck = now + windowCheckInterval;
    }
}

double NextWindowCheck() {
    if (!windowHidden) {
        return std::numeric_limits<double>::infinity();
    }
    return nextWindowCheck;
}

// Waits for the X server's next event, or until seconds have passed. Xlib
// may already have read events into its queue (while it waited for the
// reply to a request), which no wait on the connection would see: then it
// returns at once. XPending also sends what requests are still buffered,
// so that nothing the game asked for waits with it.
void AwaitWindowEvent(double seconds) {
    if (watchedDisplay == nullptr || XPending(watchedDisplay) > 0 || !(seconds > 0.0)) {
        return;
    }
    pollfd connection{ConnectionNumber(watchedDisplay), POLLIN, 0};
    if (seconds == std::numeric_limits<double>::infinity()) {
        ppoll(&connection, 1, nullptr, nullptr);
        return;
    }
    const double whole = std::floor(seconds);
    const timespec wait{static_cast<time_t>(whole), static_cast<long>((seconds - whole) * 1e9)};
    ppoll(&connection, 1, &wait, nullptr);
}
