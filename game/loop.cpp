// loop: the display, reshape and idle callbacks, which choose by the mode
// flags what is drawn and what runs, and the play tick.
// Depends on: mazerush.h, board/ (the pellet under Gobbler), GLUT.
#include <GL/glut.h>

#include "../board/board.h"  // pellets, the cell codes
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
        // Nothing on these screens moves until a key is pressed: GLUT stops
        // calling back and waits for the next event instead of spinning a
        // core, until the keyboard callback hands the tick back.
        glutIdleFunc(nullptr);
        return;
    }
    PlayTick();
}

static bool OnGobCell(const ghostT& g) {
    return g.x == gobx && g.z == gobz;
}

// The meeting before anything moves: a scared ghost in a power period is
// eaten, any other living ghost costs a life. Returns whether a life was
// lost.
static bool MeetBeforeMoves() {
    for (int i = 0; i < num_ghosts; i++) {
        ghostT& g = ghost[i];
        if (!OnGobCell(g)) {
            continue;
        }
        if (invincible && g.scared) {
            killghost(&g);
        } else if (g.alive) {
            LoseLife();
            return true;
        }
    }
    return false;
}

// The meeting after Gobbler's step, just before ghost g's own: in a power
// period every ghost there is eaten, else a living one costs a life.
// Returns whether a life was lost.
static bool MeetAfterGobStep(ghostT& g) {
    if (!OnGobCell(g)) {
        return false;
    }
    if (invincible) {
        killghost(&g);
    } else if (g.alive) {
        LoseLife();
        return true;
    }
    return false;
}

// One tick of play: the mouth, the power period, the pellet under Gobbler,
// the first meeting, Gobbler's step, then each ghost's meeting and step.
void PlayTick() {
    ChompStep();
    if (invincible && madtimer.Time() >= powerPeriod) {
        EndPowerPeriod();
    }
    if (pellets[gobx][gobz] > cellEmpty) {
        if (pellets[gobx][gobz] == cellPowerPellet) {
            StartPowerPeriod();
        }
        eatPellet(gobx, gobz);
    }
    if (MeetBeforeMoves()) {
        return;
    }
    glutPostRedisplay();
    const double now = movegobT.Time();
    if (now - lastgobmove >= gobspeed) {
        MoveGob();
        lastgobmove = now;
    }
    for (int i = 0; i < num_ghosts; i++) {
        ghostT& g = ghost[i];
        if (MeetAfterGobStep(g)) {
            return;
        }
        const double ghostNow = g.timer.Time();
        if (ghostNow - g.lastmove >= ghostspeed) {
            MoveGhost(&g);
            g.lastmove = ghostNow;
        }
    }
}
