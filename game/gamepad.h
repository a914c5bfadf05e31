// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// gamepad: the game controllers, whose buttons and left stick stand for keys
// of the keyboard. The loop polls them at least once a tick while one is
// open, and about once a second while none is, so that a pad plugged in is
// taken up within a second.
#pragma once

// Starts SDL's game-controller subsystem (no SDL window, video or audio, and
// no signal handlers of SDL's, so that Ctrl-C ends the game as before) and
// opens the pads already plugged in. Returns false where SDL cannot start:
// the game then plays on the keyboard alone, and the calls below do nothing.
bool InitGamepads();

// Handles what the pads did since the last call: pads plugged in are
// opened, pads gone are closed (one gone in play pauses the game as P
// does), each press runs the keyboard callback with the key it stands for
// on the screen up, and in play a held direction steers again.
void PollGamepads();

// Whether a pad is open.
bool GamepadsOpen();

// Closes the pads and stops SDL; at exit.
void QuitGamepads();
