// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// pixels: how the end-to-end tests see the game. It grabs the game's window
// from the X server (XGetImage) into a picture file, and answers questions
// about the pixels of a picture: one process per look, whatever is asked,
// and answers that come from the pixels alone.
//
//   pixels grab WINDOW FILE      the window's pixels into FILE (binary PPM)
//   pixels PICTURE QUESTION...   one answer a line, for each question:
//     size                 "W H"
//     at X Y               "r g b" of the pixel at (X, Y), 0..255, y down
//     count BOX TEST       how many pixels of BOX pass TEST
//     sample N TEST        the same over the picture sampled down N times,
//                          one pixel of each N x N block, the one at its
//                          middle, rounded down: (N i + (N - 1) / 2, ...)
//     differ OTHER BOX     how many pixels of BOX differ from OTHER's
//     save FILE.png        writes the picture as PNG (answers nothing)
//
// A PICTURE is a PPM file (as grab writes) or a PNG file. A BOX is
// "WxH+X+Y" (X and Y may be negative, "+-3" as awk prints them), clipped to
// the picture, or "all". A TEST is an awk expression of r, g and b: numbers,
// + - * /, comparisons, !, && and ||, in awk's precedence.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <png.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // 3 bytes a pixel, rows from the top

    const unsigned char* At(int x, int y) const {
        return &rgb[(static_cast<size_t>(y) * width + x) * 3];
    }
};

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what);
}

// --- Grabbing the window ------------------------------------------------------

int xError = 0;
int OnXError(Display*, XErrorEvent* event) {
    xError = event->error_code;
    return 0;
}

// The place of a colour mask's lowest bit and the largest value under it.
void MaskShape(unsigned long mask, int* shift, unsigned long* top) {
    *shift = 0;
    while (mask != 0 && (mask & 1UL) == 0) {
        mask >>= 1;
        ++*shift;
    }
    *top = mask;
}

Picture Grab(Window window) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        Fail("cannot open the display");
    }
    XSetErrorHandler(OnXError);
    XWindowAttributes attributes;
    XImage* image = nullptr;
    if (XGetWindowAttributes(display, window, &attributes) != 0) {
        image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                          static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    }
    XSync(display, False);
    if (image == nullptr || xError != 0) {
        XCloseDisplay(display);
        Fail("cannot read the pixels of window " + std::to_string(window));
    }
    Picture picture;
    picture.width = image->width;
    picture.height = image->height;
    picture.rgb.resize(static_cast<size_t>(image->width) * image->height * 3);
    int shift[3];
    unsigned long top[3];
    const unsigned long masks[3] = {image->red_mask, image->green_mask, image->blue_mask};
    for (int c = 0; c < 3; c++) {
        MaskShape(masks[c], &shift[c], &top[c]);
    }
    unsigned char* out = picture.rgb.data();
    for (int y = 0; y < image->height; y++) {
        for (int x = 0; x < image->width; x++) {
            const unsigned long value = XGetPixel(image, x, y);
            for (int c = 0; c < 3; c++) {
                const unsigned long v = (value & masks[c]) >> shift[c];
                // Scaled to 0..255 from the channel's own depth.
                const unsigned long scaled = top[c] == 255 ? v : top[c] == 0 ? 0 : (v * 255 + top[c] / 2) / top[c];
                *out++ = static_cast<unsigned char>(scaled);
            }
        }
    }
    XDestroyImage(image);
    XCloseDisplay(display);
    return picture;
}

// --- Picture files --------------------------------------------------------------

void WritePpm(const Picture& picture, const char* path) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        Fail(std::string("cannot write ") + path);
    }
    std::fprintf(file, "P6\n%d %d\n255\n", picture.width, picture.height);
    const bool written = std::fwrite(picture.rgb.data(), 1, picture.rgb.size(), file) == picture.rgb.size();
    if (std::fclose(file) != 0 || !written) {
        Fail(std::string("cannot write ") + path);
    }
}

// The next number of a PPM header, past blanks and comments.
int PpmNumber(FILE* file) {
    int c = std::fgetc(file);
    while (c == '#' || std::isspace(c) != 0) {
        if (c == '#') {
            while (c != '\n' && c != EOF) {
                c = std::fgetc(file);
            }
        }
        c = std::fgetc(file);
    }
    int n = 0;
    if (std::isdigit(c) == 0) {
        return -1;
    }
    while (std::isdigit(c) != 0) {
        n = n * 10 + (c - '0');
        c = std::fgetc(file);
    }
    return n;  // the one blank after the number is consumed
}

