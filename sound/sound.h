// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// sound: what the game is heard by. The synthesiser (synth.h) makes every
// sound from code; the player (player.cpp) hands them to OpenAL, which mixes
// them and places each ghost's voice where the ghost stands, heard from the
// camera of the view in use (with HRTF where the desktop reports
// headphones). The game calls it at its events and tells it, each round of
// its loop, where the listener and the ghosts are; it knows no rule and
// draws nothing. Where no audio device answers (no sound card, no sound
// server, a remote display), every call does nothing, silently.
// Depends on: synth.h, OpenAL (OpenAL Soft: its pause, loopback and
// disconnect extensions).
#pragma once

#include <AL/alc.h>  // ALCdevice, for the tests' loopback device

#include "synth.h"

// A ghost as heard: its place in the maze's own world coordinates, the loop
// it plays (SOUND_HUM, SOUND_BLUE_HUM or SOUND_EYES) and the pitch it plays
// it at (1 as made).
struct voiceT {
    float x;
    float y;
    float z;
    soundT sound;
    float pitch;
};

// The listener: the camera's place, the way it looks and its up, in world
// coordinates.
struct listenerT {
    float eye[3];
    float forward[3];
    float up[3];
};

// At most this many ghosts are heard at once: the nearest to the listener.
const int heardVoices = 3;

// Chooses whether the game starts muted (--mute); the device is opened only
// once sound is wanted, by UpdateSound.
void InitSound(bool muted);

// One round of the game's loop: opens the audio device the first time
// (after the first frame is shown, as opening it may take a while), pauses
// it whenever nothing sounds (no mixing, no processor time), and notices a
// device that went away (a sound server restarted), after which the game
// goes on silent and tries to open one again now and then.
void UpdateSound();

// Seconds until the last sound playing ends (infinity while none plays or
// a loop plays): the loop wakes then, so that UpdateSound can pause the
// device on a screen where nothing else happens.
double SoundSecondsLeft();

// Plays a sound once, heard from everywhere alike.
void PlaySound(soundT sound);
// A pellet eaten: the two chomps in turn, so that a run of pellets chews.
void PlayChomp();
// The blue period's pulsing tone, played as a loop while on is true;
// RestartBlue starts it anew from its beginning (a second power pellet).
void PlayBlue(bool on);
void RestartBlue();

// Places the listener and the ghosts heard from it: of voices[0..count),
// the heardVoices nearest to the listener play; the others are silent.
// count 0 silences every ghost.
void PlaceVoices(const listenerT& listener, const voiceT* voices, int count);

// Stops every sound at once (a screen left in the middle of its sounds).
void SilenceSound();

// Holds every sound where it is and lets nothing new start (paused play, a
// hidden window), or lets them go on.
void HoldSound(bool hold);

// Mutes or unmutes the game: muted, nothing sounds and the device rests.
void ToggleMute();
bool SoundMuted();

// Ends the sound: sources, buffers, context and device go. At exit.
void CloseSound();

// For the tests: plays through the device opened (OpenAL's loopback
// device, which renders exact samples on demand), with the context
// attributes given (its format), instead of the default device.
bool OpenSoundOn(ALCdevice* opened, const int* attributes);
