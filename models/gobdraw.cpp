// gobdraw: placeholder until this module is built.
#include <GL/glut.h>
#include "gobdraw.h"

extern "C" {
const float topOffset = 0, bottomOffset = 0, teethProt = 0, toothHeight = 0;
void DrawGob(float, float, float, float, float, float, float, int) {}
void DrawGhost(float, float, float, float, float, float, int, float*, int) {}
void DrawText(float, float, float, float, float, float, float, int, const char*) {}
}
