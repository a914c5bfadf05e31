// keyboard: placeholder until this module is built.
#include <GL/glut.h>
#include "mazerush.h"

void Keyboard(unsigned char, int, int) {}
void SetDifficulty() {}
void SetFog() {}
void CreateFog() {}
