// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// player: the game's sounds handed to OpenAL. Every sound the synthesiser
// makes becomes one buffer; the effects play on a few sources that stand at
// the listener, the blue period's tone on one of its own, and the ghosts on
// heardVoices sources placed in the maze, heard from the camera. The device
// runs only while something sounds: paused, it mixes nothing and takes no
// processor time. The libraries under OpenAL speak up on their own where
// they find no sound card or server (ALSA writes its failures to standard
// error): nothing of that reaches the player's terminal, and a device that
// goes away in the middle of a game costs at most one line of the game's
// own, once.
// Depends on: synth.h, OpenAL (alc.h, al.h and OpenAL Soft's extensions:
// ALC_SOFT_pause_device, ALC_EXT_disconnect, ALC_SOFT_loopback for the
// tests, ALC_SOFT_output_limiter), POSIX (the quiet standard error).
// OpenAL Soft's extensions are called by name, as the library exports them.
#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <fcntl.h>   // open, of /dev/null
#include <unistd.h>  // dup, dup2, close

#include <algorithm>  // max, min, sort
#include <array>
#include <cmath>     // sqrt, the distance of a voice
#include <cstdio>    // fputs, fflush
#include <cstdlib>   // setenv
#include <ctime>     // clock_gettime, the steady clock of the sounds' ends
#include <iterator>  // back_inserter
#include <limits>    // infinity
#include <vector>

#include "sound.h"

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

// Sources for the effects, taken in turn: as many as there are sounds, so
// that even every sound at once plays whole.
static const int effectSources = SOUND_COUNT;

// A voice's loudness falls with its distance from the listener, in maze
// cells: full within voiceNear, half at twice that, a tenth at ten times.
static const float voiceNear = 4.0f;
static const float voiceRolloff = 1.0f;

// How often a running device is asked whether it is still there, and how
// long after losing one the game tries to open another (a sound server
// restarted comes back within seconds).
static const double connectionCheckInterval = 0.5;
static const double reopenInterval = 5.0;

// A little past a sound's own end, for the mixer's latency.
static const double endMargin = 0.05;

// ---------------------------------------------------------------------------
// Module data
// ---------------------------------------------------------------------------

static bool muted = false;
static bool held = false;

static ALCdevice* device = nullptr;
static ALCcontext* context = nullptr;
// 1 while the device mixes; paused, it rests.
static bool deviceRunning = false;
// The first open has been tried; a device was lost; the line that says so
// has been written (once in the game's life).
static bool openTried = false;
static bool deviceLost = false;
static bool lossReported = false;
static double nextOpenAttempt = 0.0;
static double nextConnectionCheck = 0.0;

static std::array<ALuint, SOUND_COUNT> buffers{};
static std::array<double, SOUND_COUNT> lengths{};
static std::array<ALuint, effectSources> effects{};
static int nextEffect = 0;
static ALuint blue = 0;
static bool blueWanted = false;

// The ghost voices: the source, the index of the voice of the last
// PlaceVoices it plays (-1 none), and what it plays.
struct ghostSourceT {
    ALuint source;
    int voice;
    soundT sound;
    float pitch;
};
static std::array<ghostSourceT, heardVoices> ghostSources{};

// The sources held by HoldSound, to go on when it lets go.
static std::vector<ALuint> heldSources;

// The steady clock's reading at which the last effect started ends.
static double effectsEndAt = 0.0;

// Whether the next chomp is the high one.
static bool chompHigh = false;

// ---------------------------------------------------------------------------
// File-local helpers
// ---------------------------------------------------------------------------

static double SteadyNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs fn with standard error sent to /dev/null: what the libraries under
// OpenAL print while they look for a device (ALSA's three lines and more
// where there is no sound card) is theirs, not the player's.
template <typename Fn>
static void Quietly(Fn fn) {
    std::fflush(stderr);
    const int saved = dup(2);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved >= 0 && null >= 0) {
        dup2(null, 2);
    }
    fn();
    std::fflush(stderr);
    if (saved >= 0 && null >= 0) {
        dup2(saved, 2);
    }
    if (null >= 0) {
        close(null);
    }
    if (saved >= 0) {
        close(saved);
    }
}

// All the sources, effects, blue and ghosts.
static std::vector<ALuint> AllSources() {
    std::vector<ALuint> all(effects.begin(), effects.end());
    all.push_back(blue);
    std::transform(ghostSources.begin(), ghostSources.end(), std::back_inserter(all),
                   [](const ghostSourceT& g) { return g.source; });
    return all;
}

static bool Playing(ALuint source) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

// Whether sounds may start now.
static bool Audible() {
    return device != nullptr && !muted && !held;
}

// Lets the device mix again before a source starts.
static void RunDevice() {
    if (!deviceRunning) {
        alcDeviceResumeSOFT(device);
        deviceRunning = true;
    }
}

