// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// synth: every sound of the game, made by the program itself from a few
// building blocks (tones whose pitch can glide, envelopes, phrases of notes,
// filtered noise). Each sound is mono 16-bit samples at synthRate; a loop
// runs from its end into its start without a step. Nothing here plays a
// sound: the player does, and the game says when.
// Depends on: the C++ standard library only.
#pragma once

#include <cstdint>  // int16_t, the samples
#include <vector>

// Samples a second of every sound made here.
const int synthRate = 44100;

// Every sound of the game.
enum soundT {
    SOUND_CHOMP_LOW,     // a pellet eaten; the chomps alternate low and high
    SOUND_CHOMP_HIGH,    // the other pitch of the chomp
    SOUND_POWER_PELLET,  // a power pellet eaten: a short call
    SOUND_BLUE,          // loop: the pulsing tone of the blue period
    SOUND_GHOST_EATEN,   // a blue ghost eaten
    SOUND_EYES,          // loop: an eaten ghost's eyes on their way home
    SOUND_CAUGHT,        // Gobbler caught: a falling sweep
    SOUND_FANFARE,       // the maze cleared
    SOUND_GAME_OVER,     // the last life lost: the sweep, then a falling phrase
    SOUND_MENU_TICK,     // the menu's highlight moved or a setting changed
    SOUND_MENU_PLAY,     // play starts from the menu
    SOUND_RUMBLE,        // the intro's shaking camera
    SOUND_GULP,          // the intro's camera swallowed
    SOUND_TITLE,         // the phrase under the intro's title
    SOUND_HUM,           // loop: a roaming ghost, pitched per ghost by the player
    SOUND_BLUE_HUM,      // loop: a blue ghost, pitched per ghost by the player
    SOUND_COUNT
};

struct soundInfoT {
    const char* name;  // a short lower-case name, for the plot and test messages ("chomp low")
    bool loops;        // played as a loop until the game stops it
    float level;       // the peak level, of full scale (1.0), that the sound never exceeds
};

// What the sound is called, whether it loops and its peak level.
const soundInfoT& SoundInfo(soundT sound);

// The sound's samples: mono, 16-bit signed, at synthRate, the same on every
// call. A one-shot rises from silence and falls back to it; a loop holds a
// whole number of periods of everything in it and starts at a zero
// crossing, so that its end runs into its start without a step.
std::vector<int16_t> Synthesise(soundT sound);
