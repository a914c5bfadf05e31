// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// picture: one look at the game's window, its pixels read from the X server
// (XGetImage) in this process, or from GL in the GL tests' (ReadFrame), and
// the questions asked of it: the colour at a point, how many pixels of a box
// are of a colour, how many differ from another look. Pictures are also read
// from and written to PNG files.
#pragma once

#include <string>
#include <vector>

#include "colour.h"
#include "view.h"

// Xlib's display, as Xlib declares it: a picture's users (the GL tests among
// them) need not take in Xlib's macros and names.
struct _XDisplay;

namespace drive {

// A box of pixels: w x h from (x, y), the top left. A box is clipped to
// the picture it is asked of, so it may reach past the edges.
struct Box {
    int x;
    int y;
    int w;
    int h;

    // The box of (2 half + 1) pixels square about p.
    static Box Around(ScreenPoint p, int half);
    // The smallest box that holds both points.
    static Box Spanning(ScreenPoint a, ScreenPoint b);
};

class Picture {
public:
    Picture() = default;
    Picture(int width, int height, std::vector<unsigned char> rgb);

    // The pixels of window on display; throws Failure when it cannot be read
    // (gone, or not mapped).
    static Picture Grab(_XDisplay* display, unsigned long window);
    // A PNG file as 8-bit RGB (palette and grey expanded, alpha dropped).
    static Picture ReadPng(const std::string& path);
    void SavePng(const std::string& path) const;

    int Width() const {
        return width;
    }
    int Height() const {
        return height;
    }
    bool Empty() const {
        return rgb.empty();
    }
    Rgb At(int x, int y) const;
    Rgb At(ScreenPoint p) const {
        return At(p.x, p.y);
    }
    // How many pixels of the box, or of the whole picture, pass the test.
    int Count(Box box, const ColourTest& test) const;
    int Count(const ColourTest& test) const;
    // The same over the picture sampled down n times: the one pixel at the
    // middle of each n x n block.
    int CountSampled(int n, const ColourTest& test) const;
    // How many pixels of the box differ from those of other.
    int Differ(const Picture& other, Box box) const;
    // The part of the picture in the box.
    Picture Crop(Box box) const;

private:
    Box Clip(Box box) const;

    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // 3 bytes a pixel, rows from the top
};

}  // namespace drive