Picture ReadPpm(FILE* file, const char* path) {
    Picture picture;
    picture.width = PpmNumber(file);
    picture.height = PpmNumber(file);
    if (PpmNumber(file) != 255 || picture.width <= 0 || picture.height <= 0) {
        Fail(std::string(path) + " is no 8-bit PPM picture");
    }
    picture.rgb.resize(static_cast<size_t>(picture.width) * picture.height * 3);
    if (std::fread(picture.rgb.data(), 1, picture.rgb.size(), file) != picture.rgb.size()) {
        Fail(std::string(path) + " ends early");
    }
    return picture;
}

// Reads a PNG file as 8-bit RGB, its stored values as they are: palette and
// grey expanded, 16 bits cut to 8, alpha dropped (no compositing, no gamma).
// libpng reports errors by longjmp: no object with a destructor lives here.
bool ReadPngRows(FILE* file, Picture* picture) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != png_get_image_width(png, info) * 3) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    picture->width = static_cast<int>(png_get_image_width(png, info));
    picture->height = static_cast<int>(png_get_image_height(png, info));
    picture->rgb.resize(static_cast<size_t>(picture->width) * picture->height * 3);
    std::vector<png_bytep> rows(static_cast<size_t>(picture->height));
    for (int y = 0; y < picture->height; y++) {
        rows[y] = &picture->rgb[static_cast<size_t>(y) * picture->width * 3];
    }
    png_read_image(png, rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

Picture Read(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        Fail(std::string("cannot read ") + path);
    }
    unsigned char magic[8] = {};
    const size_t got = std::fread(magic, 1, sizeof magic, file);
    Picture picture;
    bool ok = false;
    if (got >= 2 && magic[0] == 'P' && magic[1] == '6') {
        std::fseek(file, 2, SEEK_SET);
        try {
            picture = ReadPpm(file, path);
        } catch (...) {
            std::fclose(file);
            throw;
        }
        ok = true;
    } else if (got == 8 && png_sig_cmp(magic, 0, 8) == 0) {
        std::fseek(file, 0, SEEK_SET);
        ok = ReadPngRows(file, &picture);
    }
    std::fclose(file);
    if (!ok) {
        Fail(std::string(path) + " is no PPM or PNG picture");
    }
    return picture;
}

