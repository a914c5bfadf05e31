// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// gobdraw: the character models and the lit 3D stroke text. Gobbler is a
// yellow ball of radius 0.8 cut into two jaws hinged about the x axis, with
// eyes, a red mouth and, in the mad look, a red glow and teeth; a ghost is a
// dome on an open skirt with the same eyes. Every model is drawn about its
// own origin, +y up, +z to the front. Only DrawGob, DrawGhost, DrawText and
// the four tooth values leave this file; everything else is static.
// Depends on: OpenGL (immediate mode, materials, matrix stack), GLU
// (quadric disks and cylinders), GLUT (solid spheres, the roman stroke font),
// the C maths library.
#include "gobdraw.h"

#include <GL/glu.h>   // gluDisk, gluCylinder and their quadric objects
#include <GL/glut.h>  // glutSolidSphere, glutStrokeCharacter
#include <math.h>     // sin, cos, sqrt
#include <string.h>   // strlen

// --- Tessellation counts --------------------------------------------------
// The model's own names: myStacks is handed over as the slices and mySlices
// as the stacks, and myGobStacks as the mouth disks' slices and myGobSlices
// as their loops. The calls that do so say "as named" to the linter.

static const int myStacks = 20;     // slices of the eye, pupil and dome spheres and the skirt
static const int mySlices = 20;     // stacks of those same calls
static const int myGobStacks = 30;  // sectors of Gobbler's shells; slices of the mouth disks
static const int myGobSlices = 30;  // bands of Gobbler's shells; loops of the mouth disks

// --- Dimensions -----------------------------------------------------------

static const float bodyRadius = 0.8f;     // Gobbler's ball and the ghost's dome and skirt
static const float eyeOffset = 0.8f / 3;  // 0.26666668, eye centre off the middle plane
static const float eyeRad = 0.8f / 3;     // 0.26666668, eye ball radius
static const float pupilRad = 0.8f / 7;   // 0.11428571, pupil radius

extern "C" {
const float topOffset = 0.8f / 3;      // 0.26666668, middle of an upper tooth off the middle
const float bottomOffset = 3.2f / 19;  // 0.16842106, middle of a lower tooth off the middle
const float teethProt = 0.68f;         // the plane z = teethProt in which the teeth stand
const float toothHeight = 0.16f;       // base to tip
}

static const float mouthPlane = 0.0792f;  // height of the mouth disks in each jaw's frame
static const float mouthInner = 0.72f;    // radius of the red inside; the rim starts there
static const float mouthOuter = 0.796f;   // outer radius of the yellow rim
static const double toothHalfWidth = 0.12;

static const double shortPi = 3.141592;  // the eye placements are worked out with this pi
static const double fullPi = 3.14159265358979323846;
static const float normalFloor = 1e-5f;  // shorter vectors are left as they are by normal3f

// The eye placements, computed before main runs. The factor 0.8 and the added
// 0.024 are the single-precision numbers widened to double; the difference of
// the two radii is taken in single precision.
static const float eyeHeight = static_cast<float>(sin(shortPi / 7) * double{bodyRadius});
static const float eyeProtrusion = static_cast<float>(cos(shortPi / 6) * 0.85 * double{bodyRadius});
static const float pupilProtrusion = static_cast<float>(double{eyeRad - pupilRad} + double{0.024f});

// --- Materials: colour, specular, emission (RGBA) and shininess -----------

// clang-format off
static const float eyeColor[4]         = {1, 1, 1, 1};
static const float eyeSpec[4]          = {1, 1, 1, 1};
static const float eyeEmis[4]          = {0, 0, 0, 0};
static const float eyeShine            = 25;
static const float pupilColor[4]       = {0, 0, 0, 0};
static const float pupilSpec[4]        = {1, 1, 1, 1};
static const float pupilEmis[4]        = {0, 0, 0, 0};
static const float pupilShine          = 25;
static const float mouthColor[4]       = {1, 0, 0, 1};
static const float mouthSpec[4]        = {1, 1, 1, 1};
static const float mouthEmis[4]        = {0, 0, 0, 0};
static const float mouthShine          = 25;
static const float toothColor[4]       = {1, 1, 1, 0};
static const float toothSpec[4]        = {1, 1, 1, 1};
static const float toothEmis[4]        = {0.75f, 0.75f, 0.75f, 0};
static const float toothShine          = 50;
static const float gobColor[4]         = {1, 1, 0, 0};
static const float gobSpec[4]          = {1, 1, 1, 1};
static const float gobEmis[4]          = {0, 0, 0, 0};
static const float gobShine            = 50;
static const float madGobEmis[4]       = {1, 0, 0, 0};
static const float madGobPupilColor[4] = {1, 0, 0, 0};
static const float ghostEmis[4]        = {0, 0, 0, 0};
static const float ghostSpec[4]        = {1, 1, 1, 1};
static const float ghostShine          = 50;
static const float scaredGhostColor[4] = {0, 0, 1, 0};
static const float scaredGhostEmis[4]  = {0, 0, 1, 0};
static const float textSpec[4]         = {1, 1, 1, 1};
static const float textEmis[4]         = {0, 0, 0, 0};
static const float textShine           = 100;
// clang-format on

