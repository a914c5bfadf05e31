// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// picture: looks at the window, and PNG files (libpng).
#include "picture.h"

#include <X11/Xutil.h>
#include <png.h>

#include <algorithm>
#include <utility>

#include "failure.h"

namespace drive {

namespace {

// The place of a colour mask's lowest bit and the largest value under it.
void MaskShape(unsigned long mask, int* shift, unsigned long* top) {
    *shift = 0;
    while (mask != 0 && (mask & 1UL) == 0) {
        mask >>= 1;
        ++*shift;
    }
    *top = mask;
}

// The error of the last failed request, for a grab that may meet a window
// going away.
int lastXError = 0;
int NoteXError(Display* /*display*/, XErrorEvent* event) {
    lastXError = event->error_code;
    return 0;
}

}  // namespace

Box Box::Around(ScreenPoint p, int half) {
    return Box{p.x - half, p.y - half, 2 * half + 1, 2 * half + 1};
}

Box Box::Spanning(ScreenPoint a, ScreenPoint b) {
    const int left = std::min(a.x, b.x);
    const int top = std::min(a.y, b.y);
    return Box{left, top, std::max(a.x, b.x) - left + 1, std::max(a.y, b.y) - top + 1};
}

Picture::Picture(int w, int h, std::vector<unsigned char> pixels)
    : width(w), height(h), rgb(std::move(pixels)) {}

Picture Picture::Grab(Display* display, Window window) {
    XSync(display, False);
    lastXError = 0;
    const auto previous = XSetErrorHandler(NoteXError);
    XWindowAttributes attributes;
    XImage* image = nullptr;
    if (XGetWindowAttributes(display, window, &attributes) != 0 &&
        attributes.map_state == IsViewable) {
        image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                          static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    if (image == nullptr || lastXError != 0) {
        if (image != nullptr) {
            XDestroyImage(image);
        }
        throw Failure("cannot read the pixels of the game's window");
    }
    int shift[3];
    unsigned long top[3];
    const unsigned long masks[3] = {image->red_mask, image->green_mask, image->blue_mask};
    for (int c = 0; c < 3; c++) {
        MaskShape(masks[c], &shift[c], &top[c]);
    }
    std::vector<unsigned char> pixels(static_cast<size_t>(image->width) * image->height * 3);
    unsigned char* out = pixels.data();
    for (int y = 0; y < image->height; y++) {
        for (int x = 0; x < image->width; x++) {
            const unsigned long value = XGetPixel(image, x, y);
            for (int c = 0; c < 3; c++) {
                // Scaled to 0..255 from the channel's own depth.
                const unsigned long v = (value & masks[c]) >> shift[c];
                *out++ =
                    static_cast<unsigned char>(top[c] == 255 ? v
                                               : top[c] == 0 ? 0
                                                             : (v * 255 + top[c] / 2) / top[c]);
            }
        }
    }
    Picture picture(image->width, image->height, std::move(pixels));
    XDestroyImage(image);
    return picture;
}

Picture Picture::ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    std::vector<unsigned char> pixels;
    if (png_image_begin_read_from_file(&image, path.c_str()) != 0) {
        image.format = PNG_FORMAT_RGB;
        pixels.resize(PNG_IMAGE_SIZE(image));
        if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
            pixels.clear();
        }
    }
    if (pixels.empty()) {
        throw Failure("cannot read the picture " + path + ": " + image.message);
    }
    return Picture(static_cast<int>(image.width), static_cast<int>(image.height),
                   std::move(pixels));
}

void Picture::SavePng(const std::string& path) const {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    if (png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) == 0) {
        throw Failure("cannot write " + path + ": " + image.message);
    }
}

Rgb Picture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        throw Failure("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                      ") lies outside the picture");
    }
    const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return Rgb{p[0], p[1], p[2]};
}

Box Picture::Clip(Box box) const {
    const int left = std::max(box.x, 0);
    const int top = std::max(box.y, 0);
    const int right = std::min(box.x + box.w, width);
    const int bottom = std::min(box.y + box.h, height);
    return Box{left, top, std::max(right - left, 0), std::max(bottom - top, 0)};
}

int Picture::Count(Box box, const ColourTest& test) const {
    const Box b = Clip(box);
    int n = 0;
    for (int y = b.y; y < b.y + b.h; y++) {
        for (int x = b.x; x < b.x + b.w; x++) {
            n += test(At(x, y)) ? 1 : 0;
        }
    }
    return n;
}

int Picture::Count(const ColourTest& test) const {
    return Count(Box{0, 0, width, height}, test);
}

int Picture::CountSampled(int n, const ColourTest& test) const {
    int count = 0;
    for (int y = (n - 1) / 2; y < height; y += n) {
        for (int x = (n - 1) / 2; x < width; x += n) {
            count += test(At(x, y)) ? 1 : 0;
        }
    }
    return count;
}

int Picture::Differ(const Picture& other, Box box) const {
    if (other.width != width || other.height != height) {
        return box.w * box.h;
    }
    const Box b = Clip(box);
    int n = 0;
    for (int y = b.y; y < b.y + b.h; y++) {
        for (int x = b.x; x < b.x + b.w; x++) {
            const size_t i = (static_cast<size_t>(y) * width + x) * 3;
            n += std::equal(&rgb[i], &rgb[i] + 3, &other.rgb[i]) ? 0 : 1;
        }
    }
    return n;
}

Picture Picture::Crop(Box box) const {
    const Box b = Clip(box);
    std::vector<unsigned char> pixels;
    pixels.reserve(static_cast<size_t>(b.w) * b.h * 3);
    for (int y = b.y; y < b.y + b.h; y++) {
        const auto* row = &rgb[(static_cast<size_t>(y) * width + b.x) * 3];
        pixels.insert(pixels.end(), row, row + static_cast<size_t>(b.w) * 3);
    }
    return Picture(b.w, b.h, std::move(pixels));
}

}  // namespace drive
