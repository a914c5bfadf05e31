// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// bench_gamepad: the cost of one poll of the gamepads on the menu, where
// nothing is pressed, with no pad and with one or two of SDL's virtual
// pads plugged in. The loop polls once a second without a pad and once a
// tick (60 times a second) with one, even on the still screens, so sixty
// polls a second must stay far below 1 % of a core.
// Depends on: the game module (gamepad.h, the mode flags), SDL2, Google
// Benchmark.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include "../game/gamepad.h"
#include "../game/mazerush.h"

static void BM_PollGamepads(benchmark::State& state) {
    intro = 0;
    menu = 1;
    if (!InitGamepads()) {
        state.SkipWithError("SDL's game controllers cannot start");
        return;
    }
    const int plugged = static_cast<int>(state.range(0));
    for (int i = 0; i < plugged; i++) {
        SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                  SDL_CONTROLLER_BUTTON_MAX, 0);
    }
    PollGamepads();
    if (GamepadsOpen() != (plugged > 0)) {
        state.SkipWithError("the virtual pads were not opened");
    }
    for (auto _ : state) {
        PollGamepads();
    }
    while (SDL_NumJoysticks() > 0) {
        SDL_JoystickDetachVirtual(0);
    }
    QuitGamepads();
}
BENCHMARK(BM_PollGamepads)->ArgName("pads")->Arg(0)->Arg(1)->Arg(2);
