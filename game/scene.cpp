// scene: placeholder until this module is built.
#include <GL/glut.h>
#include "mazerush.h"

void DisplayGame() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); glutSwapBuffers(); }
