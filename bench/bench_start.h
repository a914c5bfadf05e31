// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// bench_start: the game's state at the start of play, put back by every
// benchmark that draws a frame of play (defined in bench_scene.cpp).
#pragma once

// A full maze, four ghosts, three lives, no score, the mouth closed; the
// given view (0 from above, 1 behind Gobbler) and fog type, made current.
void StartOfPlay(int view, int fog);
