// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// synth: the game's sounds, each a short recipe of a few building blocks:
// - a tone: a pitch that glides from one frequency to another, a timbre (the
//   loudness of its first few harmonics), an envelope (attack, decay to a
//   sustained level, release), and a wobble of pitch (vibrato) and of
//   loudness (tremolo);
// - a phrase: a table of notes played as tones of one instrument;
// - a loop: a held tone whose every rate is fitted to a whole number of
//   periods in the loop's length;
// - noise from a generator of our own with a fixed seed, low-passed, for the
//   rumble.
// A sound is mixed in floating point, then scaled so that its peak is its
// level of full scale and written as 16-bit samples.
// Depends on: the C++ standard library only.
#include "synth.h"

#include <algorithm>  // max, min
#include <cmath>      // sin, cos, exp, pow, floor, lround, fabs
#include <cstddef>    // size_t
#include <numeric>    // accumulate, the peak of a sound

// --- Constants ----------------------------------------------------------

static const double pi = 3.14159265358979323846;
static const double twoPi = 2.0 * pi;
// The largest 16-bit sample, full scale.
static const double fullScale = 32767.0;
// Harmonics a timbre can name.
static const int harmonicCount = 6;

// --- Types ----------------------------------------------------------------

// A sound being mixed, in floating point.
using bufferT = std::vector<float>;

// The loudness of a tone's harmonics, the fundamental first.
struct timbreT {
    float harmonic[harmonicCount];
};

// How a tone's loudness rises and falls. It rises over the attack along half
// a cosine (no corner to click), falls by a factor e every `decay` seconds
// toward `sustain` (no decay when 0), and at its end falls to silence over
// the release, again along half a cosine. A loop has neither attack nor
// release: its loudness is held.
struct envelopeT {
    float attack;   // seconds
    float decay;    // seconds, the time constant of the fall toward sustain
    float sustain;  // of full loudness
    float release;  // seconds
};

// How a voice sounds, whatever its pitch.
struct instrumentT {
    const timbreT* timbre;
    envelopeT envelope;
    float vibratoHz = 0.0f;     // pitch wobble: its rate
    float vibratoDepth = 0.0f;  // and its depth, as a fraction of the pitch
    float tremoloHz = 0.0f;     // loudness pulse: its rate
    float tremoloDepth = 0.0f;  // and how far the loudness dips, of full
};

// A note of a phrase.
struct noteT {
    float beat;   // when it starts, in beats from the phrase's start
    float beats;  // how long it sounds, in beats
    int key;      // its pitch as a key number: 69 is the A of 440 Hz, 12 keys an octave
};

// The table of the game's sounds: how each is called, whether it loops, its
// level, and the recipe that mixes it.
struct recipeT {
    soundInfoT info;
    bufferT (*mix)();
};

// --- Timbres, envelopes, instruments ---------------------------------------

static const timbreT pure = {{1.0f}};
// Round with a little buzz: the chomps, the hum, the sweeps.
static const timbreT warm = {{1.0f, 0.5f, 0.25f, 0.12f}};
// Odd harmonics only, reedy and hollow: the blue period and the blue ghosts.
static const timbreT hollow = {{1.0f, 0.0f, 0.35f, 0.0f, 0.18f}};
// Many harmonics, brassy: the calls, the fanfare and the phrases.
static const timbreT bright = {{1.0f, 0.6f, 0.45f, 0.3f, 0.2f, 0.12f}};

static const envelopeT held = {0.0f, 0.0f, 1.0f, 0.0f};

