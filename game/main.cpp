// main: program entry. Opens the game's window, fills the maze, places the
// pieces, hands the callbacks to GLUT and runs its event loop.
// Depends on: the game module, the maze module, GLUT.
#include <GL/glut.h>

#include "../board/board.h"      // InitBoard, Init
#include "../support/random.h"  // Randomize
#include "mazerush.h"

int main(int argc, char** argv) {
    Randomize();
    glutInit(&argc, argv);
    glutInitWindowSize(window_width, window_height);
    glutInitWindowPosition(0, 0);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutCreateWindow("Gobbler");
    InitBoard();
    initgame();
    glutDisplayFunc(Display);
    glutReshapeFunc(Reshape);
    glutKeyboardFunc(Keyboard);
    glutIdleFunc(Idle);
    Init();
    glutMainLoop();
    return 0;
}
