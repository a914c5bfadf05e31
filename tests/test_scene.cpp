// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// Tests of the in-game frame: the projection and camera of both views read
// back from GL, the model-view matrix and its stack at the end of a frame,
// the pieces in the picture (pixels of the drawn frame), which ghost slots
// are drawn, how the pieces are turned, and the points text of an eaten
// ghost (vertices of the frame in feedback mode, taken back to the world).
#include <GL/glu.h>
#include <gtest/gtest.h>
#include <pthread.h>  // pthread_self, the drawing thread

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"
#include "../tools/drive/view.h"
#include "gl_test.h"
#include "probe.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator hooks and sizes (its runtime has them; the
// compiler ships no header for them).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*,
                                                                          size_t),
                                                         void (*onFree)(const volatile void*));
extern "C" size_t __sanitizer_get_allocated_size(const volatile void* p);
#endif

namespace {

#if defined(__SANITIZE_ADDRESS__)
// The blocks that the drawing thread allocates while counting is on, and
// still holds: a fixed open-addressing table (the hooks may not allocate),
// emptied again when a block is freed on any thread. The GL driver's
// rasteriser threads allocate for themselves and free some of what the
// drawing thread set up; their own blocks are left out.
const size_t liveSlots = 1 << 16;
std::atomic<bool> counting{false};
pthread_t countedThread;
std::atomic_flag liveLock = ATOMIC_FLAG_INIT;
const volatile void* livePtr[liveSlots];
size_t liveSize[liveSlots];
long long liveBytes = 0;
bool liveOverflow = false;

size_t Slot(const volatile void* p) {
    return (reinterpret_cast<uintptr_t>(p) >> 4) % liveSlots;
}

void OnMalloc(const volatile void* p, size_t size) {
    if (!counting || !pthread_equal(pthread_self(), countedThread)) {
        return;
    }
    while (liveLock.test_and_set(std::memory_order_acquire)) {
    }
    size_t i = Slot(p);
    size_t probes = 0;
    while (livePtr[i] != nullptr && probes < liveSlots) {
        i = (i + 1) % liveSlots;
        probes++;
    }
    if (probes < liveSlots) {
        livePtr[i] = p;
        liveSize[i] = size;
        liveBytes += static_cast<long long>(size);
    } else {
        liveOverflow = true;
    }
    liveLock.clear(std::memory_order_release);
}

void OnFree(const volatile void* p) {
    if (p == nullptr) {
        return;
    }
    while (liveLock.test_and_set(std::memory_order_acquire)) {
    }
    // Linear probing: find p, empty its slot and put back the run after it.
    size_t i = Slot(p);
    while (livePtr[i] != nullptr && livePtr[i] != p) {
        i = (i + 1) % liveSlots;
    }
    if (livePtr[i] == p) {
        liveBytes -= static_cast<long long>(liveSize[i]);
        livePtr[i] = nullptr;
        for (size_t j = (i + 1) % liveSlots; livePtr[j] != nullptr; j = (j + 1) % liveSlots) {
            const volatile void* q = livePtr[j];
            const size_t size = liveSize[j];
            livePtr[j] = nullptr;
            size_t k = Slot(q);
            while (livePtr[k] != nullptr) {
                k = (k + 1) % liveSlots;
            }
            livePtr[k] = q;
            liveSize[k] = size;
        }
    }
    liveLock.clear(std::memory_order_release);
}

long long LiveBytes() {
    while (liveLock.test_and_set(std::memory_order_acquire)) {
    }
    const long long n = liveBytes;
    liveLock.clear(std::memory_order_release);
    return n;
}
#endif

const int width = 800;
const int height = 552;

// World points, those of the maze's cells, and what is done with them
// (tools/drive/view.h).
using Vec = drive::Vec3;
using drive::CellPoint;

using drive::Cross;
using drive::Dot;
using drive::Length;
using drive::Normalise;
using drive::Sub;

// The eye of a projection-and-camera matrix: the one point that clip space
// sends to x = y = w = 0. Rows 0, 1 and 3 of m, applied to (e, 1), vanish:
// A e = -b, solved by Cramer's rule in the rows' cross products.
Vec EyeOf(const std::vector<float>& m) {
    Vec a[3];
    double b[3];
    const int rows[3] = {0, 1, 3};
    for (int r = 0; r < 3; r++) {
        a[r] = Vec{m[rows[r]], m[4 + rows[r]], m[8 + rows[r]]};
        b[r] = -m[12 + rows[r]];
    }
    const Vec c[3] = {Cross(a[1], a[2]), Cross(a[2], a[0]), Cross(a[0], a[1])};
    const double det = Dot(a[0], c[0]);
    return Vec{(b[0] * c[0].x + b[1] * c[1].x + b[2] * c[2].x) / det,
               (b[0] * c[0].y + b[1] * c[1].y + b[2] * c[2].y) / det,
               (b[0] * c[0].z + b[1] * c[1].z + b[2] * c[2].z) / det};
}

void ExpectMatrixNear(const std::vector<float>& actual, const drive::Matrix& expected) {
    for (int i = 0; i < 16; i++) {
        EXPECT_NEAR(actual[i], expected[i], 1e-4 * std::max(1.0, std::fabs(expected[i])))
            << "element " << i;
    }
}

// Where world point p falls in the window (x, y from the bottom left, z the
// depth), under the projection that the last frame left (its model-view
// matrix is the identity at every start).
Vec Project(Vec p) {
    GLdouble proj[16];
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    const GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const GLint view[4] = {0, 0, width, height};
    Vec w{};
    gluProject(p.x, p.y, p.z, identity, proj, view, &w.x, &w.y, &w.z);
    return w;
}

// One drawn frame, read back after its swap.
class Frame {
public:
    Frame() {
        DisplayGame();
        picture = gltest::ReadFrame();
    }