// A bite: quick attack, a fast fall, a short tail.
static const instrumentT chew = {&warm, {0.003f, 0.02f, 0.25f, 0.02f}};
// A plucked note of a phrase.
static const instrumentT pluck = {&bright, {0.004f, 0.12f, 0.35f, 0.04f}};
// A held note of a phrase, with a little vibrato.
static const instrumentT horn = {&bright, {0.008f, 0.3f, 0.6f, 0.08f}, 5.5f, 0.006f};
// The low notes under a phrase.
static const instrumentT bass = {&warm, {0.006f, 0.25f, 0.5f, 0.08f}};
// A sweep that slides with a wobble and fades out at its end.
static const instrumentT siren = {&warm, {0.006f, 0.0f, 1.0f, 0.25f}, 9.0f, 0.035f};
// The menu's soft tick.
static const instrumentT tick = {&pure, {0.001f, 0.008f, 0.0f, 0.006f}};

// --- Sound data --------------------------------------------------------------

// The chomps' pitch glides down by this factor over the bite.
static const float chompFall = 0.55f;
static const float chompSeconds = 0.075f;
static const float chompLowHz = 330.0f;
static const float chompHighHz = 440.0f;

// The catch: a falling sweep of three octaves.
static const float caughtSeconds = 1.2f;
static const float caughtFromHz = 880.0f;
static const float caughtToHz = 110.0f;

// The phrases, as tables of notes, each with the names of its notes above
// it (C4 is middle C, key 60).
// clang-format off

// A power pellet: a quick rising call.
static const float powerBeat = 0.055f;
static const noteT powerCall[] = {
    // C5         E5          G5          C6
    {0, 1, 72}, {1, 1, 76}, {2, 1, 79}, {3, 3, 84},
};

// The maze cleared: a tune over a bass.
static const float fanfareBeat = 0.12f;
static const noteT fanfareTune[] = {
    // C5         E5          G5          C6          G5          C6
    {0, 1, 72}, {1, 1, 76}, {2, 1, 79}, {3, 2, 84}, {5, 1, 79}, {6, 6, 84},
};
static const noteT fanfareBass[] = {
    // C3         G3          C4
    {0, 3, 48}, {3, 3, 55}, {6, 6, 60},
};

// Game over: after the catch's sweep and a breath, a falling phrase.
static const float gameOverBreath = 0.1f;
static const float gameOverBeat = 0.2f;
static const noteT gameOverTune[] = {
    // C5         G4          E flat 4    C4
    {0, 1, 72}, {1, 1, 67}, {2, 1, 63}, {3, 4, 60},
};
static const noteT gameOverBass[] = {
    // C3         C2
    {0, 3, 48}, {3, 4, 36},
};

// The title's phrase.
static const float titleBeat = 0.15f;
static const noteT titleTune[] = {
    // G4         A4          C5          E5          D5          C5          G5
    {0, 1, 67}, {1, 1, 69}, {2, 1, 72}, {3, 2, 76}, {5, 1, 74}, {6, 1, 72}, {7, 4, 79},
};
static const noteT titleBass[] = {
    // C3         F3          G3
    {0, 3, 48}, {3, 4, 53}, {7, 4, 55},
};

// The menu: a tick, and two bright notes when play starts.
static const float tickSeconds = 0.03f;
static const float tickHz = 1500.0f;
static const float playBeat = 0.06f;
static const noteT playCall[] = {
    // C6         G6
    {0, 1, 84}, {1, 2, 91},
};

// clang-format on

// The rumble under the shaking camera: low noise and a low tone, shaken.
static const float rumbleSeconds = 2.0f;
static const float rumbleCutoffHz = 90.0f;
static const float rumbleToneHz = 42.0f;
static const instrumentT shake = {&warm, {0.2f, 0.0f, 1.0f, 0.5f}, 0.0f, 0.0f, 7.0f, 0.6f};

// The gulp: two bubbles falling in pitch.
static const float gulpFirstSeconds = 0.1f;
static const float gulpSecondAt = 0.09f;
static const float gulpSecondSeconds = 0.12f;

