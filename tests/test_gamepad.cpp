// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the gamepads, played with SDL's own virtual controllers, which
// go through SDL's mapping and events as a real pad does: every button and
// the stick's four directions against their keys on each screen, the
// stick's dead zone, directions held on the menu and in play, and pads
// unplugged and plugged in again.
#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "../board/board.h"
#include "../game/gamepad.h"
#include "../game/mazerush.h"
#include "gl_test.h"
#include "stress_common.h"

namespace {

const int full = SDL_JOYSTICK_AXIS_MAX;
using ButtonT = SDL_GameControllerButton;

using stress::State;

class Gamepad : public ::testing::Test {
protected:
    // The game's state is put back before each case by the test program;
    // the pads are the case's own.
    void SetUp() override {
        ASSERT_TRUE(InitGamepads());
        Plug();
        ASSERT_TRUE(GamepadsOpen());
    }
    void TearDown() override {
        while (!pads.empty()) {
            Unplug();
        }
        QuitGamepads();
    }
    void Plug() {
        const int index =
            SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                      SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        pads.push_back(SDL_JoystickOpen(index));
        PollGamepads();
    }
    // Unplugs the pad plugged in last.
    void Unplug() {
        const SDL_JoystickID id = SDL_JoystickInstanceID(pads.back());
        SDL_JoystickClose(pads.back());
        pads.pop_back();
        for (int i = 0; i < SDL_NumJoysticks(); i++) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) {
                SDL_JoystickDetachVirtual(i);
            }
        }
        PollGamepads();
    }
    void Hold(ButtonT button, bool down) {
        SDL_JoystickSetVirtualButton(pads.back(), button, down ? 1 : 0);
        PollGamepads();
    }
    void Press(ButtonT button) {
        Hold(button, true);
        Hold(button, false);
    }
    void Lean(int x, int y) {
        SDL_JoystickSetVirtualAxis(pads.back(), SDL_CONTROLLER_AXIS_LEFTX, Sint16(x));
        SDL_JoystickSetVirtualAxis(pads.back(), SDL_CONTROLLER_AXIS_LEFTY, Sint16(y));
        PollGamepads();
    }
    std::vector<SDL_Joystick*> pads;
};

// Screens: 0 the intro, 1 to 5 the menu lines, 6 play at the crossing (5, 6)
// facing down, 7 the same in the 3D view, 8 paused play, 9 the level-change
// screen, 10 the game-over screen; no redraw pending. Behind the menu
// Gobbler stands between walls to its left and right, so that left or right
// on PLAY GAME, which starts play, cannot steer it while still held.
void Show(int screen) {
    initgame();
    difficulty = 2;
    fogtype = 1;
    menu = screen >= 1 && screen <= 5;
    gobx = menu ? 6 : 5;
    gobz = 6;
    gobdir = DOWN;
    intro = screen == 0;
    currMenuItem = menu ? screen : 1;
    ThreeDView = screen == 7;
    gamePaused = screen == 8;
    changeLevel = screen == 9;
    gameOver = screen == 10;
    gltest::RedisplayPending();
}

}  // namespace

// Each button, and the stick leaning each way, changes the game and asks
// for a redraw as its key does on each screen; the buttons not listed do
// nothing anywhere.
TEST_F(Gamepad, EachButtonIsItsKeyOnEveryScreen) {
    const struct {
        ButtonT button;
        const char* keys;  // on screens 0 to 10, '.' none
    } rows[] = {{SDL_CONTROLLER_BUTTON_DPAD_UP, ".8888888888"},
                {SDL_CONTROLLER_BUTTON_DPAD_DOWN, ".2222222222"},
                {SDL_CONTROLLER_BUTTON_DPAD_LEFT, ".4444444444"},
                {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, ".6666666666"},
                {SDL_CONTROLLER_BUTTON_START, "SPPPPPPPPPP"},
                {SDL_CONTROLLER_BUTTON_A, "SPDVFQ....."},
                {SDL_CONTROLLER_BUTTON_BACK, "......\x1b\x1b\x1b\x1b\x1b"},
                {SDL_CONTROLLER_BUTTON_Y, "......TTTTT"}};
    const int lean[4][2] = {{0, -full}, {0, full}, {-full, 0}, {full, 0}};
    InitBoard();
    int changed = 0;
    for (int screen = 0; screen <= 10; screen++) {
        for (int input = 0; input < SDL_CONTROLLER_BUTTON_MAX + 4; input++) {
            const bool stick = input >= SDL_CONTROLLER_BUTTON_MAX;
            const int button = stick ? rows[input - SDL_CONTROLLER_BUTTON_MAX].button : input;
            char key = '.';
            for (const auto& row : rows) {
                key = row.button == button ? row.keys[screen] : key;
            }
            if (screen == 5 && (key == 'Q' || key == '4' || key == '6')) {
                continue;  // these quit: below
            }
            Show(screen);
            if (key != '.') {
                Keyboard(static_cast<unsigned char>(key), 0, 0);
            }
            const std::vector<double> byKey = State();
            const bool keyRedraws = gltest::RedisplayPending();
            Show(screen);
            changed += State() != byKey;
            if (stick) {
                Lean(lean[button - SDL_CONTROLLER_BUTTON_DPAD_UP][0],
                     lean[button - SDL_CONTROLLER_BUTTON_DPAD_UP][1]);
                Lean(0, 0);
            } else {
                Press(static_cast<ButtonT>(button));
            }
            EXPECT_EQ(State(), byKey) << "screen " << screen << " input " << input;
            EXPECT_EQ(gltest::RedisplayPending(), keyRedraws) << screen << " input " << input;
        }
    }
    EXPECT_GE(changed, 60);  // the keys acted, so the buttons were seen to
}

