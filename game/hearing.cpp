// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// hearing: what the player hears of the screen up, told to the sound module
// at every round of the loop. In play each ghost hums from where it stands
// (blue ones otherwise, eyes with a warble), heard from the camera of the
// view in use: from behind Gobbler in the 3D view, so that a ghost is heard
// left or right of the camera and in front or behind; from Gobbler itself
// in the view from above, left or right as the screen shows it. The blue
// period's tone sounds while it lasts. The intro's chases are heard from
// the intro's camera. Paused play and a hidden window are silent. The
// one-shot sounds (a chomp, a catch, the menu's ticks) start where their
// events happen, in the rules, the keys and the intro.
// Depends on: mazerush.h (game state, the camera of play, the intro's
// ghosts), board/ (the grid's place in the world), desktop.h (the hidden
// window), sound/.
#include <cmath>  // sqrt, of the camera's direction

#include "../board/board.h"  // originRow, originCol, pelletSpacing
#include "mazerush.h"

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

// Each ghost's hum at a pitch of its own, a few semitones apart, so that
// two ghosts together are heard as two.
static const float ghostPitches[maxGhosts] = {1.0f,  1.122f, 0.891f, 1.26f,
                                              0.84f, 1.189f, 0.944f, 1.06f};

// Up, in the world of the maze.
static const float worldUp[3] = {0.0f, 1.0f, 0.0f};

// From above, the top of the screen is toward row 0, along -x.
static const float screenTop[3] = {-1.0f, 0.0f, 0.0f};

// ---------------------------------------------------------------------------
// File-local helpers
// ---------------------------------------------------------------------------

// Where cell (row, col) stands in the world.
static float RowToWorld(int row) {
    return static_cast<float>((row - originRow) * pelletSpacing);
}

static float ColToWorld(int col) {
    return static_cast<float>((originCol - col) * pelletSpacing);
}

// The listener of play. From behind, the camera itself, looking where it
// looks. From above, the camera is far over the maze's middle, where every
// ghost would sound alike: the player listens from Gobbler, the top of the
// screen ahead, so that a ghost left of Gobbler on the screen is heard on
// the left.
static listenerT PlayListener() {
    listenerT listener{};
    if (ThreeDView) {
        double eye[3];
        double centre[3];
        PlayCamera(eye, centre);
        double length = 0.0;
        for (int i = 0; i < 3; i++) {
            length += (centre[i] - eye[i]) * (centre[i] - eye[i]);
        }
        length = std::sqrt(length);
        for (int i = 0; i < 3; i++) {
            listener.eye[i] = static_cast<float>(eye[i]);
            listener.forward[i] = static_cast<float>((centre[i] - eye[i]) / length);
            listener.up[i] = worldUp[i];
        }
        return listener;
    }
    listener.eye[0] = RowToWorld(gobx);
    listener.eye[1] = 0.0f;
    listener.eye[2] = ColToWorld(gobz);
    for (int i = 0; i < 3; i++) {
        listener.forward[i] = screenTop[i];
        listener.up[i] = worldUp[i];
    }
    return listener;
}

// The active ghosts as heard: a hum at the ghost's own pitch, the blue hum
// while it is scared, the eyes' warble on its way home.
static int GhostVoices(voiceT voices[maxGhosts]) {
    for (int i = 0; i < num_ghosts && i < maxGhosts; i++) {
        const ghostT& g = ghost[i];
        voiceT& v = voices[i];
        v.x = RowToWorld(g.x);
        v.y = 0.0f;
        v.z = ColToWorld(g.z);
        v.sound = !g.alive ? SOUND_EYES : (g.scared ? SOUND_BLUE_HUM : SOUND_HUM);
        v.pitch = g.alive ? ghostPitches[i] : 1.0f;
    }
    return num_ghosts < maxGhosts ? num_ghosts : maxGhosts;
}

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

// Tells the sound module what the screen up sounds like now.
void HearScreen() {
    const bool inPlay = intro == 0 && menu == 0 && changeLevel == 0 && gameOver == 0;
    HoldSound((inPlay && gamePaused != 0) || WindowHidden());
    voiceT voices[maxGhosts];
    listenerT listener{};
    int heard = 0;
    if (intro) {
        heard = IntroGhostsHeard(voices, &listener);
    } else if (inPlay && !gamePaused) {
        listener = PlayListener();
        heard = GhostVoices(voices);
    }
    PlaceVoices(listener, voices, heard);
    PlayBlue(inPlay && invincible != 0);
}
