// movement: placeholder until this module is built.
#include <GL/glut.h>
#include "mazerush.h"

dirT OppositeDir(dirT d) { return d; }
ptT* NextMove(int, int, dirT) { return nullptr; }
bool IsGobWall(int, int) { return true; }
bool IsGhostWall(int, int) { return true; }
void MoveGob() {}
void ChompStep() {}
