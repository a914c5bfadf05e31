// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// gl_main: the test program's entry. Opens the game's window on the X server
// of the run, then runs the GoogleTest cases, each of which may draw.
#include <GL/freeglut.h>  // glutMainLoopEvent
#include <dlfcn.h>        // dlopen, to keep the GL driver loaded
#include <gtest/gtest.h>
#include <link.h>    // dl_iterate_phdr
#include <unistd.h>  // usleep

#include <algorithm>  // copy_n
#include <atomic>
#include <cstdio>   // fopen, fclose
#include <cstdlib>  // getenv, setenv
#include <cstring>
#include <thread>

#include "gl_test.h"

// Xlib after GoogleTest, whose names its macros (None, Bool) would spoil.
#include <GL/glx.h>  // glXGetCurrentDrawable, the window keys are sent to
#include <X11/Xlib.h>

#include "../tools/drive/session.h"  // RunToEnd, the program run again for one case

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>  // __lsan_do_leak_check
#endif

namespace gltest {

static int window = 0;

// Set in the environment of the program run again for one case alone: the
// file the case makes once it has run to its end.
static const char* const aloneVariable = "MAZERUSH_TEST_ALONE";

int Window() {
    return window;
}

Rgb ReadPixel(int x, int y) {
    unsigned char px[3] = {0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, px);
    return Rgb{px[0], px[1], px[2]};
}

drive::Picture ReadFrame() {
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    const int height = glutGet(GLUT_WINDOW_HEIGHT);
    std::vector<unsigned char> rows(static_cast<size_t>(width) * height * 3);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    // GL's rows come from the bottom up; the picture's from the top down.
    std::vector<unsigned char> rgb(rows.size());
    const size_t row = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; y++) {
        std::copy_n(&rows[y * row], row, &rgb[(height - 1 - y) * row]);
    }
    return drive::Picture(width, height, std::move(rgb));
}

drive::ScreenPoint OnScreen(const drive::Picture& frame, int x, int y) {
    return drive::ScreenPoint{x, frame.Height() - 1 - y};
}

void LoadView(const std::function<void()>& load) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    load();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

WindowPoint ProjectWorld(double x, double y, double z) {
    GLdouble model[16];
    GLdouble proj[16];
    GLint view[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, view);
    GLdouble wx = 0.0;
    GLdouble wy = 0.0;
    GLdouble wz = 0.0;
    gluProject(x, y, z, model, proj, view, &wx, &wy, &wz);
    return WindowPoint{static_cast<int>(wx), static_cast<int>(wy)};
}

Rgb PixelAtWorld(double x, double y, double z) {
    const WindowPoint p = ProjectWorld(x, y, z);
    return ReadPixel(p.x, p.y);
}

std::vector<Vertex> CaptureVertices(void (*draw)(), GLenum type) {
    std::vector<GLfloat> buffer(1 << 23);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), type, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint n = glRenderMode(GL_RENDER);
    EXPECT_GE(n, 0) << "the feedback buffer overflowed";
    const int size = type == GL_3D_COLOR ? 7 : 3;
    std::vector<Vertex> out;
    for (GLint i = 0; i < n;) {
        const GLint token = static_cast<GLint>(buffer[i++]);
        int count = 0;
        const bool line = token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN;
        if (token == GL_POLYGON_TOKEN) {
            count = static_cast<int>(buffer[i++]);
        } else if (token == GL_POINT_TOKEN) {
            count = 1;
        } else if (line) {
            count = 2;
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        for (int v = 0; v < count; v++, i += size) {
            const GLfloat* f = &buffer[i];
            out.push_back(size == 7 ? Vertex{f[0], f[1], f[2], f[3], f[4], f[5], f[6], line}
                                    : Vertex{f[0], f[1], f[2], 0, 0, 0, 0, line});
        }
    }
    return out;
}

std::vector<float> GetFloats(GLenum which, int n) {
    std::vector<float> v(n, -1);
    glGetFloatv(which, v.data());
    return v;
}

int GetInt(GLenum which) {
    GLint v = -1;
    glGetIntegerv(which, &v);
    return v;
}

