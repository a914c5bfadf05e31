// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// soundplot: draws every sound of the game's synthesiser into one PNG, a row
// a sound: its name, length and level, its waveform (height to its level)
// and its spectrogram (time across, frequency up on a log scale from 40 Hz
// to 12 kHz, loudness as colour, 60 dB from black to pale yellow, each sound
// to its own loudest). A loop's spectrogram wraps around its ends, as the
// loop is heard.
// Usage: soundplot OUT.png (make sounds writes docs/sounds.png)
// Depends on: sound/synth (the sounds), libpng (the file), a 5 x 7 font of
// its own.
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>  // strchr
#include <vector>

#include "../sound/synth.h"

// --- Constants ----------------------------------------------------------

static const double pi = 3.14159265358979323846;
static const double fullScale = 32767.0;

// The layout, in pixels.
static const int margin = 12;
static const int headerHeight = 46;
static const int labelWidth = 170;
static const int panelWidth = 440;
static const int panelGap = 12;
static const int scaleWidth = 34;  // the frequency labels right of a spectrogram
static const int rowHeight = 84;
static const int rowGap = 10;

// The spectrogram: its window (a third of the sound, within these bounds,
// so that a short sound's moments stay apart), its lowest and highest
// frequency, its range.
static const int longestWindow = 2048;
static const int shortestWindow = 512;
static const double lowestHz = 40.0;
static const double highestHz = 12000.0;
static const double rangeDb = 60.0;
static const double markedHz[] = {100.0, 1000.0, 10000.0};
static const char* const markedNames[] = {"100", "1K", "10K"};

// --- Types ----------------------------------------------------------------

struct colourT {
    uint8_t r, g, b;
};

struct pictureT {
    int width;
    int height;
    std::vector<uint8_t> rgb;
};

// --- Colours and the font ------------------------------------------------------

static const colourT background = {10, 10, 16};
static const colourT panel = {22, 22, 32};
static const colourT axis = {70, 70, 84};
static const colourT wave = {110, 230, 150};
static const colourT ink = {235, 235, 240};
static const colourT faintInk = {150, 150, 165};

// The spectrogram's colours, from silence to the loudest.
static const colourT heat[] = {
    {0, 0, 0}, {40, 20, 120}, {180, 40, 120}, {250, 140, 40}, {255, 250, 200},
};

// A 5 x 7 font: each glyph is seven rows, the top first, of five bits, the
// leftmost the highest. Lower-case letters are drawn as capitals.
static const char glyphNames[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-:/,()=";
static const uint8_t glyphs[][7] = {
    {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11},  // A
    {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E},  // B
    {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E},  // C
    {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E},  // D
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F},  // E
    {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10},  // F
    {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F},  // G
    {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11},  // H
    {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E},  // I
    {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C},  // J
    {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11},  // K
    {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F},  // L
    {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11},  // M
    {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11},  // N
    {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E},  // O
    {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10},  // P
    {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D},  // Q
    {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11},  // R
    {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E},  // S
    {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04},  // T
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E},  // U
    {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04},  // V
    {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A},  // W
    {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11},  // X
    {0x11, 0x11, 0x11, 0x0A, 0x04, 0x04, 0x04},  // Y
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F},  // Z
    {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E},  // 0
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},  // 1
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},  // 2
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},  // 3
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},  // 4
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},  // 5
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},  // 6
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},  // 7
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},  // 8
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},  // 9
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C},  // .
    {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00},  // -
    {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00},  // :
    {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10},  // /
    {0x00, 0x00, 0x00, 0x00, 0x0C, 0x04, 0x08},  // ,
    {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02},  // (
    {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08},  // )
    {0x00, 0x00, 0x1F, 0x00, 0x1F, 0x00, 0x00},  // =
};
static const int glyphWidth = 5;
static const int glyphHeight = 7;

// --- Drawing ------------------------------------------------------------------

static void Put(pictureT* picture, int x, int y, colourT colour) {
    if (x < 0 || y < 0 || x >= picture->width || y >= picture->height) {
        return;
    }
    uint8_t* pixel = &picture->rgb[3 * (static_cast<size_t>(y) * picture->width + x)];
    pixel[0] = colour.r;
    pixel[1] = colour.g;
    pixel[2] = colour.b;
}