// The loops, their lengths and pitches (fitted to whole periods).
static const float blueLoopSeconds = 0.8f;
static const float blueHz = 500.0f;
static const instrumentT bluePulse = {&hollow, held, 5.0f, 0.2f, 5.0f, 0.7f};
static const float eyesLoopSeconds = 0.5f;
static const float eyesHz = 1300.0f;
static const instrumentT warble = {&pure, held, 8.0f, 0.15f};
static const float humLoopSeconds = 0.5f;
static const float humHz = 80.0f;
static const instrumentT drone = {&warm, held, 0.0f, 0.0f, 4.0f, 0.3f};
static const float blueHumHz = 100.0f;
static const instrumentT shiver = {&hollow, held, 6.0f, 0.08f, 6.0f, 0.5f};

// --- Building blocks -------------------------------------------------------

static size_t Samples(double seconds) {
    return static_cast<size_t>(std::lround(seconds * synthRate));
}

static double KeyHz(int key) {
    const double aHz = 440.0;
    const int aKey = 69;
    const double keysAnOctave = 12.0;
    return aHz * std::pow(2.0, (key - aKey) / keysAnOctave);
}

// The envelope's loudness at sample i of a tone of n samples.
static double Envelope(const envelopeT& envelope, size_t i, size_t n) {
    const double since = static_cast<double>(i) / synthRate;
    const double left = static_cast<double>(n - 1 - i) / synthRate;
    double loudness = 1.0;
    if (since < envelope.attack) {
        loudness = 0.5 - 0.5 * std::cos(pi * since / envelope.attack);
    } else if (envelope.decay > 0.0f) {
        loudness = envelope.sustain +
                   (1.0 - envelope.sustain) * std::exp(-(since - envelope.attack) / envelope.decay);
    }
    if (left < envelope.release) {
        loudness *= 0.5 - 0.5 * std::cos(pi * left / envelope.release);
    }
    return loudness;
}

// The instrument's loudness at sample i of a note of n samples: its
// envelope and its tremolo.
static double Loudness(const instrumentT& instrument, size_t i, size_t n) {
    const double since = static_cast<double>(i) / synthRate;
    const double tremolo = 1.0 - instrument.tremoloDepth *
                                     (0.5 - 0.5 * std::cos(twoPi * instrument.tremoloHz * since));
    return Envelope(instrument.envelope, i, n) * tremolo;
}

// Adds to the buffer, from `at` seconds on, a tone of the instrument that
// lasts `seconds` and glides exponentially from fromHz to toHz, at the given
// loudness. The buffer grows to hold it.
static void AddTone(bufferT* out, double at, double seconds, double fromHz, double toHz,
                    const instrumentT& instrument, double loudness) {
    const size_t start = Samples(at);
    const size_t n = Samples(seconds);
    out->resize(std::max(out->size(), start + n), 0.0f);
    double phase = 0.0;  // in cycles of the fundamental
    for (size_t i = 0; i < n; i++) {
        const double since = static_cast<double>(i) / synthRate;
        const double along = n > 1 ? static_cast<double>(i) / static_cast<double>(n - 1) : 0.0;
        const double vibrato =
            1.0 + instrument.vibratoDepth * std::sin(twoPi * instrument.vibratoHz * since);
        const double hz = fromHz * std::pow(toHz / fromHz, along) * vibrato;
        double wave = 0.0;
        for (int h = 0; h < harmonicCount; h++) {
            wave += instrument.timbre->harmonic[h] * std::sin(twoPi * (h + 1) * phase);
        }
        (*out)[start + i] += static_cast<float>(loudness * Loudness(instrument, i, n) * wave);
        phase += hz / synthRate;
        phase -= std::floor(phase);
    }
}

// Adds a phrase of notes played on the instrument, from `at` seconds on,
// each beat lasting beatSeconds.
template <size_t count>
static void AddPhrase(bufferT* out, double at, const noteT (&notes)[count], double beatSeconds,
                      const instrumentT& instrument, double loudness) {
    for (const noteT& note : notes) {
        const double hz = KeyHz(note.key);
        AddTone(out, at + note.beat * beatSeconds, note.beats * beatSeconds, hz, hz, instrument,
                loudness);
    }
}