std::vector<float> GetMaterial(GLenum face, GLenum what) {
    std::vector<float> v(4, -1);
    glGetMaterialfv(face, what, v.data());
    return v;
}

std::vector<float> GetLight(GLenum what) {
    std::vector<float> v(4, -1);
    glGetLightfv(GL_LIGHT0, what, v.data());
    return v;
}

static void DrawNothing() {}

static int displayRuns = 0;

static void CountDisplay() {
    displayRuns++;
}

bool RedisplayPending() {
    displayRuns = 0;
    glutSetWindow(window);
    glutDisplayFunc(CountDisplay);
    glutMainLoopEvent();
    glutDisplayFunc(DrawNothing);
    return displayRuns > 0;
}

static int windowStatus = -1;

static void NoteWindowStatus(int status) {
    windowStatus = status;
}

// Runs the event loop until the window's status passes the test.
static void AwaitWindowStatus(bool (*wanted)(int status)) {
    glutWindowStatusFunc(NoteWindowStatus);
    for (int round = 0; round < 2000 && !wanted(windowStatus); round++) {
        glutMainLoopEvent();
        if (!wanted(windowStatus)) {
            usleep(1000);
        }
    }
    glutWindowStatusFunc(nullptr);
}

// Runs the event loop until the window is shown and its first redisplays
// (mapping, exposure) are done, so that a test's own requests are the only
// ones left to see.
static void SettleWindow() {
    AwaitWindowStatus([](int status) { return status == GLUT_FULLY_RETAINED; });
    for (int quiet = 0, round = 0; quiet < 3 && round < 100; round++) {
        quiet = RedisplayPending() ? 0 : quiet + 1;
    }
}

bool InAProcessOfItsOwn() {
    if (std::getenv(aloneVariable) != nullptr) {
        return true;
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test->test_suite_name()) + "." + test->name();
    const std::string dir = drive::MakeTempDir("alone");
    const std::string ran = dir + "/ran";
    const drive::Ran run = drive::RunToEnd({"/proc/self/exe", "--gtest_filter=" + name},
                                           {std::string(aloneVariable) + "=" + ran}, 120.0);
    const bool reachedItsEnd = unlink(ran.c_str()) == 0;
    rmdir(dir.c_str());
    EXPECT_TRUE(run.status == 0 && reachedItsEnd)
        << name << " alone ended with status " << run.status
        << (reachedItsEnd ? "" : ", before the end of the case") << ":\n"
        << run.output << run.errors;
    return false;
}

void RanAlone() {
    if (const char* ran = std::getenv(aloneVariable)) {
        std::fclose(std::fopen(ran, "w"));
    }
}

void ResetWindow() {
    glutSetWindow(window);
    glutDisplayFunc(DrawNothing);
    glutReshapeFunc(nullptr);
    glutKeyboardFunc(nullptr);
    glutSpecialFunc(nullptr);
    glutIdleFunc(nullptr);
    glutWindowStatusFunc(nullptr);
    glutSetCursor(GLUT_CURSOR_INHERIT);
    if (glutGet(GLUT_WINDOW_WIDTH) != 800 || glutGet(GLUT_WINDOW_HEIGHT) != 552) {
        glutReshapeWindow(800, 552);
        for (int round = 0; round < 2000 && glutGet(GLUT_WINDOW_WIDTH) != 800; round++) {
            glutMainLoopEvent();
            usleep(1000);
        }
    }
    while (RedisplayPending()) {
    }
}

void HideWindow() {
    glutSetWindow(window);
    glutHideWindow();
    AwaitWindowStatus([](int status) { return status == GLUT_HIDDEN; });
}

void ShowWindow() {
    glutSetWindow(window);
    glutShowWindow();
    // Mapped, whether or not another test program's window covers it.
    AwaitWindowStatus([](int status) { return status != GLUT_HIDDEN && status != -1; });
}

// The thread that sends keys, the key it sends next (nullptr: none) and
// whether it goes on.
static std::thread keySender;
static std::atomic<const char*> keyToSend{nullptr};
static std::atomic<bool> sendingKeys{false};