// --- File-local helpers ---------------------------------------------------

// Makes a material current: the colour lights both faces as ambient and
// diffuse, the specular colour only the front faces.
static void SetMaterial(const float* color, const float* specular, float shine, const float* emis) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, color);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &shine);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emis);
}

// Sets the current normal to (x, y, z) scaled to unit length; a vector too
// short to scale (or not a number) is passed on as it is.
static void normal3f(float x, float y, float z) {
    const float sum = x * x + y * y + z * z;
    const double length = sqrt(double{sum});
    if (length > double{normalFloor}) {
        x = static_cast<float>(x / length);
        y = static_cast<float>(y / length);
        z = static_cast<float>(z / length);
    }
    glNormal3f(x, y, z);
}

// One point of the body sphere at polar angle phi from the +y pole and
// azimuth theta (0 at +z, growing towards -x): its direction as the normal,
// then the point itself.
static void SpherePoint(double phi, float theta) {
    const double sinPhi = sin(phi);
    const float dx = static_cast<float>(-sin(double{theta}) * sinPhi);
    const float dy = static_cast<float>(cos(phi));
    const float dz = static_cast<float>(cos(double{theta}) * sinPhi);
    glNormal3f(dx, dy, dz);
    glVertex3f(bodyRadius * dx, bodyRadius * dy, bodyRadius * dz);
}

// Azimuth of point i of a ring. The last point of the ring is the first one
// again, at exactly 0, so the seam shows no crack.
static float RingAzimuth(int i, int sectors, float azStep) {
    return i == sectors ? 0.0f : static_cast<float>(i) * azStep;
}

// One band of the sphere from polar angle phi0 down to phi0 + latStep.
static void SphereBand(double phi0, float latStep, int sectors, float azStep) {
    const double phi1 = phi0 + latStep;
    // clang-format off
    glBegin(GL_QUAD_STRIP);
        for (int i = 0; i <= sectors; i++) {
            const float theta = RingAzimuth(i, sectors, azStep);
            SpherePoint(phi0, theta);
            SpherePoint(phi1, theta);
        }
    glEnd();
    // clang-format on
}

// The band at which the upper piece of the sphere ends and the lower begins.
static int SplitBand(int bands) {
    return (bands - 1) / 2;
}

// The upper piece of the 0.8 sphere: a fan round the +y pole and one strip
// per band down to the split (84 degrees from the pole with 30 bands).
static void TopSphere(int sectors, int bands) {
    const float latStep = static_cast<float>(fullPi / bands);
    const float azStep = static_cast<float>(2 * fullPi / sectors);
    // clang-format off
    glBegin(GL_TRIANGLE_FAN);
        glNormal3f(0, 1, 0);
        glVertex3f(0, bodyRadius, 0);
        for (int i = 0; i <= sectors; i++) {
            SpherePoint(latStep, RingAzimuth(i, sectors, azStep));
        }
    glEnd();
    // clang-format on
    for (int k = 1; k < SplitBand(bands); k++) {
        SphereBand(k * double{latStep}, latStep, sectors, azStep);
    }
}

// The lower piece of the same sphere: the strips from the split down, then a
// fan round the -y pole in decreasing azimuth.
static void BottomSphere(int sectors, int bands) {
    const float latStep = static_cast<float>(fullPi / bands);
    const float azStep = static_cast<float>(2 * fullPi / sectors);
    for (int k = SplitBand(bands); k < bands - 1; k++) {
        SphereBand(k * double{latStep}, latStep, sectors, azStep);
    }
    // clang-format off
    glBegin(GL_TRIANGLE_FAN);
        glNormal3f(0, -1, 0);
        glVertex3f(0, -bodyRadius, 0);
        for (int i = sectors; i >= 0; i--) {
            SpherePoint(fullPi - latStep, RingAzimuth(i, sectors, azStep));
        }
    glEnd();
    // clang-format on
}