static void Fill(pictureT* picture, int x, int y, int width, int height, colourT colour) {
    for (int row = y; row < y + height; row++) {
        for (int column = x; column < x + width; column++) {
            Put(picture, column, row, colour);
        }
    }
}

// Writes the text with its top left corner at (x, y), each dot of the font
// `scale` pixels square.
static void Write(pictureT* picture, int x, int y, const char* text, int scale, colourT colour) {
    for (; *text != '\0'; text++, x += (glyphWidth + 1) * scale) {
        const char letter =
            *text >= 'a' && *text <= 'z' ? static_cast<char>(*text - 'a' + 'A') : *text;
        const char* found = letter == ' ' ? nullptr : std::strchr(glyphNames, letter);
        if (found == nullptr) {
            continue;
        }
        const uint8_t* glyph = glyphs[found - glyphNames];
        for (int row = 0; row < glyphHeight; row++) {
            for (int column = 0; column < glyphWidth; column++) {
                if ((glyph[row] >> (glyphWidth - 1 - column)) & 1) {
                    Fill(picture, x + column * scale, y + row * scale, scale, scale, colour);
                }
            }
        }
    }
}

// The colour of a loudness from 0 (silent) to 1 (the loudest).
static colourT Heat(double loudness) {
    const int stops = sizeof(heat) / sizeof(heat[0]);
    const double at = std::min(1.0, std::max(0.0, loudness)) * (stops - 1);
    const int below = std::min(stops - 2, static_cast<int>(at));
    const double mix = at - below;
    const auto blend = [mix](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>(std::lround(a + (b - a) * mix));
    };
    return {blend(heat[below].r, heat[below + 1].r), blend(heat[below].g, heat[below + 1].g),
            blend(heat[below].b, heat[below + 1].b)};
}

// The waveform in a panel at (x, y): for each column of pixels a line from
// the lowest to the highest sample it covers; the panel's half height is the
// sound's level.
static void DrawWaveform(pictureT* picture, int x, int y, const std::vector<int16_t>& samples,
                         double top) {
    Fill(picture, x, y, panelWidth, rowHeight, panel);
    const int middle = y + rowHeight / 2;
    Fill(picture, x, middle, panelWidth, 1, axis);
    const double half = rowHeight / 2.0 - 1.0;
    for (int column = 0; column < panelWidth; column++) {
        const size_t from = samples.size() * column / panelWidth;
        const size_t to = std::max(from + 1, samples.size() * (column + 1) / panelWidth);
        int low = 0;
        int high = 0;
        for (size_t i = from; i < to && i < samples.size(); i++) {
            low = std::min(low, static_cast<int>(samples[i]));
            high = std::max(high, static_cast<int>(samples[i]));
        }
        const int highRow = middle - static_cast<int>(std::lround(high / top * half));
        const int lowRow = middle - static_cast<int>(std::lround(low / top * half));
        Fill(picture, x + column, highRow, 1, lowRow - highRow + 1, wave);
    }
}

// The frequency of a row of the spectrogram, 0 the top.
static double RowHz(int row) {
    const double along = (rowHeight - 1 - row + 0.5) / rowHeight;
    return lowestHz * std::pow(highestHz / lowestHz, along);
}

