// intro: placeholder until this module is built.
#include <GL/glut.h>
#include "mazerush.h"

void IntroIdle() {}
void DisplayIntro() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); glutSwapBuffers(); }