// A source that stands at the listener and is heard the same from
// everywhere.
static void StandAtListener(ALuint source) {
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
}

// Makes the buffers and sources on the current context.
static void MakeSoundsAndSources() {
    alGenBuffers(SOUND_COUNT, buffers.data());
    for (int i = 0; i < SOUND_COUNT; i++) {
        const std::vector<int16_t> samples = Synthesise(static_cast<soundT>(i));
        alBufferData(buffers[i], AL_FORMAT_MONO16, samples.data(),
                     static_cast<ALsizei>(samples.size() * sizeof(int16_t)), synthRate);
        lengths[i] = static_cast<double>(samples.size()) / synthRate;
    }
    alGenSources(effectSources, effects.data());
    for (const ALuint source : effects) {
        StandAtListener(source);
    }
    alGenSources(1, &blue);
    StandAtListener(blue);
    alSourcei(blue, AL_BUFFER, static_cast<ALint>(buffers[SOUND_BLUE]));
    alSourcei(blue, AL_LOOPING, AL_TRUE);
    for (ghostSourceT& g : ghostSources) {
        alGenSources(1, &g.source);
        alSourcei(g.source, AL_LOOPING, AL_TRUE);
        alSourcef(g.source, AL_REFERENCE_DISTANCE, voiceNear);
        alSourcef(g.source, AL_ROLLOFF_FACTOR, voiceRolloff);
        g.voice = -1;
    }
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
}

// Lets go of the sources, buffers, context and device.
static void CloseDevice() {
    if (context != nullptr) {
        const std::vector<ALuint> all = AllSources();
        alSourceStopv(static_cast<ALsizei>(all.size()), all.data());
        alDeleteSources(static_cast<ALsizei>(all.size()), all.data());
        alDeleteBuffers(SOUND_COUNT, buffers.data());
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        context = nullptr;
    }
    if (device != nullptr) {
        alcCloseDevice(device);
        device = nullptr;
    }
    deviceRunning = false;
    heldSources.clear();
    blueWanted = false;
}

// Opens the default device, quietly; the game goes on silent if none does.
static void OpenDefaultDevice() {
    Quietly([] {
        ALCdevice* opened = alcOpenDevice(nullptr);
        // The limiter keeps the mix within full scale however many sounds
        // meet (HRTF's filters can lift a sound above its own level).
        const int attributes[] = {ALC_OUTPUT_LIMITER_SOFT, ALC_TRUE, 0};
        if (opened != nullptr && !OpenSoundOn(opened, attributes)) {
            CloseDevice();
        }
    });
}

// The device asked whether it is still there, now and then; one that went
// away is closed, and said so on standard error once in the game's life.
static void CheckConnection(double now) {
    if (now < nextConnectionCheck) {
        return;
    }
    nextConnectionCheck = now + connectionCheckInterval;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(device, ALC_CONNECTED, 1, &connected);
    if (connected) {
        return;
    }
    Quietly(CloseDevice);
    deviceLost = true;
    nextOpenAttempt = now + reopenInterval;
    if (!lossReported) {
        lossReported = true;
        std::fputs("mazerush: the sound device went away; the game goes on without sound\n",
                   stderr);
    }
}

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

void InitSound(bool startMuted) {
    muted = startMuted;
    // OpenAL Soft writes its own errors to standard error (a device that
    // fails to write, a server gone): the game says what matters itself.
    // A level the user set stays.
    setenv("ALSOFT_LOGLEVEL", "0", 0);
}

bool OpenSoundOn(ALCdevice* opened, const int* attributes) {
    device = opened;
    context = alcCreateContext(device, attributes);
    if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
        return false;
    }
    MakeSoundsAndSources();
    // It rests until the first sound.
    alcDevicePauseSOFT(device);
    deviceRunning = false;
    return alGetError() == AL_NO_ERROR;
}

void UpdateSound() {
    const double now = SteadyNow();
    if (device == nullptr) {
        const bool firstOpen = !openTried;
        const bool reopen = deviceLost && now >= nextOpenAttempt;
        if (!muted && (firstOpen || reopen)) {
            openTried = true;
            OpenDefaultDevice();
            nextOpenAttempt = now + reopenInterval;
        }
        return;
    }
    if (!deviceRunning) {
        return;
    }
    CheckConnection(now);
    if (device == nullptr) {
        return;
    }
    const std::vector<ALuint> all = AllSources();
    if (std::none_of(all.begin(), all.end(), Playing)) {
        alcDevicePauseSOFT(device);
        deviceRunning = false;
    }
}

double SoundSecondsLeft() {
    if (!deviceRunning || held) {
        return std::numeric_limits<double>::infinity();
    }
    return std::max(0.0, effectsEndAt - SteadyNow()) + endMargin;
}

void PlaySound(soundT sound) {
    if (!Audible()) {
        return;
    }
    RunDevice();
    const ALuint source = effects[nextEffect];
    nextEffect = (nextEffect + 1) % effectSources;
    alSourceStop(source);
    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffers[sound]));
    alSourcePlay(source);
    effectsEndAt = std::max(effectsEndAt, SteadyNow() + lengths[sound]);
}