// The spectrogram in a panel at (x, y): for each column, the loudness at
// each row's frequency over a Hann window about the column's moment, worked
// out directly (one sum a row).
static void DrawSpectrogram(pictureT* picture, int x, int y, const std::vector<int16_t>& samples,
                            bool loops) {
    const auto n = static_cast<long>(samples.size());
    const int windowSamples =
        static_cast<int>(std::min<long>(longestWindow, std::max<long>(shortestWindow, n / 3)));
    std::vector<double> hann(windowSamples);
    for (int j = 0; j < windowSamples; j++) {
        hann[j] = 0.5 - 0.5 * std::cos(2.0 * pi * j / windowSamples);
    }
    std::vector<double> cosines(static_cast<size_t>(rowHeight) * windowSamples);
    std::vector<double> sines(cosines.size());
    for (int row = 0; row < rowHeight; row++) {
        const double turn = 2.0 * pi * RowHz(row) / synthRate;
        for (int j = 0; j < windowSamples; j++) {
            cosines[static_cast<size_t>(row) * windowSamples + j] = std::cos(turn * j);
            sines[static_cast<size_t>(row) * windowSamples + j] = std::sin(turn * j);
        }
    }
    std::vector<double> power(static_cast<size_t>(rowHeight) * panelWidth);
    std::vector<double> windowed(windowSamples);
    for (int column = 0; column < panelWidth; column++) {
        const long centre = n * (2L * column + 1) / (2L * panelWidth);
        for (int j = 0; j < windowSamples; j++) {
            long i = centre - windowSamples / 2 + j;
            if (loops) {
                i = ((i % n) + n) % n;
            }
            windowed[j] = i >= 0 && i < n ? hann[j] * samples[i] : 0.0;
        }
        for (int row = 0; row < rowHeight; row++) {
            double re = 0.0;
            double im = 0.0;
            const double* c = &cosines[static_cast<size_t>(row) * windowSamples];
            const double* s = &sines[static_cast<size_t>(row) * windowSamples];
            for (int j = 0; j < windowSamples; j++) {
                re += windowed[j] * c[j];
                im += windowed[j] * s[j];
            }
            power[static_cast<size_t>(row) * panelWidth + column] = re * re + im * im;
        }
    }
    const double loudest = std::max(1e-12, *std::max_element(power.begin(), power.end()));
    for (int row = 0; row < rowHeight; row++) {
        for (int column = 0; column < panelWidth; column++) {
            const double p = power[static_cast<size_t>(row) * panelWidth + column];
            const double db = 10.0 * std::log10(std::max(p / loudest, 1e-12));
            Put(picture, x + column, y + row, Heat(1.0 + db / rangeDb));
        }
    }
    // The marked frequencies, as ticks and names right of the panel.
    for (size_t m = 0; m < sizeof(markedHz) / sizeof(markedHz[0]); m++) {
        const double along = std::log(markedHz[m] / lowestHz) / std::log(highestHz / lowestHz);
        const int row = y + rowHeight - 1 - static_cast<int>(std::lround(along * rowHeight));
        Fill(picture, x + panelWidth, row, 4, 1, faintInk);
        Write(picture, x + panelWidth + 6, row - glyphHeight / 2, markedNames[m], 1, faintInk);
    }
}

// --- The picture --------------------------------------------------------------

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundplot OUT.png\n");
        return 2;
    }
    const int waveX = margin + labelWidth;
    const int spectrumX = waveX + panelWidth + panelGap;
    pictureT picture;
    picture.width = spectrumX + panelWidth + scaleWidth + margin;
    picture.height = headerHeight + SOUND_COUNT * (rowHeight + rowGap) + margin;
    picture.rgb.assign(static_cast<size_t>(picture.width) * picture.height * 3, 0);
    Fill(&picture, 0, 0, picture.width, picture.height, background);

    Write(&picture, margin, margin, "MAZERUSH: THE SOUNDS OF THE GAME", 2, ink);
    Write(&picture, spectrumX, margin, "TIME ACROSS: EACH ROW AS LONG AS ITS SOUND", 1, faintInk);
    const int headingY = headerHeight - glyphHeight - 6;
    Write(&picture, waveX, headingY, "WAVEFORM (HALF HEIGHT = THE LEVEL)", 1, faintInk);
    Write(&picture, spectrumX, headingY, "SPECTROGRAM (40 HZ TO 12 KHZ, LOG, 60 DB)", 1, faintInk);

    for (int s = 0; s < SOUND_COUNT; s++) {
        const auto sound = static_cast<soundT>(s);
        const soundInfoT& info = SoundInfo(sound);
        const std::vector<int16_t> samples = Synthesise(sound);
        const int y = headerHeight + s * (rowHeight + rowGap);
        char line[64];
        Write(&picture, margin, y + 4, info.name, 2, ink);
        std::snprintf(line, sizeof(line), "%.2f S%s",
                      static_cast<double>(samples.size()) / synthRate, info.loops ? ", LOOP" : "");
        Write(&picture, margin, y + 28, line, 1, faintInk);
        std::snprintf(line, sizeof(line), "LEVEL %.2f", static_cast<double>(info.level));
        Write(&picture, margin, y + 40, line, 1, faintInk);
        DrawWaveform(&picture, waveX, y, samples, info.level * fullScale);
        DrawSpectrogram(&picture, spectrumX, y, samples, info.loops);
    }

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, argv[1], 0, picture.rgb.data(), 0, nullptr)) {
        std::fprintf(stderr, "soundplot: %s: %s\n", argv[1], image.message);
        return 1;
    }
    return 0;
}
