// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// view: the game's cameras and the projection of world points to pixels.
#include "view.h"

#include <cmath>

namespace drive {

namespace {

const double pi = 3.14159265358979323846;

// The perspective of play, and of the screens around it.
const double fieldOfView = 60.0;
const double playNear = 1.0;
const double playFar = 1000.0;
const double screensNear = 1.0;
const double screensFar = 100.0;

}  // namespace

Matrix Product(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int col = 0; col < 4; col++) {
        for (int row = 0; row < 4; row++) {
            for (int k = 0; k < 4; k++) {
                m[col * 4 + row] += a[k * 4 + row] * b[col * 4 + k];
            }
        }
    }
    return m;
}

Matrix Perspective(double fovy, double aspect, double zNear, double zFar) {
    const double f = 1.0 / std::tan(fovy * pi / 360.0);
    Matrix m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (zFar + zNear) / (zNear - zFar);
    m[11] = -1.0;
    m[14] = 2.0 * zFar * zNear / (zNear - zFar);
    return m;
}

Matrix LookAt(Vec3 eye, Vec3 centre, Vec3 up) {
    const Vec3 f = Normalise(Sub(centre, eye));
    const Vec3 s = Normalise(Cross(f, up));
    const Vec3 u = Cross(s, f);
    return Matrix{s.x, u.x, -f.x, 0, s.y,          u.y,          -f.y,        0,
                  s.z, u.z, -f.z, 0, -Dot(s, eye), -Dot(u, eye), Dot(f, eye), 1};
}

Matrix CameraMatrix(const Camera& camera, double aspect) {
    return Product(Perspective(camera.fovy, aspect, camera.zNear, camera.zFar),
                   LookAt(camera.eye, camera.centre, camera.up));
}

ScreenPoint Project(const Camera& camera, Vec3 p, int width, int height) {
    const Matrix m = CameraMatrix(camera, static_cast<double>(width) / height);
    const double clip[4] = {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
                            m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13], 0.0,
                            m[3] * p.x + m[7] * p.y + m[11] * p.z + m[15]};
    const double ndcX = clip[0] / clip[3];
    const double ndcY = clip[1] / clip[3];
    return ScreenPoint{static_cast<int>((ndcX + 1.0) * width / 2.0),
                       static_cast<int>((1.0 - ndcY) * height / 2.0)};
}

Vec3 CellPoint(double row, double col, double y) {
    return Vec3{row - 15.0, y, 14.0 - col};
}

Camera AboveCamera() {
    return Camera{fieldOfView,       playNear,        playFar,
                  {0.01, 30.0, 0.0}, {0.0, 0.0, 0.0}, {0.0, 1.0, 0.0}};
}

Camera BehindCamera(int row, int col) {
    const Vec3 gob = CellPoint(row, col);
    return Camera{fieldOfView, playNear, playFar, {gob.x, 5.0, gob.z + 5.0}, gob, {0.0, 1.0, 0.0}};
}

Camera ScreensCamera() {
    return Camera{fieldOfView,      screensNear,     screensFar,
                  {4.0, 0.0, 10.0}, {4.0, 0.0, 0.0}, {0.0, 1.0, 0.0}};
}

ScreenPoint AbovePoint(double row, double col, double y) {
    return Project(AboveCamera(), CellPoint(row, col, y));
}

ScreenPoint BehindPoint(int gobRow, int gobCol, double row, double col) {
    return Project(BehindCamera(gobRow, gobCol), CellPoint(row, col));
}

ScreenPoint ScreensPoint(double x, double y, double z) {
    return Project(ScreensCamera(), Vec3{x, y, z});
}

}  // namespace drive
