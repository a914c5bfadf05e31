// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// view: where the game's world lands in its window. The game puts a
// perspective and a look-at on the projection matrix and nothing on the
// model-view matrix, so a camera here is just those two, built as GLU builds
// them; a world point goes through the camera's matrix to whole pixels from
// the window's top left. The game's cameras are written once, here: the
// view from above, the view behind Gobbler and the camera of the menu and
// the game-over screen. Shared by the GL tests and by everything that looks
// at the real game from outside.
#pragma once

#include <array>
#include <cmath>

namespace drive {

struct Vec3 {
    double x;
    double y;
    double z;
};

inline Vec3 Sub(Vec3 a, Vec3 b) {
    return Vec3{a.x - b.x, a.y - b.y, a.z - b.z};
}

inline double Dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline double Length(Vec3 a) {
    return std::sqrt(Dot(a, a));
}

inline Vec3 Cross(Vec3 a, Vec3 b) {
    return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline Vec3 Normalise(Vec3 a) {
    const double n = Length(a);
    return Vec3{a.x / n, a.y / n, a.z / n};
}

// A 4 x 4 matrix, column-major as GL keeps it.
using Matrix = std::array<double, 16>;

// A pixel of the window, counted from its top left.
struct ScreenPoint {
    int x;
    int y;
};

// A perspective (gluPerspective) and a look-at (gluLookAt).
struct Camera {
    double fovy;
    double zNear;
    double zFar;
    Vec3 eye;
    Vec3 centre;
    Vec3 up;
};

// The game's window as it opens.
const int windowWidth = 800;
const int windowHeight = 552;

Matrix Product(const Matrix& a, const Matrix& b);
Matrix Perspective(double fovy, double aspect, double zNear, double zFar);
Matrix LookAt(Vec3 eye, Vec3 centre, Vec3 up);

// The perspective times the look-at, for a window of that aspect.
Matrix CameraMatrix(const Camera& camera, double aspect);

// Where world point p lands in a window of width x height pixels.
ScreenPoint Project(const Camera& camera, Vec3 p, int width = windowWidth,
                    int height = windowHeight);

// The world point of grid point (row, column) of the maze at height y: row
// 15 and column 14 at the origin, rows along +x, columns along -z, one unit
// a cell. Fractions reach between cells.
Vec3 CellPoint(double row, double col, double y = 0.0);

// Play seen from above: 30 units over the maze's centre, nudged along x.
Camera AboveCamera();
// Play seen from behind Gobbler on cell (row, col): 5 up and 5 back along +z.
Camera BehindCamera(int row, int col);
// The menu and the game-over screen: the eye at (4, 0, 10) looking down -z.
Camera ScreensCamera();

// The screen points of a cell from above, of a cell behind Gobbler on
// (gobRow, gobCol), and of a world point on the menu or game-over screen.
ScreenPoint AbovePoint(double row, double col, double y = 0.0);
ScreenPoint BehindPoint(int gobRow, int gobCol, double row, double col);
ScreenPoint ScreensPoint(double x, double y, double z = 0.0);

}  // namespace drive
