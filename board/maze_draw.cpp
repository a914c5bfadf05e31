// maze_draw: placeholder until this module is built.
#include <GL/glut.h>
#include "board.h"

void Init() {}
void DrawRemainingPellets() {}
void DrawHorizontalWalls() {}
void DrawVerticalWalls() {}
void DrawWallEndings() {}
