// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// gobdraw: the character models and lit 3D stroke text, built on its own as
// the relocatable object gobdraw.o. Only what is declared here leaves it.
// Models are drawn about their own origin with +y up and +z to the front;
// Gobbler and a ghost are 0.8 in radius.
// Depends on: OpenGL, GLU, GLUT.
#pragma once

// What leaves the object, under plain C names: the four tooth placements of
// the mad Gobbler's teeth and the three drawing functions.
extern "C" {
// The tooth placements.
extern const float topOffset;
extern const float bottomOffset;
extern const float teethProt;
extern const float toothHeight;

// Gobbler, centred at (x, y, z), turned about x, y, z (degrees, z first),
// mouth open by mouthAngle; mad 1 adds the red glow, red pupils and teeth.
// Leaves the model-view matrix selected and as it was.
void DrawGob(float x, float y, float z, float rotX, float rotY, float rotZ, float mouthAngle,
             int mad);
// A ghost in its colour (RGBA, read during the call), scared (blue), or as
// eyes only. Leaves the model-view matrix selected and as it was.
void DrawGhost(float x, float y, float z, float rotX, float rotY, float rotZ, int scared,
               float* color, int eyesOnly);
// Lit stroke text from (x, y, z), standing (upright) or lying flat, one font
// unit being scale long. Works on whichever matrix is selected.
void DrawText(float x, float y, float z, float r, float g, float b, float scale, int upright,
              const char* text);
}