// The two eyes, left then right, each a white ball with a pupil of the given
// colour in front of it. Leaves the pupil material current.
static void DrawEyePair(const float* pupil) {
    const float sides[2] = {-eyeOffset, eyeOffset};
    // clang-format off
    for (const float x : sides) {
        glPushMatrix();
            glTranslatef(x, eyeHeight, eyeProtrusion);
            SetMaterial(eyeColor, eyeSpec, eyeShine, eyeEmis);
            // NOLINTNEXTLINE(readability-suspicious-call-argument): as named
            glutSolidSphere(eyeRad, myStacks, mySlices);
            glPushMatrix();
                glTranslatef(0, 0, pupilProtrusion);
                SetMaterial(pupil, pupilSpec, pupilShine, pupilEmis);
                // NOLINTNEXTLINE(readability-suspicious-call-argument): as named
                glutSolidSphere(pupilRad, myStacks, mySlices);
            glPopMatrix();
        glPopMatrix();
    }
    // clang-format on
}

// Gobbler's eyes: red pupils in the mad look, black ones otherwise.
static void DrawGobEyes(int mad) {
    DrawEyePair(mad == 1 ? madGobPupilColor : pupilColor);
}

// A ghost's eyes, always with black pupils.
static void DrawGhostEyes() {
    DrawEyePair(pupilColor);
}

// A filled, smoothly lit GLU disk in the xy plane facing +z. The quadric
// lives only for this one disk, so none pile up from frame to frame.
static void DrawMouthDisk(double inner, double outer) {
    GLUquadric* quadric = gluNewQuadric();
    if (quadric == nullptr) {
        return;
    }
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricNormals(quadric, GLU_SMOOTH);
    // NOLINTNEXTLINE(readability-suspicious-call-argument): as named
    gluDisk(quadric, inner, outer, myGobStacks, myGobSlices);
    gluDeleteQuadric(quadric);
}

// The two teeth of one jaw (1 upper, hanging down; 0 lower, pointing up), in
// the plane z = teethProt. Every vertex takes its own direction as normal.
static void DrawTeeth(int which) {
    // clang-format off
    glPushMatrix();
        SetMaterial(toothColor, toothSpec, toothShine, toothEmis);
        if (which == 0 || which == 1) {
            const float offset = which == 1 ? topOffset : bottomOffset;
            const double tipDrop = which == 1 ? -double{toothHeight} : double{toothHeight};
            const float outer = static_cast<float>(offset + toothHalfWidth);
            const float inner = static_cast<float>(offset - toothHalfWidth);
            const float tip = static_cast<float>(double{mouthPlane} + tipDrop);
            const float corners[6][2] = {
                {outer, mouthPlane},  {offset, tip},  {inner, mouthPlane},
                {-outer, mouthPlane}, {-offset, tip}, {-inner, mouthPlane},
            };
            glBegin(GL_TRIANGLES);
                // corner already refers to a row of const floats; cppcheck
                // 2.17 asks for a const it has.
                // cppcheck-suppress constVariableReference
                for (const auto& corner : corners) {
                    normal3f(corner[0], corner[1], teethProt);
                    glVertex3f(corner[0], corner[1], teethProt);
                }
            glEnd();
        }
    glPopMatrix();
    // clang-format on
}

// The mouth of one jaw (1 upper, 0 lower): a yellow rim round a red inside,
// both facing +y just inside the ring where the jaw's shell ends, and the
// jaw's teeth when withTeeth is set.
static void DrawMouth(int which, int withTeeth) {
    // clang-format off
    glPushMatrix();
        glRotatef(-90, 1, 0, 0);
        if (which == 0 || which == 1) {
            glTranslatef(0, 0, mouthPlane);
        }
        glPushMatrix();
            SetMaterial(gobColor, mouthSpec, mouthShine, mouthEmis);
            DrawMouthDisk(mouthInner, mouthOuter);
        glPopMatrix();
        SetMaterial(mouthColor, mouthSpec, mouthShine, mouthEmis);
        DrawMouthDisk(0, mouthInner);
    glPopMatrix();
    // clang-format on
    if (withTeeth != 0) {
        DrawTeeth(which);
    }
}