// The nearest rate that runs a whole number of periods (at least one) in
// `seconds`.
static double WholePeriods(double hz, double seconds) {
    return hz == 0.0 ? 0.0 : std::max(1.0, std::round(hz * seconds)) / seconds;
}

// A loop of `seconds` holding a tone of the instrument at about hz: the
// pitch, the vibrato and the tremolo are each moved to the nearest rate that
// runs a whole number of periods in the loop, so that its end runs into its
// start. It starts at phase zero, a zero crossing.
static bufferT Loop(double seconds, double hz, instrumentT instrument) {
    instrument.vibratoHz = static_cast<float>(WholePeriods(instrument.vibratoHz, seconds));
    instrument.tremoloHz = static_cast<float>(WholePeriods(instrument.tremoloHz, seconds));
    const double loopHz = WholePeriods(hz, seconds);
    bufferT out;
    AddTone(&out, 0.0, seconds, loopHz, loopHz, instrument, 1.0);
    return out;
}

// Noise of our own: a 32-bit xorshift generator with a fixed seed, so that
// the noise is the same in every run, as uniform values in [-1, 1).
static bufferT Noise(size_t n) {
    uint32_t state = 0x2545F491u;
    bufferT out(n);
    for (float& sample : out) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        sample = static_cast<float>(state / 2147483648.0 - 1.0);
    }
    return out;
}

// Low-passes the buffer through two one-pole filters in a row at cutoffHz,
// which fall off by 12 dB an octave above it.
static void LowPass(bufferT* buffer, double cutoffHz) {
    const double pull = 1.0 - std::exp(-twoPi * cutoffHz / synthRate);
    double first = 0.0;
    double second = 0.0;
    for (float& sample : *buffer) {
        first += pull * (sample - first);
        second += pull * (first - second);
        sample = static_cast<float>(second);
    }
}

// --- The sounds' recipes -------------------------------------------------

static bufferT Chomp(double hz) {
    bufferT out;
    AddTone(&out, 0.0, chompSeconds, hz, hz * chompFall, chew, 1.0);
    return out;
}

static bufferT ChompLow() {
    return Chomp(chompLowHz);
}

static bufferT ChompHigh() {
    return Chomp(chompHighHz);
}

static bufferT PowerPellet() {
    bufferT out;
    AddPhrase(&out, 0.0, powerCall, powerBeat, pluck, 1.0);
    return out;
}

static bufferT Blue() {
    return Loop(blueLoopSeconds, blueHz, bluePulse);
}

static bufferT GhostEaten() {
    // A sweep up three octaves that snaps into a high note.
    const double sweepSeconds = 0.22;
    bufferT out;
    AddTone(&out, 0.0, sweepSeconds, KeyHz(57), KeyHz(93), siren, 1.0);
    AddTone(&out, sweepSeconds - 0.02, 0.16, KeyHz(93), KeyHz(93), pluck, 0.8);
    return out;
}

static bufferT Eyes() {
    return Loop(eyesLoopSeconds, eyesHz, warble);
}

static bufferT Caught() {
    bufferT out;
    AddTone(&out, 0.0, caughtSeconds, caughtFromHz, caughtToHz, siren, 1.0);
    return out;
}

static bufferT Fanfare() {
    bufferT out;
    AddPhrase(&out, 0.0, fanfareTune, fanfareBeat, horn, 1.0);
    AddPhrase(&out, 0.0, fanfareBass, fanfareBeat, bass, 0.6);
    return out;
}

static bufferT GameOver() {
    bufferT out = Caught();
    const double phraseAt = caughtSeconds + gameOverBreath;
    AddPhrase(&out, phraseAt, gameOverTune, gameOverBeat, horn, 0.9);
    AddPhrase(&out, phraseAt, gameOverBass, gameOverBeat, bass, 0.6);
    return out;
}