bool WritePngRows(FILE* file, const Picture& picture) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height),
                 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; y++) {
        png_write_row(png, picture.At(0, y));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

void WritePng(const Picture& picture, const char* path) {
    FILE* file = std::fopen(path, "wb");
    const bool written = file != nullptr && WritePngRows(file, picture);
    if (file == nullptr || std::fclose(file) != 0 || !written) {
        Fail(std::string("cannot write ") + path);
    }
}

// --- Tests of a pixel's colour ----------------------------------------------

// An awk expression of r, g and b, compiled to a postfix program that is
// run on a stack of doubles, as awk computes.
class Test {
public:
    explicit Test(const std::string& text) : text_(text) {
        Or();
        Skip();
        if (pos_ != text_.size()) {
            Error();
        }
    }

    bool operator()(const unsigned char* rgb) const {
        double stack[64];
        int top = -1;
        for (const Step& step : program_) {
            switch (step.op) {
                case Op::Number: stack[++top] = step.value; break;
                case Op::Red: stack[++top] = rgb[0]; break;
                case Op::Green: stack[++top] = rgb[1]; break;
                case Op::Blue: stack[++top] = rgb[2]; break;
                case Op::Negate: stack[top] = -stack[top]; break;
                case Op::Not: stack[top] = stack[top] == 0.0; break;
                default: {
                    const double b = stack[top--];
                    double& a = stack[top];
                    a = Apply(step.op, a, b);
                }
            }
        }
        return stack[0] != 0.0;
    }

private:
    enum class Op { Number, Red, Green, Blue, Negate, Not, Add, Subtract, Multiply, Divide,
                    Less, LessEqual, Greater, GreaterEqual, Equal, NotEqual, And, Or };
    struct Step {
        Op op;
        double value;
    };

    static double Apply(Op op, double a, double b) {
        switch (op) {
            case Op::Add: return a + b;
            case Op::Subtract: return a - b;
            case Op::Multiply: return a * b;
            case Op::Divide: return a / b;
            case Op::Less: return a < b;
            case Op::LessEqual: return a <= b;
            case Op::Greater: return a > b;
            case Op::GreaterEqual: return a >= b;
            case Op::Equal: return a == b;
            case Op::NotEqual: return a != b;
            case Op::And: return a != 0.0 && b != 0.0;
            default: return a != 0.0 || b != 0.0;
        }
    }

    [[noreturn]] void Error() const {
        Fail("cannot read the test \"" + text_ + "\" at \"" + text_.substr(pos_) + "\"");
    }
    void Skip() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])) != 0) {
            ++pos_;
        }
    }
    // Takes the operator word if it comes next (and is not the start of a
    // longer one, as "<" of "<=").
    bool Take(const char* word) {
        Skip();
        const size_t n = std::strlen(word);
        if (text_.compare(pos_, n, word) != 0) {
            return false;
        }
        const char next = pos_ + n < text_.size() ? text_[pos_ + n] : '\0';
        if ((word[0] == '<' || word[0] == '>' || word[0] == '!') && n == 1 && next == '=') {
            return false;
        }
        pos_ += n;
        return true;
    }
    void Emit(Op op, double value = 0.0) {
        program_.push_back({op, value});
        if (program_.size() > 63) {
            Fail("the test \"" + text_ + "\" is too long");
        }
    }

    void Or() {
        And();
        while (Take("||")) {
            And();
            Emit(Op::Or);
        }
    }
    void And() {
        Comparison();
        while (Take("&&")) {
            Comparison();
            Emit(Op::And);
        }
    }
    void Comparison() {
        Sum();
        static const struct {
            const char* word;
            Op op;
        } comparisons[] = {{"<=", Op::LessEqual}, {">=", Op::GreaterEqual}, {"==", Op::Equal},
                           {"!=", Op::NotEqual},  {"<", Op::Less},          {">", Op::Greater}};
        for (const auto& c : comparisons) {
            if (Take(c.word)) {
                Sum();
                Emit(c.op);
                return;
            }
        }
    }
    void Sum() {
        Product();
        for (;;) {
            if (Take("+")) {
                Product();
                Emit(Op::Add);
            } else if (Take("-")) {
                Product();
                Emit(Op::Subtract);
            } else {
                return;
            }
        }
    }
    void Product() {
        Unary();
        for (;;) {
            if (Take("*")) {
                Unary();
                Emit(Op::Multiply);
            } else if (Take("/")) {
                Unary();
                Emit(Op::Divide);
            } else {
                return;
            }
        }
    }
    void Unary() {
        if (Take("!")) {
            Unary();
            Emit(Op::Not);
        } else if (Take("-")) {
            Unary();
            Emit(Op::Negate);
        } else if (Take("+")) {
            Unary();
        } else {
            Primary();
        }
    }
    void Primary() {
        Skip();
        if (Take("(")) {
            Or();
            if (!Take(")")) {
                Error();
            }
            return;
        }
        const char c = pos_ < text_.size() ? text_[pos_] : '\0';
        const char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
        if ((c == 'r' || c == 'g' || c == 'b') && std::isalnum(static_cast<unsigned char>(next)) == 0 &&
            next != '_') {
            Emit(c == 'r' ? Op::Red : c == 'g' ? Op::Green : Op::Blue);
            ++pos_;
            return;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.') {
            char* end = nullptr;
            const double value = std::strtod(text_.c_str() + pos_, &end);
            pos_ = static_cast<size_t>(end - text_.c_str());
            Emit(Op::Number, value);
            return;
        }
        Error();
    }

    std::string text_;
    size_t pos_ = 0;
    std::vector<Step> program_;
};

// --- Questions -------------------------------------------------------------------

struct Box {
    int left, top, right, bottom;  // right and bottom one past the last pixel
};

// One signed offset of a geometry, "+5", "-5" or "+-5"; advances text.
bool Offset(const char** text, int* value) {
    int sign = 1;
    if (**text != '+' && **text != '-') {
        return false;
    }
    while (**text == '+' || **text == '-') {
        sign = **text == '-' ? -sign : sign;
        ++*text;
    }
    char* end = nullptr;
    const long n = std::strtol(*text, &end, 10);
    if (end == *text) {
        return false;
    }
    *text = end;
    *value = static_cast<int>(sign * n);
    return true;
}