// Moves to (x, y, z) and turns about x, y and z in that order, so that the
// model turns about its own z axis first.
static void PlaceModel(float x, float y, float z, float rotX, float rotY, float rotZ) {
    glTranslatef(x, y, z);
    glRotatef(rotX, 1, 0, 0);
    glRotatef(rotY, 0, 1, 0);
    glRotatef(rotZ, 0, 0, 1);
}

// --- Public functions -----------------------------------------------------

extern "C" {

// Draws Gobbler with its jaws open by mouthAngle each; mad adds the glow and teeth.
void DrawGob(float x, float y, float z, float rotX, float rotY, float rotZ, float mouthAngle,
             int mad) {
    // clang-format off
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
        PlaceModel(x, y, z, rotX, rotY, rotZ);
        SetMaterial(gobColor, gobSpec, gobShine, mad != 0 ? madGobEmis : gobEmis);
        glPushMatrix();
            glRotatef(-mouthAngle, 1, 0, 0);
            TopSphere(myGobStacks, myGobSlices);
        glPopMatrix();
        glPushMatrix();
            glRotatef(mouthAngle, 1, 0, 0);
            BottomSphere(myGobStacks, myGobSlices);
        glPopMatrix();
        glPushMatrix();
            glRotatef(-mouthAngle, 1, 0, 0);
            DrawGobEyes(mad);
            DrawMouth(1, mad);
        glPopMatrix();
        glPushMatrix();
            glRotatef(mouthAngle, 1, 0, 0);
            DrawMouth(0, mad);
        glPopMatrix();
    glPopMatrix();
    // clang-format on
}

// Draws a ghost in color, or blue when scared, or only its eyes.
// The colour is only read, but the object's exported signature has always
// taken it as a plain float*, and its callers are built against that.
void DrawGhost(float x, float y, float z, float rotX, float rotY, float rotZ, int scared,
               float* color, int eyesOnly) {  // NOLINT(readability-non-const-parameter)
    // clang-format off
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
        PlaceModel(x, y, z, rotX, rotY, rotZ);
        if (eyesOnly == 0) {
            const bool own = scared == 0;
            glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, own ? color : scaredGhostColor);
            glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, own ? ghostEmis : scaredGhostEmis);
            glMaterialfv(GL_FRONT, GL_SPECULAR, ghostSpec);
            glMaterialfv(GL_FRONT_AND_BACK, GL_SHININESS, &ghostShine);
            // NOLINTNEXTLINE(readability-suspicious-call-argument): as named
            glutSolidSphere(bodyRadius, myStacks, mySlices);
            glPushMatrix();
                // The skirt runs up +y from the bottom of the dome to its middle.
                glRotatef(-90, 1, 0, 0);
                glTranslatef(0, 0, -bodyRadius);
                GLUquadric* quadric = gluNewQuadric();
                if (quadric != nullptr) {
                    gluQuadricDrawStyle(quadric, GLU_FILL);
                    gluQuadricNormals(quadric, GLU_SMOOTH);
                    // NOLINTNEXTLINE(readability-suspicious-call-argument): as named
                    gluCylinder(quadric, bodyRadius, bodyRadius, bodyRadius, myStacks, mySlices);
                    gluDeleteQuadric(quadric);
                }
            glPopMatrix();
        }
        DrawGhostEyes();
    glPopMatrix();
    // clang-format on
}

// Writes text in lit roman strokes from (x, y, z), standing or lying flat.
void DrawText(float x, float y, float z, float r, float g, float b, float scale, int upright,
              const char* text) {
    const float color[4] = {r, g, b, 1.0f};
    // The glyphs are lit with the current normal, which the font scale would
    // lengthen by 1 / scale: 50 to 250 times for the game's scales (0.02 down
    // to 0.004), enough to wash any colour out to the white of the
    // highlight. Normalising keeps the text its colour.
    const GLboolean normalizing = glIsEnabled(GL_NORMALIZE);
    glEnable(GL_NORMALIZE);
    // clang-format off
    glPushMatrix();
        SetMaterial(color, textSpec, textShine, textEmis);
        glTranslatef(x, y, z);
        if (upright == 0) {
            glRotatef(-90, 1, 0, 0);
        }
        glScalef(scale, scale, scale);
        for (size_t i = 0; text != nullptr && i < strlen(text); i++) {
            glutStrokeCharacter(GLUT_STROKE_ROMAN, static_cast<signed char>(text[i]));
        }
    glPopMatrix();
    // clang-format on
    if (!normalizing) {
        glDisable(GL_NORMALIZE);
    }
}

}  // extern "C"
