// rules: placeholder until this module is built.
#include <GL/glut.h>
#include "mazerush.h"

void initgame() {}
void restartgame() {}
void RestartGame() {}
void eatPellet(int, int) {}
void LevelFinished() {}
void StartPowerPeriod() {}
void EndPowerPeriod() {}
void LoseLife() {}