Box ReadBox(const std::string& text, const Picture& picture) {
    Box box = {0, 0, picture.width, picture.height};
    if (text == "all") {
        return box;
    }
    const char* p = text.c_str();
    char* end = nullptr;
    const long w = std::strtol(p, &end, 10);
    if (end == p || *end != 'x') {
        Fail("no box: " + text);
    }
    p = end + 1;
    const long h = std::strtol(p, &end, 10);
    p = end;
    int x = 0;
    int y = 0;
    if (!Offset(&p, &x) || !Offset(&p, &y) || *p != '\0' || w < 0 || h < 0) {
        Fail("no box: " + text);
    }
    box.left = std::max(x, 0);
    box.top = std::max(y, 0);
    box.right = std::min(x + static_cast<int>(w), picture.width);
    box.bottom = std::min(y + static_cast<int>(h), picture.height);
    return box;
}

int Number(const char* text) {
    char* end = nullptr;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0') {
        Fail(std::string("no number: ") + text);
    }
    return static_cast<int>(n);
}

// Runs of one colour (the black of the background, a wall's blue) are
// tested once.
long Count(const Picture& picture, const Box& box, int step, const Test& test) {
    long n = 0;
    unsigned char last[3] = {0, 0, 0};
    bool lastPasses = test(last);
    for (int y = box.top + (step - 1) / 2; y < box.bottom; y += step) {
        for (int x = box.left + (step - 1) / 2; x < box.right; x += step) {
            const unsigned char* rgb = picture.At(x, y);
            if (std::memcmp(rgb, last, 3) != 0) {
                std::memcpy(last, rgb, 3);
                lastPasses = test(rgb);
            }
            n += lastPasses ? 1 : 0;
        }
    }
    return n;
}

long Differ(const Picture& a, const Picture& b, const Box& box) {
    if (a.width != b.width || a.height != b.height) {
        Fail("the pictures differ in size");
    }
    long n = 0;
    for (int y = box.top; y < box.bottom; y++) {
        for (int x = box.left; x < box.right; x++) {
            n += std::memcmp(a.At(x, y), b.At(x, y), 3) != 0 ? 1 : 0;
        }
    }
    return n;
}

// Answers the questions args[0..count) about the picture, one line each.
void Answer(const Picture& picture, char** args, int count) {
    int i = 0;
    const auto next = [&](const char* question) -> const char* {
        if (i >= count) {
            Fail(std::string(question) + " needs more words");
        }
        return args[i++];
    };
    while (i < count) {
        const std::string question = args[i++];
        if (question == "size") {
            std::printf("%d %d\n", picture.width, picture.height);
        } else if (question == "at") {
            const int x = Number(next("at"));
            const int y = Number(next("at"));
            if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) {
                Fail("no pixel at " + std::to_string(x) + " " + std::to_string(y));
            }
            const unsigned char* rgb = picture.At(x, y);
            std::printf("%d %d %d\n", rgb[0], rgb[1], rgb[2]);
        } else if (question == "count") {
            const Box box = ReadBox(next("count"), picture);
            std::printf("%ld\n", Count(picture, box, 1, Test(next("count"))));
        } else if (question == "sample") {
            const int step = Number(next("sample"));
            if (step < 1) {
                Fail("sample needs a step of 1 or more");
            }
            std::printf("%ld\n", Count(picture, ReadBox("all", picture), step, Test(next("sample"))));
        } else if (question == "differ") {
            const Picture other = Read(next("differ"));
            std::printf("%ld\n", Differ(picture, other, ReadBox(next("differ"), picture)));
        } else if (question == "save") {
            WritePng(picture, next("save"));
        } else {
            Fail("no such question: " + question);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 4 && std::strcmp(argv[1], "grab") == 0) {
            char* end = nullptr;
            const unsigned long window = std::strtoul(argv[2], &end, 0);
            if (end == argv[2] || *end != '\0') {
                Fail(std::string("no window id: ") + argv[2]);
            }
            WritePpm(Grab(window), argv[3]);
        } else if (argc >= 2) {
            Answer(Read(argv[1]), argv + 2, argc - 2);
        } else {
            std::fprintf(stderr, "usage: pixels grab WINDOW FILE | pixels PICTURE QUESTION...\n");
            return 2;
        }
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "pixels: %s\n", e.what());
        return 2;
    }
    return 0;
}
