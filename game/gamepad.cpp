// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// gamepad: a pad's buttons turned into the keys they stand for. Any pad that
// SDL's game-controller mapping knows (SDL's own list, and whatever a
// user's SDL_GAMECONTROLLERCONFIG adds) is opened when it is plugged in,
// before the game starts or during it, several at once. A press runs the
// keyboard callback with the key the button stands for on the screen up, so
// a pad keeps every rule of the keys and adds none: the D-pad and the left
// stick are the arrow keys, Start is P (S on the intro), Back is Escape, the
// north button T, and on the menu the south button is the selected line's
// initial. In play a held direction steers again at every poll, as a held
// key's auto-repeat does; on the menu a direction acts once per press. A pad
// that goes away in play pauses the game.
// Depends on: mazerush.h (the mode flags, currMenuItem, Keyboard,
// PauseHiddenPlay), SDL2 (its game-controller subsystem only).
#include "gamepad.h"

#include <SDL.h>

#include <cstdlib>  // abs

#include "mazerush.h"

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

// At most this many pads are open at once; one plugged in beyond them is
// left alone.
const int maxPads = 8;

// How far the left stick must lean from the centre, in SDL's axis units
// (32767 at full travel), before it names a direction: a third of its
// travel. A stick at rest reads within a few hundredths of the centre, and
// a worn one drifts up to about a fifth; a third is a push the player
// meant. Beyond it the axis that leans further chooses the direction.
const int stickDeadZone = SDL_JOYSTICK_AXIS_MAX / 3;

// What a button stands for where it does nothing, and, on the menu, for the
// initial of the selected line.
const unsigned char noKey = 0;
const unsigned char selectedLineKey = 1;
const unsigned char escapeKey = 27;

// The keys a button stands for on each screen. The level-change and
// game-over screens take play's keys, as the keyboard has them.
struct ButtonKeysT {
    SDL_GameControllerButton button;
    unsigned char introKey;
    unsigned char menuKey;
    unsigned char playKey;
};

// clang-format off
static const ButtonKeysT buttonKeys[] = {
    // button                           intro  menu             play
    {SDL_CONTROLLER_BUTTON_DPAD_UP,     noKey, '8',             '8'},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN,   noKey, '2',             '2'},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT,   noKey, '4',             '4'},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT,  noKey, '6',             '6'},
    {SDL_CONTROLLER_BUTTON_START,       'S',   'P',             'P'},
    {SDL_CONTROLLER_BUTTON_A,           'S',   selectedLineKey, noKey},      // south
    {SDL_CONTROLLER_BUTTON_BACK,        noKey, noKey,           escapeKey},
    {SDL_CONTROLLER_BUTTON_Y,           noKey, noKey,           'T'},        // north
};
// clang-format on

// The menu lines' initials, top to bottom, as currMenuItem counts them from
// 1: PLAY GAME, DIFFICULTY, VIEW IN 3D, FOG, QUIT.
static const unsigned char menuLineInitials[] = {'P', 'D', 'V', 'F', 'Q'};

// The D-pad's buttons, which steer again while held in play.
static const SDL_GameControllerButton dpadButtons[] = {
    SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT};

// ---------------------------------------------------------------------------
// Types and module data
// ---------------------------------------------------------------------------

// An open pad, and where its left stick leans: the D-pad button it stands
// for, or none.
struct PadT {
    SDL_GameController* controller;
    SDL_JoystickID id;
    SDL_GameControllerButton stickButton;
};

static bool started = false;  // SDL's game-controller subsystem is up
static PadT pads[maxPads];
static int padCount = 0;

// ---------------------------------------------------------------------------
// File-local helpers
// ---------------------------------------------------------------------------

// Whether the play tick runs: the only screen on which a held direction
// steers again.
static bool InPlay() {
    return intro == 0 && menu == 0 && changeLevel == 0 && gameOver == 0 && gamePaused == 0;
}

// The key that button stands for on the screen up, or noKey.
static unsigned char KeyFor(int button) {
    for (const ButtonKeysT& row : buttonKeys) {
        if (row.button != button) {
            continue;
        }
        if (intro) {
            return row.introKey;
        }
        if (menu && row.menuKey == selectedLineKey) {
            const int lines = static_cast<int>(sizeof menuLineInitials);
            const bool onALine = currMenuItem >= 1 && currMenuItem <= lines;
            return onALine ? menuLineInitials[currMenuItem - 1] : noKey;
        }
        if (menu) {
            return row.menuKey;
        }
        return row.playKey;
    }
    return noKey;
}

