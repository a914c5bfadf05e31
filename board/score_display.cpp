// score_display: placeholder until this module is built.
#include <GL/glut.h>
#include "board.h"

char* IntegerToString(int) { return nullptr; }
void DrawScore(int) {}
void DrawLivesLeft(int) {}
