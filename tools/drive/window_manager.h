// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// window_manager: as much of a window manager as the cases need, on a
// virtual X server that has none. On a connection and in a thread of its
// own it takes over the requests to map windows (SubstructureRedirect on
// the root): it maps a window unless the window asks to start iconic
// (WM_HINTS), iconifies a window that asks for it (WM_CHANGE_STATE, as
// XIconifyWindow sends), and keeps each window's WM_STATE as window
// managers do. Close does what a window manager's close button does, on the
// driver's connection, as the cases' other requests go.
// Depends on: Xlib, session (the X server).
#pragma once

#include <X11/Xlib.h>

#include <atomic>
#include <thread>

#include "session.h"

namespace drive {

class WindowManager {
public:
    // Starts managing the server's windows; throws Failure where another
    // client already does.
    explicit WindowManager(const XServer& server);
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Asks the window to close itself (WM_DELETE_WINDOW in a WM_PROTOCOLS
    // client message), on the driver's connection.
    void Close(Window window);
    // Whether the window is iconic: its WM_STATE says so.
    bool Iconic(Window window);

private:
    void Serve();
    void SetState(Window window, long state);

    const XServer& x;
    Display* display = nullptr;  // the manager's own, for its thread alone
    std::atomic<bool> stopping{false};
    std::thread serving;
};

}  // namespace drive
