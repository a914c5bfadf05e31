// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// window_manager: a window manager's part in the cases.
#include "window_manager.h"

#include <X11/Xutil.h>  // XWMHints, IconicState
#include <poll.h>

#include <vector>

#include "failure.h"

namespace drive {

namespace {

// Xlib's error handler while the manager claims the root window: records
// that another client manages it.
bool claimRefused = false;
int RefuseClaim(Display* /*display*/, XErrorEvent* /*event*/) {
    claimRefused = true;
    return 0;
}

}  // namespace

WindowManager::WindowManager(const XServer& server)
    : x(server), display(XOpenDisplay(x.Name().c_str())) {
    if (display == nullptr) {
        throw Failure("the window manager could not reach " + x.Name());
    }
    claimRefused = false;
    XErrorHandler previous = XSetErrorHandler(RefuseClaim);
    XSelectInput(display, DefaultRootWindow(display),
                 SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(display, False);
    XSetErrorHandler(previous);
    if (claimRefused) {
        XCloseDisplay(display);
        throw Failure("another window manager runs on " + x.Name());
    }
    serving = std::thread(&WindowManager::Serve, this);
}

WindowManager::~WindowManager() {
    stopping = true;
    serving.join();
    XCloseDisplay(display);
}

void WindowManager::SetState(Window window, long state) {
    const Atom wmState = XInternAtom(display, "WM_STATE", False);
    const long value[2] = {state, None};  // the state, no icon window
    XChangeProperty(display, window, wmState, wmState, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(value), 2);
}

// Answers the requests of the server's clients until the manager stops.
void WindowManager::Serve() {
    const Atom changeState = XInternAtom(display, "WM_CHANGE_STATE", False);
    while (!stopping) {
        pollfd p{ConnectionNumber(display), POLLIN, 0};
        if (XPending(display) == 0 && poll(&p, 1, 50) <= 0) {
            continue;
        }
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapRequest) {
                const Window window = event.xmaprequest.window;
                XWMHints* hints = XGetWMHints(display, window);
                const bool iconic = hints != nullptr && (hints->flags & StateHint) != 0 &&
                                    hints->initial_state == IconicState;
                if (hints != nullptr) {
                    XFree(hints);
                }
                SetState(window, iconic ? IconicState : NormalState);
                if (!iconic) {
                    XMapWindow(display, window);
                }
            } else if (event.type == ClientMessage && event.xclient.message_type == changeState &&
                       event.xclient.data.l[0] == IconicState) {
                SetState(event.xclient.window, IconicState);
                XUnmapWindow(display, event.xclient.window);
            }
            XFlush(display);
        }
    }
}

void WindowManager::Close(Window window) {
    Display* driver = x.Connection();
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(driver, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(driver, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(driver, window, False, NoEventMask, &event);
    XFlush(driver);
}

bool WindowManager::Iconic(Window window) {
    const std::vector<unsigned long> state = WindowProperty(x.Connection(), window, "WM_STATE");
    return !state.empty() && state[0] == IconicState;
}

}  // namespace drive
