// loop: the display, reshape and idle callbacks, which choose by the mode
// flags what is drawn and what runs, and the play tick.
// Depends on: mazerush.h, GLUT.
#include <GL/glut.h>

#include "mazerush.h"

void Display() {
    if (intro) {
        DisplayIntro();
    } else if (menu) {
        DisplayMenu();
    } else if (changeLevel) {
        DisplayLevelChange();
    } else if (gameOver) {
        DisplayGameOver();
    } else {
        DisplayGame();
    }
}

void Reshape(int w, int h) {
    glViewport(0, 0, w, h);
    // A window of height 0 has no aspect ratio; keep the last finite one.
    if (h > 0) {
        aspect = static_cast<double>(w) / static_cast<double>(h);
    }
    window_height = h;
    window_width = w;
    glutPostRedisplay();
}

void Idle() {
    // The level-change tick is tested before the menu, so that a game left
    // from the level-change screen still lets that screen finish its course.
    if (intro) {
        IntroIdle();
        return;
    }
    if (changeLevel) {
        LevelChangeIdle();
        return;
    }
    if (menu || gameOver || gamePaused) {
        return;
    }
    PlayTick();
}

void PlayTick() {
    glutPostRedisplay();
}