// Runs the key that button stands for, as if it had been typed.
static void PressButton(int button) {
    const unsigned char key = KeyFor(button);
    if (key != noKey) {
        Keyboard(key, 0, 0);
    }
}

// The D-pad button that a stick leaning to (x, y) stands for (y grows
// downwards), or SDL_CONTROLLER_BUTTON_INVALID inside the dead zone.
static SDL_GameControllerButton StickButton(int x, int y) {
    const int across = std::abs(x);
    const int along = std::abs(y);
    if (across < stickDeadZone && along < stickDeadZone) {
        return SDL_CONTROLLER_BUTTON_INVALID;
    }
    if (across > along) {
        return x < 0 ? SDL_CONTROLLER_BUTTON_DPAD_LEFT : SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    }
    return y < 0 ? SDL_CONTROLLER_BUTTON_DPAD_UP : SDL_CONTROLLER_BUTTON_DPAD_DOWN;
}

// Where the pad's left stick leans now, as a D-pad button. Read once a
// poll, after all its events: a stick swept from a corner to the centre
// moves its two axes one event after the other, and the lean between them
// is no direction the player chose.
static SDL_GameControllerButton StickNow(const PadT& pad) {
    return StickButton(SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTX),
                       SDL_GameControllerGetAxis(pad.controller, SDL_CONTROLLER_AXIS_LEFTY));
}

static PadT* FindPad(SDL_JoystickID id) {
    for (int i = 0; i < padCount; i++) {
        if (pads[i].id == id) {
            return &pads[i];
        }
    }
    return nullptr;
}

// Opens the pad SDL lists at deviceIndex, unless it is open already. Its
// stick starts where it leans, which counts as no move.
static void OpenPad(int deviceIndex) {
    if (padCount == maxPads || FindPad(SDL_JoystickGetDeviceInstanceID(deviceIndex)) != nullptr) {
        return;
    }
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        return;
    }
    PadT& pad = pads[padCount++];
    pad.controller = controller;
    pad.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    pad.stickButton = StickNow(pad);
}

// Closes the pad that has gone away; returns whether it was open.
static bool ClosePad(SDL_JoystickID id) {
    PadT* pad = FindPad(id);
    if (pad == nullptr) {
        return false;
    }
    SDL_GameControllerClose(pad->controller);
    *pad = pads[--padCount];
    return true;
}

// One event of SDL's queue.
static void HandleEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            OpenPad(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            // Nobody steers in play any more: it pauses as P would, and
            // stays paused until Start or P, whether the pad comes back or
            // not.
            if (ClosePad(event.cdevice.which)) {
                PauseHiddenPlay();
            }
            break;
        case SDL_CONTROLLERBUTTONDOWN:
            PressButton(event.cbutton.button);
            break;
        default:
            break;
    }
}

// A stick that leans into a direction it did not lean into at the last poll
// presses that direction.
static void MoveSticks() {
    for (int i = 0; i < padCount; i++) {
        PadT& pad = pads[i];
        const SDL_GameControllerButton was = pad.stickButton;
        pad.stickButton = StickNow(pad);
        if (pad.stickButton != was && pad.stickButton != SDL_CONTROLLER_BUTTON_INVALID) {
            PressButton(pad.stickButton);
        }
    }
}

// In play, every direction held on a pad steers again, as a held key's
// auto-repeat does, so that Gobbler takes a turn as soon as the way opens.
static void SteerHeld() {
    for (int i = 0; i < padCount && InPlay(); i++) {
        const PadT& pad = pads[i];
        for (SDL_GameControllerButton button : dpadButtons) {
            if (SDL_GameControllerGetButton(pad.controller, button)) {
                PressButton(button);
            }
        }
        if (pad.stickButton != SDL_CONTROLLER_BUTTON_INVALID) {
            PressButton(pad.stickButton);
        }
    }
}

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

// Starts SDL for game controllers only, and opens the pads plugged in.
bool InitGamepads() {
    if (started) {
        return true;
    }
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_GAMECONTROLLER) != 0) {
        return false;
    }
    started = true;
    PollGamepads();
    return true;
}

// Reads SDL's events once, in the order they came, then the sticks, then
// steers again with the directions held.
void PollGamepads() {
    if (!started) {
        return;
    }
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
        HandleEvent(event);
    }
    MoveSticks();
    SteerHeld();
}

bool GamepadsOpen() {
    return padCount > 0;
}

// Closes every pad and stops SDL.
void QuitGamepads() {
    if (!started) {
        return;
    }
    while (padCount > 0) {
        ClosePad(pads[0].id);
    }
    SDL_Quit();
    started = false;
}