void PlayChomp() {
    PlaySound(chompHigh ? SOUND_CHOMP_HIGH : SOUND_CHOMP_LOW);
    chompHigh = !chompHigh;
}

void PlayBlue(bool on) {
    blueWanted = on;
    if (!Audible()) {
        return;
    }
    if (on && !Playing(blue)) {
        RunDevice();
        alSourcePlay(blue);
    } else if (!on && Playing(blue)) {
        alSourceStop(blue);
    }
}

void RestartBlue() {
    blueWanted = true;
    if (!Audible()) {
        return;
    }
    RunDevice();
    alSourceRewind(blue);
    alSourcePlay(blue);
}

void PlaceVoices(const listenerT& listener, const voiceT* voices, int count) {
    if (!Audible()) {
        return;
    }
    // The heardVoices voices nearest to the listener.
    std::vector<int> order(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; i++) {
        order[i] = i;
    }
    const auto distance = [&](int i) {
        const float dx = voices[i].x - listener.eye[0];
        const float dy = voices[i].y - listener.eye[1];
        const float dz = voices[i].z - listener.eye[2];
        return std::sqrt(dx * dx + dy * dy + dz * dz);
    };
    std::sort(order.begin(), order.end(), [&](int a, int b) { return distance(a) < distance(b); });
    order.resize(std::min<size_t>(order.size(), heardVoices));

    const float orientation[6] = {listener.forward[0], listener.forward[1], listener.forward[2],
                                  listener.up[0],      listener.up[1],      listener.up[2]};
    alListener3f(AL_POSITION, listener.eye[0], listener.eye[1], listener.eye[2]);
    alListenerfv(AL_ORIENTATION, orientation);

    // A source keeps its ghost while the ghost stays among the nearest, so
    // that a voice goes on unbroken; the others stop, and free sources take
    // the ghosts that came near.
    const auto chosen = [&](int voice) {
        return std::find(order.begin(), order.end(), voice) != order.end();
    };
    for (ghostSourceT& g : ghostSources) {
        if (g.voice >= 0 && (!chosen(g.voice) || g.voice >= count)) {
            alSourceStop(g.source);
            g.voice = -1;
        }
    }
    for (const int i : order) {
        ghostSourceT* taken = std::find_if(ghostSources.begin(), ghostSources.end(),
                                           [i](const ghostSourceT& g) { return g.voice == i; });
        if (taken == ghostSources.end()) {
            taken = std::find_if(ghostSources.begin(), ghostSources.end(),
                                 [](const ghostSourceT& g) { return g.voice < 0; });
            taken->voice = i;
            taken->sound = SOUND_COUNT;
        }
        const voiceT& v = voices[i];
        alSource3f(taken->source, AL_POSITION, v.x, v.y, v.z);
        if (taken->sound != v.sound || taken->pitch != v.pitch) {
            alSourceStop(taken->source);
            alSourcei(taken->source, AL_BUFFER, static_cast<ALint>(buffers[v.sound]));
            alSourcef(taken->source, AL_PITCH, v.pitch);
            taken->sound = v.sound;
            taken->pitch = v.pitch;
        }
        if (!Playing(taken->source)) {
            RunDevice();
            alSourcePlay(taken->source);
        }
    }
}

void SilenceSound() {
    if (context == nullptr) {
        return;
    }
    const std::vector<ALuint> all = AllSources();
    alSourceStopv(static_cast<ALsizei>(all.size()), all.data());
    for (ghostSourceT& g : ghostSources) {
        g.voice = -1;
    }
    heldSources.clear();
    blueWanted = false;
    effectsEndAt = 0.0;
}

void HoldSound(bool hold) {
    if (hold == held) {
        return;
    }
    held = hold;
    if (context == nullptr || muted) {
        return;
    }
    if (hold) {
        for (const ALuint source : AllSources()) {
            if (Playing(source)) {
                alSourcePause(source);
                heldSources.push_back(source);
            }
        }
        if (deviceRunning) {
            alcDevicePauseSOFT(device);
            deviceRunning = false;
        }
        return;
    }
    if (!heldSources.empty()) {
        RunDevice();
        alSourcePlayv(static_cast<ALsizei>(heldSources.size()), heldSources.data());
        heldSources.clear();
    }
}

void ToggleMute() {
    muted = !muted;
    if (muted) {
        SilenceSound();
        if (deviceRunning) {
            alcDevicePauseSOFT(device);
            deviceRunning = false;
        }
    } else if (device == nullptr) {
        // Started muted, or the device was lost: it is wanted now.
        openTried = false;
        deviceLost = false;
        UpdateSound();
    }
}

bool SoundMuted() {
    return muted;
}

void CloseSound() {
    CloseDevice();
}