static void SendKeys(::Window window) {
    ::Display* display = XOpenDisplay(nullptr);
    while (display != nullptr && sendingKeys) {
        const char* name = keyToSend.exchange(nullptr);
        if (name == nullptr) {
            usleep(1000);
            continue;
        }
        XKeyEvent event{};
        event.type = KeyPress;
        event.display = display;
        event.window = window;
        event.root = DefaultRootWindow(display);
        event.same_screen = True;
        event.keycode = XKeysymToKeycode(display, XStringToKeysym(name));
        XSendEvent(display, window, True, KeyPressMask, reinterpret_cast<XEvent*>(&event));
        XFlush(display);
    }
    if (display != nullptr) {
        XCloseDisplay(display);
    }
}

void StartSendingKeys() {
    sendingKeys = true;
    keySender = std::thread(SendKeys, glXGetCurrentDrawable());
}

void SendKey(const char* name) {
    keyToSend = name;
}

void StopSendingKeys() {
    sendingKeys = false;
    keySender.join();
}

}  // namespace gltest

// Sanitizer settings of the test program. The GL driver is kept loaded to
// the end (below), so the suppressions (leaks of the GL driver and the X
// libraries only) can name it from the frame-pointer unwinding that
// allocations use by default. Unwinding in full on every allocation would
// deadlock in the unwinder once llvmpipe has registered the frames of code
// it compiled on the fly. The dynamic TLS blocks that the sanitizer tracks
// through __tls_get_addr are left alone: with this system's C library it
// records a block of nonsense bounds for one of the driver's libraries, and
// the leak checker's thread crashes reading it (whether it does depends on
// the program's layout and environment; the menu's picture tests hit it).
extern "C" const char* __asan_default_options() {
    return "detect_leaks=1:intercept_tls_get_addr=0";
}

// Keeps the GL driver that the window's context loaded in memory until the
// process ends. Mesa would otherwise unload it before the leak check, which
// could then neither name it nor see what its data still holds.
static int PinDriver(struct dl_phdr_info* info, size_t, void*) {
    if (std::strstr(info->dlpi_name, "_dri.so") != nullptr ||
        std::strstr(info->dlpi_name, "libgallium") != nullptr) {
        dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
    return 0;
}

// Pins the driver when the tests start, after main has opened the window.
class DriverPin : public ::testing::Environment {
public:
    void SetUp() override {
        dl_iterate_phdr(PinDriver, nullptr);
    }
};
static ::testing::Environment* const driverPin = ::testing::AddGlobalTestEnvironment(new DriverPin);

extern "C" const char* __lsan_default_options() {
    return "print_suppressions=0";
}

extern "C" const char* __lsan_default_suppressions() {
    return
#include "lsan_supp.inc"
        ;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // A case that runs the game's loop opens its audio device: OpenAL Soft's
    // wave writer, given no file, opens none, so that no case plays through
    // the machine's speakers (the sound tests use a loopback device).
    setenv("ALSOFT_DRIVERS", "wave", 1);
    // Listing the tests needs no X server.
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    glutInit(&argc, argv);
    glutInitWindowSize(800, 552);
    glutInitWindowPosition(0, 0);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    gltest::window = glutCreateWindow("Gobbler");
    glutDisplayFunc(gltest::DrawNothing);
    glViewport(0, 0, 800, 552);
    gltest::SettleWindow();
    const int result = RUN_ALL_TESTS();
    // Whatever a test left queued is drawn now, while the renderer's code
    // compiler is still whole: left to the window's teardown at exit, it
    // would be compiled after the compiler's own exit handlers have run.
    glFinish();
#ifdef __SANITIZE_ADDRESS__
    // Check for leaks now, while the renderer's threads, their work
    // finished, wait for more: once exit has begun tearing them down, a
    // thread caught half gone while the leak checker stops the world
    // crashes the checker.
    __lsan_do_leak_check();
#endif
    // The window and its context go away here too, for the same reason.
    glutExit();
    return result;
}
