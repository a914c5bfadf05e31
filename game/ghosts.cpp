// ghosts: placeholder until this module is built.
#include <GL/glut.h>
#include "mazerush.h"

void MoveGhost(ghostT*) {}
void killghost(ghostT*) {}
bool ReturnHome(ghostT*, ptT*) { return false; }
void GoHome(ghostT*) {}
void InitMarks(bool[mazeRows][mazeCols]) {}
void MarkSquare(bool[mazeRows][mazeCols], ptT*) {}
void UnMarkSquare(bool[mazeRows][mazeCols], ptT*) {}
bool IsMarked(bool[mazeRows][mazeCols], ptT*) { return false; }
