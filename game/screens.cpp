// screens: placeholder until this module is built.
#include <GL/glut.h>
#include "mazerush.h"

void LevelChangeIdle() {}
void DisplayLevelChange() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); glutSwapBuffers(); }
void DisplayGameOver() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); glutSwapBuffers(); }
