// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// embed_icon: a tool the build runs. Turns the game's icon, a PNG file, into
// the C++ array that the game sets as its window's _NET_WM_ICON: the width,
// the height, then every pixel row by row as 0xAARRGGBB, one per long.
// Usage: embed_icon ICON.png OUT.inc
// Depends on: libpng (only here, at build time: the game itself reads no
// file).
#include <png.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: embed_icon ICON.png OUT.inc\n");
        return 2;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, argv[1])) {
        std::fprintf(stderr, "embed_icon: %s: %s\n", argv[1], image.message);
        return 1;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> rgba(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr)) {
        std::fprintf(stderr, "embed_icon: %s: %s\n", argv[1], image.message);
        return 1;
    }
    std::FILE* out = std::fopen(argv[2], "w");
    if (out == nullptr) {
        std::perror(argv[2]);
        return 1;
    }
    std::fprintf(out,
                 "// Made from %s by embed_icon when the game is built: the icon as\n"
                 "// _NET_WM_ICON holds it, width, height, then each pixel as 0xAARRGGBB.\n"
                 "static const unsigned long mazerushIcon[] = {\n    %uUL, %uUL,",
                 argv[1], image.width, image.height);
    const size_t pixels = static_cast<size_t>(image.width) * image.height;
    for (size_t i = 0; i < pixels; i++) {
        const png_byte* p = &rgba[i * 4];
        const unsigned long argb = (static_cast<unsigned long>(p[3]) << 24) |
                                   (static_cast<unsigned long>(p[0]) << 16) |
                                   (static_cast<unsigned long>(p[1]) << 8) | p[2];
        std::fprintf(out, "%s0x%08lXUL,", i % 8 == 0 ? "\n    " : " ", argb);
    }
    std::fprintf(out, "\n};\n");
    if (std::fclose(out) != 0) {
        std::perror(argv[2]);
        return 1;
    }
    return 0;
}