TEST_F(Gamepad, SouthButtonOnQuitEndsTheProgramWithStatusZero) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT((Show(5), Press(SDL_CONTROLLER_BUTTON_A)), ::testing::ExitedWithCode(0), "");
}

// On the menu a direction acts once per press, and the stick once each time
// it leans into a direction beyond its dead zone (between a fifth and half
// of its travel), the axis that leans further choosing. In play a held
// direction steers again at every poll, so Gobbler turns once the way
// opens; let go, it does not.
TEST_F(Gamepad, DirectionsHeldAndTheDeadZone) {
    Show(3);
    Hold(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    PollGamepads();
    EXPECT_EQ(currMenuItem, 4);
    Hold(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
    Lean(0, -full / 5);
    EXPECT_EQ(currMenuItem, 4);
    Lean(full / 4, -full / 2);  // up, held
    PollGamepads();
    EXPECT_EQ(currMenuItem, 3);
    Lean(-full, -full / 2);  // on to the left: lowers the view
    EXPECT_EQ(ThreeDView, 0);
    ThreeDView = 1;
    Lean(-full, full - 1);  // still left
    Lean(0, 0);
    EXPECT_EQ(ThreeDView, 1);
    EXPECT_EQ(currMenuItem, 3);
    InitBoard();
    for (int stick = 0; stick <= 1; stick++) {
        Show(6);
        gobz = 13;  // open to the left and the right only
        gobdir = RIGHT;
        stick ? Lean(0, full) : Hold(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
        EXPECT_EQ(gobdir, RIGHT);
        gobz = 6;
        PollGamepads();
        EXPECT_EQ(gobdir, DOWN) << stick;
        Lean(0, 0);
        Hold(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
        gobdir = RIGHT;
        PollGamepads();
        EXPECT_EQ(gobdir, RIGHT) << stick;
    }
}

// A pad that goes away in play pauses it, and the pause stays, whatever
// pads come and go, until Start. On the menu a pad going changes nothing.
TEST_F(Gamepad, UnplugPausesPlayUntilStart) {
    Show(6);
    Plug();
    Unplug();
    EXPECT_EQ(gamePaused, 1);
    EXPECT_TRUE(GamepadsOpen());
    Unplug();
    EXPECT_EQ(gamePaused, 1);
    EXPECT_FALSE(GamepadsOpen());
    Plug();
    EXPECT_TRUE(GamepadsOpen());
    EXPECT_EQ(gamePaused, 1);
    Press(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(gamePaused, 0);
    Show(2);
    const std::vector<double> before = State();
    Unplug();
    EXPECT_EQ(State(), before);
}

// The game's own idle callback looks at the pads on a screen where nothing
// moves, where it otherwise sleeps on its X connection: a press on the menu
// moves the highlight without a key or any other event to wake it.
TEST_F(Gamepad, TheLoopWakesForAPressOnTheStillMenu) {
    Show(1);
    WatchWindow(WindowHiddenOrShown);
    IdleOrWait();  // the pads looked at: the next look is a tick away
    SDL_JoystickSetVirtualButton(pads.back(), SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
    for (int round = 0; round < 200 && currMenuItem == 1; round++) {
        IdleOrWait();
    }
    EXPECT_EQ(currMenuItem, 2) << "the loop did not look at the pad while it waited";
}
