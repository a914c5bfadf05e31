// maze: placeholder until this module is built.
#include <GL/glut.h>
#include "board.h"

const int board[boardRows][boardCols] = {};
int pellets[boardRows][boardCols];
double pelletSpacing = 1.0;
void InitBoard() {}