    // The pixel at window point (x, y), y counted from the bottom.
    gltest::Rgb At(int x, int y) const {
        return picture.At(gltest::OnScreen(picture, x, y));
    }

    gltest::Rgb AtWorld(Vec p) const {
        const Vec w = Project(p);
        return At(static_cast<int>(w.x), static_cast<int>(w.y));
    }

    // How many pixels within r world units (measured across the screen) of
    // the screen point of p pass the test.
    int Count(Vec p, double r, const drive::ColourTest& test) const {
        const auto [cx, cy, cz] = Project(p);
        const auto [ex, ey, ez] = Project(Vec{p.x + r, p.y, p.z});
        const int pr = static_cast<int>(std::hypot(ex - cx, ey - cy));
        const drive::ScreenPoint centre =
            gltest::OnScreen(picture, static_cast<int>(cx), static_cast<int>(cy));
        return picture.Count(drive::Box::Around(centre, pr), test);
    }

private:
    drive::Picture picture;
};

// The game's colours (tools/drive/colour.h).
using drive::IsBlue;
using drive::IsLit;
using drive::IsRed;
using drive::IsWhite;
using drive::IsYellow;

// White strokes, dimmed by the light on their thin lines.
bool IsPale(gltest::Rgb c) {
    return std::min({c.r, c.g, c.b}) > 60;
}

// One vertex of a frame drawn in feedback mode, back in world coordinates,
// with whether it belonged to a line (the stroke text) or a polygon.
struct FrameVertex {
    Vec p;
    bool line;
};

std::vector<FrameVertex> FrameVertices() {
    const std::vector<gltest::Vertex> fed = gltest::CaptureVertices(DisplayGame);
    EXPECT_FALSE(fed.empty()) << "nothing was drawn";
    GLdouble proj[16];
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    const GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const GLint view[4] = {0, 0, width, height};
    std::vector<FrameVertex> out;
    for (const gltest::Vertex& v : fed) {
        Vec p{};
        gluUnProject(v.x, v.y, v.z, identity, proj, view, &p.x, &p.y, &p.z);
        out.push_back(FrameVertex{p, v.line});
    }
    return out;
}

// Vertices of polygons within r of c, and higher than minY.
std::vector<Vec> PolygonsNear(const std::vector<FrameVertex>& all, Vec c, double r,
                              double minY = -1e9) {
    std::vector<Vec> out;
    for (const FrameVertex& v : all) {
        if (!v.line && Length(Sub(v.p, c)) < r && v.p.y > minY) {
            out.push_back(v.p);
        }
    }
    return out;
}

// A cell outside the maze, beyond column 0, in view from above: pieces put
// there are drawn on their own.
const int emptyRow = 15;
const int emptyCol = -5;

// Cells of row 5, a corridor across the whole maze.
const int ghostCells[maxGhosts][2] = {{5, 2},  {5, 5},  {5, 8},  {5, 11},
                                      {5, 16}, {5, 19}, {5, 22}, {5, 25}};

class Scene : public ::testing::Test {
protected:
    void SetUp() override {
        Reshape(width, height);
        InitBoard();
        initgame();
        Init();
        intro = 0;
        menu = 0;
        ThreeDView = 0;
        invincible = 0;
        ghostKilled = 0;
        t = 0.0;
        score = 0;
        menLeft = 3;
        num_ghosts = 4;
        gobx = 29;
        gobz = 13;
        gobdir = RIGHT;
        // Every ghost far beyond the maze, out of view, unless a test brings
        // it in.
        for (int i = 0; i < maxGhosts; i++) {
            PlaceGhost(i, 15, 60);
        }
    }