static bufferT MenuTick() {
    bufferT out;
    AddTone(&out, 0.0, tickSeconds, tickHz, tickHz, tick, 1.0);
    return out;
}

static bufferT MenuPlay() {
    bufferT out;
    AddPhrase(&out, 0.0, playCall, playBeat, pluck, 1.0);
    return out;
}

static bufferT Rumble() {
    const size_t n = Samples(rumbleSeconds);
    bufferT noise = Noise(n);
    LowPass(&noise, rumbleCutoffHz);
    // The noise is quiet after its filter: bring it up to match the tone.
    const double noiseGain = 8.0;
    bufferT out;
    AddTone(&out, 0.0, rumbleSeconds, rumbleToneHz, rumbleToneHz, shake, 0.6);
    for (size_t i = 0; i < n; i++) {
        out[i] += static_cast<float>(noiseGain * Loudness(shake, i, n) * noise[i]);
    }
    return out;
}

static bufferT Gulp() {
    bufferT out;
    AddTone(&out, 0.0, gulpFirstSeconds, 380.0, 150.0, chew, 1.0);
    AddTone(&out, gulpSecondAt, gulpSecondSeconds, 240.0, 90.0, chew, 1.0);
    return out;
}

static bufferT Title() {
    bufferT out;
    AddPhrase(&out, 0.0, titleTune, titleBeat, horn, 1.0);
    AddPhrase(&out, 0.0, titleBass, titleBeat, bass, 0.6);
    return out;
}

static bufferT Hum() {
    return Loop(humLoopSeconds, humHz, drone);
}

static bufferT BlueHum() {
    return Loop(humLoopSeconds, blueHumHz, shiver);
}

// --- Module data -------------------------------------------------------------

// In the order of soundT. The levels of everything that can sound at once
// (every one-shot, a chomp counted once as only one plays at a time, the
// blue period and three ghost voices) add up to at most full scale.
static const recipeT recipes[] = {
    {{"chomp low", false, 0.12f}, ChompLow},
    {{"chomp high", false, 0.12f}, ChompHigh},
    {{"power pellet", false, 0.08f}, PowerPellet},
    {{"blue", true, 0.06f}, Blue},
    {{"ghost eaten", false, 0.08f}, GhostEaten},
    {{"eyes", true, 0.03f}, Eyes},
    {{"caught", false, 0.08f}, Caught},
    {{"fanfare", false, 0.08f}, Fanfare},
    {{"game over", false, 0.08f}, GameOver},
    {{"menu tick", false, 0.04f}, MenuTick},
    {{"menu play", false, 0.06f}, MenuPlay},
    {{"rumble", false, 0.08f}, Rumble},
    {{"gulp", false, 0.06f}, Gulp},
    {{"title", false, 0.07f}, Title},
    {{"hum", true, 0.03f}, Hum},
    {{"blue hum", true, 0.03f}, BlueHum},
};
static_assert(sizeof(recipes) / sizeof(recipes[0]) == SOUND_COUNT, "a recipe for every sound");

// --- Public functions --------------------------------------------------------

const soundInfoT& SoundInfo(soundT sound) {
    return recipes[sound].info;
}

std::vector<int16_t> Synthesise(soundT sound) {
    const recipeT& recipe = recipes[sound];
    const bufferT mixed = recipe.mix();
    const float peak =
        std::accumulate(mixed.begin(), mixed.end(), 0.0f,
                        [](float top, float sample) { return std::max(top, std::fabs(sample)); });
    // The peak lands on the largest whole sample within the level.
    const double top = std::floor(recipe.info.level * fullScale);
    const double scale = peak > 0.0f ? top / peak : 0.0;
    std::vector<int16_t> samples(mixed.size());
    for (size_t i = 0; i < mixed.size(); i++) {
        const double value = std::min(top, std::max(-top, mixed[i] * scale));
        samples[i] = static_cast<int16_t>(std::lround(value));
    }
    return samples;
}