    static void PlaceGhost(int i, int row, int col) {
        ghost[i].x = row;
        ghost[i].z = col;
        ghost[i].dir = UP;
        ghost[i].alive = true;
        ghost[i].scared = false;
        ghost[i].color = colors[i];
    }

    static void ClearPellets() {
        for (int r = 0; r < boardRows; r++) {
            for (int c = 0; c < boardCols; c++) {
                pellets[r][c] = 0;
            }
        }
    }
};

// --- Camera ----------------------------------------------------------------

TEST_F(Scene, FromAboveTheProjectionIsPerspectiveTimesTheOverheadCamera) {
    DisplayGame();
    const drive::Matrix expected = drive::CameraMatrix(drive::AboveCamera(), 800.0 / 552.0);
    ExpectMatrixNear(gltest::GetFloats(GL_PROJECTION_MATRIX), expected);
    // The overhead camera does not move with the player.
    gobx = 5;
    gobz = 13;
    DisplayGame();
    ExpectMatrixNear(gltest::GetFloats(GL_PROJECTION_MATRIX), expected);
}

TEST_F(Scene, BehindThePlayerTheCameraFollowsIt) {
    ThreeDView = 1;
    gobx = 5;
    gobz = 13;
    DisplayGame();
    std::vector<float> m = gltest::GetFloats(GL_PROJECTION_MATRIX);
    ExpectMatrixNear(m, drive::CameraMatrix(drive::BehindCamera(5, 13), 800.0 / 552.0));
    const Vec eye = EyeOf(m);
    EXPECT_NEAR(eye.x, -10.0, 1e-3);
    EXPECT_NEAR(eye.y, 5.0, 1e-3);
    EXPECT_NEAR(eye.z, 6.0, 1e-3);

    gobx = 29;
    gobz = 26;
    DisplayGame();
    m = gltest::GetFloats(GL_PROJECTION_MATRIX);
    ExpectMatrixNear(m, drive::CameraMatrix(drive::BehindCamera(29, 26), 800.0 / 552.0));
}

TEST_F(Scene, TheProjectionFollowsTheWindowShape) {
    Reshape(1000, 500);
    DisplayGame();
    ExpectMatrixNear(gltest::GetFloats(GL_PROJECTION_MATRIX),
                     drive::CameraMatrix(drive::AboveCamera(), 2.0));
    Reshape(width, height);
}

// A window narrower than 800 x 552, here the left half of a 1920 x 1080
// screen, shows across what 800 x 552 shows on every screen: the rows of
// the projection that place a point across (x and w) are those of 800 x
// 552, and the score's far end and the third life are in view. The intro's
// square pictures span the same across in any window, and stay as they are.
TEST_F(Scene, ANarrowWindowShowsAcrossWhat800x552ShowsOnEveryScreen) {
    void (*const screens[])() = {
        DisplayIntro,                             // phase 1, square
        [] { odalieIntro = 0, DisplayIntro(); },  // phase 9
        DisplayMenu,
        DisplayLevelChange,
        DisplayGameOver,
        [] { ThreeDView = 1, DisplayGame(); },
        DisplayGame,
    };
    for (auto* draw : screens) {
        ThreeDView = 0;
        Reshape(width, height);
        draw();
        const std::vector<float> full = gltest::GetFloats(GL_PROJECTION_MATRIX);
        Reshape(960, 1040);
        draw();
        const std::vector<float> narrow = gltest::GetFloats(GL_PROJECTION_MATRIX);
        for (int i = 0; i < 16; i++) {
            if (i % 4 == 0 || i % 4 == 3 || odalieIntro) {
                EXPECT_NEAR(narrow[i], full[i], 1e-5) << "element " << i;
            }
        }
    }
    for (const Vec p : {Vec{13, 0, -21}, Vec{-10, 0, -17}}) {
        const auto [x, y, depth] = Project(p);  // in 800 x 552's pixels: a share of the window
        EXPECT_TRUE(x > 0 && x < width && y > 0 && y < height) << p.z << ": " << x << ", " << y;
    }
}

TEST_F(Scene, AFrameStartsFromTheIdentityAndEndsWithTheScoresTurn) {
    for (int view = 0; view < 2; view++) {
        ThreeDView = view;
        invincible = view;  // the mad look too
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glTranslatef(3.0f, 4.0f, 5.0f);
        glMatrixMode(GL_TEXTURE);  // whatever mode the last screen left
        DisplayGame();
        EXPECT_EQ(gltest::GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
        const std::vector<float> turn = {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1};
        const std::vector<float> m = gltest::GetFloats(GL_MODELVIEW_MATRIX);
        for (int i = 0; i < 16; i++) {
            EXPECT_NEAR(m[i], turn[i], 1e-6) << "element " << i;
        }
        EXPECT_EQ(gltest::GetInt(GL_MODELVIEW_STACK_DEPTH), 1);
        EXPECT_EQ(gltest::GetInt(GL_PROJECTION_STACK_DEPTH), 1);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

// --- The pieces in the picture ---------------------------------------------

TEST_F(Scene, GobblerIsYellowOnItsCellFromAbove) {
    gobx = 5;
    gobz = 13;
    gobdir = RIGHT;
    const Frame frame;
    EXPECT_TRUE(probe::Is(frame.AtWorld(CellPoint(5, 13)), IsYellow, "yellow"));
    // Its old cell is bare again.
    gobx = 29;
    const Frame moved;
    EXPECT_FALSE(probe::Is(moved.AtWorld(CellPoint(5, 13)), IsYellow, "yellow"));
    EXPECT_GT(moved.Count(CellPoint(29, 13), 0.5, IsYellow), 0);
}

TEST_F(Scene, APoweredUpGobblerGlowsRed) {
    gobx = 5;
    gobz = 13;
    const Frame normal;
    invincible = 1;
    const Frame mad;
    auto redder = [](gltest::Rgb c) { return c.r > 200 && c.r - c.g > 60; };
    EXPECT_EQ(normal.Count(CellPoint(5, 13), 0.5, redder), 0);
    EXPECT_GT(mad.Count(CellPoint(5, 13), 0.5, redder), 20);
}

TEST_F(Scene, GobblerIsInPictureInThe3DView) {
    ThreeDView = 1;
    gobx = 5;
    gobz = 13;
    const Frame frame;
    EXPECT_GT(frame.Count(Vec{-10, 0.5, 1}, 0.4, IsYellow), 50);
    // The camera looks at the player: it stands in the middle of the window.
    const auto [wx, wy, depth] = Project(CellPoint(5, 13));
    EXPECT_NEAR(wx, width / 2.0, 1.0);
    EXPECT_NEAR(wy, height / 2.0, 1.0);
}

// --- Fog ------------------------------------------------------------------

// The wall pixels in the window box [x0, x1) x [y0, y1) (y from the bottom)
// of a frame: how many there are, and the median of their red. Light leaves
// the walls' red near 0; fog mixes in its grey, so the red tells how much.
struct WallPixels {
    int count;
    int medianRed;
};

WallPixels WallsIn(const Frame& frame, int x0, int x1, int y0, int y1) {
    std::vector<int> reds;
    for (int y = std::max(y0, 0); y < std::min(y1, height); y++) {
        for (int x = std::max(x0, 0); x < std::min(x1, width); x++) {
            const gltest::Rgb c = frame.At(x, y);
            if (c.b > c.r + 40 && c.b > c.g + 40) {
                reds.push_back(c.r);
            }
        }
    }
    std::sort(reds.begin(), reds.end());
    return WallPixels{static_cast<int>(reds.size()), reds.empty() ? -1 : reds[reds.size() / 2]};
}

// LINEAR TYPE greys the maze toward its edges and hides nothing: in both
// views the walls' blue shows all across the maze and Gobbler is seen. Fog
// grows with the distance from the maze's middle column: from above, that is
// toward the left and right edges; behind Gobbler, on its middle column,
// toward the far end at the top of the window.
TEST_F(Scene, LinearFogGreysTheMazeTowardItsEdgesAndHidesNothing) {
    gobx = 5;
    gobz = 13;
    fogtype = 3;
    SetFog();
    for (int view = 0; view <= 1; view++) {
        ThreeDView = view;
        const Frame frame;
        // Strips across the maze: each column seen from above, each of 16
        // strips of the window behind Gobbler.
        std::vector<WallPixels> strips;
        for (int i = 0; i < (view ? 16 : boardCols); i++) {
            double left = i * width / 16.0;
            double right = left + width / 16.0;
            if (!view) {
                left = Project(Vec{0.0, 0.0, 14.5 - i}).x;
                right = Project(Vec{0.0, 0.0, 13.5 - i}).x;
            }
            strips.push_back(
                WallsIn(frame, static_cast<int>(left), static_cast<int>(right), 0, height));
            EXPECT_GT(strips.back().count, 150) << "view " << view << " strip " << i;
        }
        const Vec gob = view ? Vec{-10, 0.5, 1} : CellPoint(5, 13);
        EXPECT_GT(frame.Count(gob, 0.4, IsYellow), 50) << "view " << view;
        WallPixels edge{};
        WallPixels middle{};
        if (view) {
            edge = WallsIn(frame, 0, width, height - 46, height);
            middle = WallsIn(frame, 0, width, height / 2 - 46, height / 2 + 46);
        } else {
            edge =
                strips.front().medianRed < strips.back().medianRed ? strips.front() : strips.back();
            middle = strips[13].medianRed > strips[14].medianRed ? strips[13] : strips[14];
        }
        EXPECT_GT(edge.medianRed, middle.medianRed + 20)
            << "view " << view << ": the walls' red at the edge " << edge.medianRed
            << ", in the middle " << middle.medianRed;
    }
}

// With six ghosts slots six and seven are not drawn. A count beyond the
// slots draws the eight slots only: the frame never reads past them (the
// sanitizer build would stop at such a read), whatever the count says.
TEST_F(Scene, OnlyTheSlotsWithinTheGhostCountAreDrawn) {
    ClearPellets();
    for (int i = 0; i < maxGhosts; i++) {
        PlaceGhost(i, ghostCells[i][0], ghostCells[i][1]);
    }
    for (int ghosts : {6, 8, 4, 12}) {
        num_ghosts = ghosts;
        const std::vector<FrameVertex> all = FrameVertices();
        for (int i = 0; i < maxGhosts; i++) {
            // Walls and corners reach 0.4 above the floor; a ghost 0.8.
            const size_t above =
                PolygonsNear(all, CellPoint(ghostCells[i][0], ghostCells[i][1]), 0.9, 0.45).size();
            if (i < ghosts) {
                EXPECT_GT(above, 50u) << "slot " << i << " of " << ghosts;
            } else {
                EXPECT_EQ(above, 0u) << "slot " << i << " of " << ghosts;
            }
        }
    }
}

TEST_F(Scene, GhostsAreDrawnInTheirColoursAndBlueWhenScared) {
    PlaceGhost(0, 5, 5);
    const Frame own;
    EXPECT_GT(own.Count(CellPoint(5, 5), 0.5, IsRed), 40);
    EXPECT_EQ(own.Count(CellPoint(5, 5), 0.5, IsBlue), 0);

    // Scared for the whole power period, with no flashing near its end.
    invincible = 1;
    ghost[0].scared = true;
    madtimer.Reset();
    madtimer.Start();
    madtimer.start -= powerPeriod - 0.1;
    const Frame scared;
    EXPECT_GT(scared.Count(CellPoint(5, 5), 0.5, IsBlue), 40);
    EXPECT_EQ(scared.Count(CellPoint(5, 5), 0.5, IsRed), 0);
}

TEST_F(Scene, AnEatenGhostShowsOnlyItsEyes) {
    ClearPellets();
    PlaceGhost(0, 5, 5);
    ghost[0].alive = false;
    const Frame frame;
    EXPECT_EQ(frame.Count(CellPoint(5, 5), 0.6, IsRed), 0);
    EXPECT_GT(frame.Count(CellPoint(5, 5), 0.6, IsWhite), 20);
    // Even a scared one: nothing blue but its eyes' glints.
    ghost[0].scared = true;
    const Frame scared;
    EXPECT_EQ(scared.Count(CellPoint(5, 5), 0.6, IsBlue), 0);
}

TEST_F(Scene, TheScoreChangesOnScreen) {
    score = 0;
    const Frame zero;
    score = 8880;
    const Frame more;
    // From above the score lies beside the maze's last rows, from world
    // (14, 0, -15) on toward -z.
    const Vec start{13, 0, -16};
    const int litZero = zero.Count(start, 1.5, IsLit);
    const int litMore = more.Count(start, 1.5, IsLit);
    EXPECT_GT(litZero, 10);
    EXPECT_GT(litMore, litZero + 10);
    EXPECT_GT(more.Count(Vec{13, 0, -21}, 1.2, IsLit), 10);
    EXPECT_EQ(zero.Count(Vec{13, 0, -21}, 1.2, IsLit), 0);
}

TEST_F(Scene, ALostLifeRemovesAnIcon) {
    menLeft = 3;
    const Frame three;
    menLeft = 2;
    const Frame two;
    const Vec third{-10, 0, -17};
    EXPECT_GT(three.Count(third, 0.6, IsYellow), 40);
    EXPECT_EQ(two.Count(third, 0.6, IsYellow), 0);
    EXPECT_GT(two.Count(Vec{-12, 0, -17}, 0.6, IsYellow), 40);
}

// --- How the pieces are turned ---------------------------------------------

// The direction in which a model turned by (rx, ry, rz) looks with its eyes:
// the eye pair sits at model (0, 0.347, 0.589), between the two eyes.
Vec EyeDirection(double rx, double ry, double rz) {
    Vec v{0.0, 0.347, 0.589};
    const double a = rz * M_PI / 180.0;
    v = Vec{v.x * std::cos(a) - v.y * std::sin(a), v.x * std::sin(a) + v.y * std::cos(a), v.z};
    const double b = ry * M_PI / 180.0;
    v = Vec{v.x * std::cos(b) + v.z * std::sin(b), v.y, -v.x * std::sin(b) + v.z * std::cos(b)};
    const double c = rx * M_PI / 180.0;
    v = Vec{v.x, v.y * std::cos(c) - v.z * std::sin(c), v.y * std::sin(c) + v.z * std::cos(c)};
    return Normalise(v);
}

// The direction from c to the middle of the vertices that stand out of a
// 0.8 ball around c: the eyes.
Vec MeasuredEyes(const std::vector<Vec>& pts, Vec c) {
    Vec sum{0, 0, 0};
    int n = 0;
    for (const Vec& p : pts) {
        const Vec d = Sub(p, c);
        if (Length(d) > 0.82) {
            sum = Vec{sum.x + d.x, sum.y + d.y, sum.z + d.z};
            n++;
        }
    }
    EXPECT_GT(n, 20);
    return Normalise(sum);
}

struct TurnCase {
    dirT dir;
    int view;
    double rx;
    double ry;
    double rz;
};

// The turns of the game's table, for each direction in each view.
const TurnCase turnCases[] = {
    {UP, 0, 0, 270, -90},     {RIGHT, 0, 45, 180, -90},  {DOWN, 0, 145, 90, -90},
    {LEFT, 0, 145, 180, -90}, {UP, 1, 0, 270, 0},        {RIGHT, 1, 0, 180, 0},
    {DOWN, 1, 0, 90, 0},      {LEFT, 1, 180, 180, -180},
};

TEST_F(Scene, GobblerIsTurnedForItsDirectionAndTheView) {
    gobx = emptyRow;
    gobz = emptyCol;
    const Vec centre = CellPoint(emptyRow, emptyCol);
    for (const TurnCase& tc : turnCases) {
        ThreeDView = tc.view;
        gobdir = tc.dir;
        const Vec seen = MeasuredEyes(PolygonsNear(FrameVertices(), centre, 1.2), centre);
        const Vec want = EyeDirection(tc.rx, tc.ry, tc.rz);
        EXPECT_GT(Dot(seen, want), std::cos(10.0 * M_PI / 180.0))
            << "direction " << tc.dir << " view " << tc.view;
    }
}

TEST_F(Scene, GhostEyesAreTurnedAlongTheirWay) {
    // An eaten ghost on its way home: only its eyes, looking where it goes.
    // The player four cells further out, so that the camera behind it sees
    // the ghost.
    gobx = emptyRow;
    gobz = emptyCol - 4;
    PlaceGhost(2, emptyRow, emptyCol);
    ghost[2].alive = false;
    const Vec centre = CellPoint(emptyRow, emptyCol);
    for (const TurnCase& tc : turnCases) {
        ThreeDView = tc.view;
        ghost[2].dir = tc.dir;
        const std::vector<Vec> pts = PolygonsNear(FrameVertices(), centre, 1.2);
        // Eyes only: nothing of the body, all of it on the eyes' side.
        const Vec want = EyeDirection(tc.rx, tc.ry, tc.rz);
        for (const Vec& p : pts) {
            ASSERT_GT(Dot(Sub(p, centre), want), 0.0) << "direction " << tc.dir;
        }
        const Vec seen = MeasuredEyes(pts, centre);
        EXPECT_GT(Dot(seen, want), std::cos(10.0 * M_PI / 180.0))
            << "direction " << tc.dir << " view " << tc.view;
    }
}

// --- The points of an eaten ghost ------------------------------------------

// The vertices of the stroke text in the frame that is not the score (which
// stands beyond the maze's last rows, x > 11).
std::vector<Vec> KillText(const std::vector<FrameVertex>& all) {
    std::vector<Vec> out;
    for (const FrameVertex& v : all) {
        if (v.line && v.p.x < 5.0) {
            out.push_back(v.p);
        }
    }
    return out;
}

TEST_F(Scene, AnEatenGhostsPointsShowForOneFrameBesideItsCell) {
    deadGhost.x = 5;
    deadGhost.z = 13;
    ghostKilled = 1;
    const std::vector<Vec> text = KillText(FrameVertices());
    EXPECT_EQ(ghostKilled, 0);
    ASSERT_FALSE(text.empty());
    Vec lo{1e9, 1e9, 1e9};
    Vec hi{-1e9, -1e9, -1e9};
    for (const Vec& p : text) {
        lo = Vec{std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = Vec{std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    // Lying flat, its baseline from world (-9.25, 0, 0.25) toward -z, the
    // digits (one unit tall) reaching toward -x.
    EXPECT_NEAR(lo.y, 0.0, 1e-3);
    EXPECT_NEAR(hi.y, 0.0, 1e-3);
    EXPECT_LE(hi.z, 0.25 + 1e-3);
    EXPECT_GT(hi.z, 0.25 - 0.3);
    EXPECT_LT(lo.z, 0.25 - 3 * 0.7);  // three digits
    EXPECT_LE(hi.x, -9.25 + 0.34);
    EXPECT_GT(hi.x, -9.25 - 0.1);
    EXPECT_LT(lo.x, -9.25 - 0.8);
    EXPECT_GT(lo.x, -9.25 - 1.2);

    // The next frame has none.
    EXPECT_TRUE(KillText(FrameVertices()).empty());
}

TEST_F(Scene, ThePointsAreSeenInThePicture) {
    ClearPellets();
    deadGhost.x = 5;
    deadGhost.z = 13;
    gobx = 29;
    ghostKilled = 1;
    const Frame with;
    const Frame without;
    const Vec middle{-9.75, 0, -1.0};
    EXPECT_GT(with.Count(middle, 0.8, IsPale), 10);
    EXPECT_EQ(without.Count(middle, 0.8, IsPale), 0);
}

// --- Memory ----------------------------------------------------------------

// The heap of the drawing thread holds the GL driver's pools too, which the
// cases before this one grow and shrink as they draw: the frames are
// counted in a process of their own, from the driver's state as a fresh
// program has it.
TEST_F(Scene, FramesLeaveTheHeapWhereItWas) {
#if !defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the heap is counted through the sanitizer build's allocator";
#else
    if (!gltest::InAProcessOfItsOwn()) {
        return;
    }
    // Every piece in the picture: a mad Gobbler, whole, scared and eaten
    // ghosts, the lives and the points text that each frame frees again.
    num_ghosts = maxGhosts;
    for (int i = 0; i < maxGhosts; i++) {
        PlaceGhost(i, ghostCells[i][0], ghostCells[i][1]);
    }
    ghost[1].scared = true;
    ghost[2].alive = false;
    invincible = 1;
    deadGhost.x = 5;
    deadGhost.z = 13;
    // Pixels do not matter here: a tiny viewport keeps the frames cheap, and
    // the window is unmapped, so that no event from the other test
    // programs' windows is queued on this thread's heap.
    gltest::HideWindow();
    glViewport(0, 0, 8, 8);
    auto frames = [](int n) {
        for (int i = 0; i < n; i++) {
            ThreeDView = i % 2;
            ghostKilled = 1;
            DisplayGame();
        }
        glFinish();
    };
    frames(50);
    countedThread = pthread_self();
    ASSERT_NE(__sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree), 0);
    counting = true;
    // A leak grows the heap in every batch of frames; the driver may still
    // settle a pool once in one of them.
    long long smallest = -1;
    long long last = LiveBytes();
    for (int batch = 0; batch < 4; batch++) {
        frames(150);
        const long long now = LiveBytes();
        if (smallest < 0 || now - last < smallest) {
            smallest = now - last;
        }
        last = now;
    }
    counting = false;
    glViewport(0, 0, width, height);
    gltest::ShowWindow();
    EXPECT_FALSE(liveOverflow);
    // One forgotten 4-byte string a frame would be 600 bytes a batch.
    EXPECT_LT(smallest, 256);
    gltest::RanAlone();
#endif
}

}  // namespace
