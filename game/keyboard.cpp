// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// keyboard: the game's keys, which a gamepad's buttons also run
// (gamepad.cpp). The keyboard callback in its three modes (the intro, the
// main menu, and play with the screens around it), the
// special-key callback that makes the arrow keys the keypad's digits and F11
// the switch to full screen and back, and the settings its keys change: the
// difficulty, which sets how many ghosts play and how fast they step, and
// the fog, which sets the GL fog state and the clear colour.
// Depends on: mazerush.h (game state, IsGobWall, RestartGame, LevelFinished,
// and desktop.h's full-screen switch), sound/ (the menu's ticks, the mute
// key), OpenGL, GLUT.
#include <GL/glut.h>

#include <cstdlib>  // exit

#include "mazerush.h"

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

// The menu lines, top to bottom, as currMenuItem counts them.
const int menuPlayGame = 1;
const int menuDifficulty = 2;
const int menuView = 3;
const int menuFog = 4;
const int menuQuit = 5;

// The settings' ranges.
const int minDifficulty = 1;
const int maxDifficulty = 3;
const int minFogType = 0;
const int maxFogType = 3;

// Only these key codes are looked at in the menu and in play.
const unsigned char menuFirstKey = 50;  // "2"
const unsigned char menuLastKey = 118;  // "v"
const unsigned char playFirstKey = 27;  // Escape
const unsigned char playLastKey = 122;  // "z"
const unsigned char escapeKey = 27;

// What the "Z" key adds to the score.
const int bonusPoints = 500;

// Difficulty 1, 2, 3: ghosts in play and their step time in steps of
// Gobbler's (so 2.0 is half Gobbler's speed).
struct DifficultyRowT {
    int ghosts;
    double ghostStepPerGobStep;
};

static const DifficultyRowT difficultyTable[maxDifficulty] = {
    // num_ghosts, ghostspeed / gobspeed
    {4, 2.0},  // 1 "WUSS"
    {6, 1.0},  // 2 "GOOD"
    {8, 1.0},  // 3 "EXPERT"
};

// Fog type 0, 1, 2, 3: whether fog is drawn and in which GL mode.
struct FogRowT {
    int on;
    GLint mode;
};

static const FogRowT fogTable[maxFogType + 1] = {
    // fog, fogMode
    {0, GL_EXP},     // 0 "NO FOG"
    {1, GL_EXP},     // 1 "EXP TYPE 1"
    {1, GL_EXP2},    // 2 "EXP TYPE 2"
    {1, GL_LINEAR},  // 3 "LINEAR TYPE"
};

// One grid step in each direction, in dirT order: row, column.
static const int stepRow[4] = {-1, 0, 1, 0};  // UP RIGHT DOWN LEFT
static const int stepCol[4] = {0, 1, 0, -1};

// ---------------------------------------------------------------------------
// Module data
// ---------------------------------------------------------------------------

static int fog = 0;      // 1 while fog is in use
static int fogMode = 0;  // the GL fog mode SetFog chose last
static const GLfloat fogColor[4] = {0.5f, 0.5f, 0.5f, 1.0f};
static const GLfloat density = 0.1f;

// The range of the linear fog. The camera lives in the projection matrix, so
// fog distance is measured in the world, from the plane of the maze's middle
// column: the maze reaches 14 units to either side of it, the lives stand at
// 17 and the score runs out to about 26. From nothing at the middle to full
// grey at 30, the fog greys the maze toward its edges, which keep about half
// their colour (a quarter with EXP TYPE 1), and leaves everything drawn some
// of its own colour. GL's own range, 0 to 1, would turn everything more than
// one unit from the middle to grey.
static const GLfloat linearFogStart = 0.0f;
static const GLfloat linearFogEnd = 30.0f;

// ---------------------------------------------------------------------------
// File-local helpers
// ---------------------------------------------------------------------------

// Leaves the menu; the game was prepared before the menu came up, so the
// idle callback takes over play from here. A game abandoned on the
// level-change screen left that screen running behind the menu: the new
// game does not inherit it (nor the points it would add, nor its "Level"
// line), but starts at once, from nothing.
static void StartPlay() {
    if (changeLevel) {
        EndLevelChange();
    }
    menu = 0;
    SetFog();
    PlaySound(SOUND_MENU_PLAY);
}

// The lower key ("4", "K") on the selected line.
static void LowerSetting() {
    switch (currMenuItem) {
        case menuPlayGame:
            StartPlay();
            break;
        case menuDifficulty:
            if (difficulty - 1 >= minDifficulty) {
                difficulty--;
                SetDifficulty();
            }
            break;
        case menuView:
            ThreeDView = 0;
            break;
        case menuFog:
            if (fogtype - 1 >= minFogType) {
                fogtype--;
            }
            break;
        case menuQuit:
            exit(EXIT_SUCCESS);
        default:
            break;
    }
}

// The raise key ("6", "J") on the selected line.
static void RaiseSetting() {
    switch (currMenuItem) {
        case menuPlayGame:
            StartPlay();
            break;
        case menuDifficulty:
            if (difficulty + 1 <= maxDifficulty) {
                difficulty++;
                SetDifficulty();
            }
            break;
        case menuView:
            ThreeDView = 1;
            break;
        case menuFog:
            if (fogtype + 1 <= maxFogType) {
                fogtype++;
            }
            break;
        case menuQuit:
            exit(EXIT_SUCCESS);
        default:
            break;
    }
}

// Turns Gobbler toward a key's direction, if the cell that way is open. The
// 3D view's camera looks along Gobbler's rows, so there every key names the
// next direction round. Only gobdir changes: Gobbler moves on its own clock.
static void Steer(dirT keyDir) {
    if (gamePaused) {
        return;
    }
    const dirT dir = ThreeDView ? static_cast<dirT>((keyDir + 1) % 4) : keyDir;
    if (!IsGobWall(gobx + stepRow[dir], gobz + stepCol[dir])) {
        gobdir = dir;
    }
}

// During the intro only "S" does anything: it skips to the menu, and the
// intro's sounds stop with it.
static void IntroKey(unsigned char key) {
    if (key != 'S' && key != 's') {
        return;
    }
    SilenceSound();
    intro = 0;
    t = 0.0;
    openMouth = 1;
    menu = 1;
    glutPostRedisplay();
}

// What a key of the menu does.
static void MenuChoice(unsigned char key) {
    switch (key) {
        case '8':
        case 'I':
        case 'i':
            if (currMenuItem - 1 >= menuPlayGame) {
                currMenuItem--;
            }
            glutPostRedisplay();
            break;
        case '2':
        case 'M':
        case 'm':
            if (currMenuItem + 1 <= menuQuit) {
                currMenuItem++;
            }
            glutPostRedisplay();
            break;
        case '4':
        case 'K':
        case 'k':
            LowerSetting();
            glutPostRedisplay();
            break;
        case '6':
        case 'J':
        case 'j':
            RaiseSetting();
            glutPostRedisplay();
            break;
        case 'P':
        case 'p':
            if (currMenuItem == menuPlayGame) {
                StartPlay();
            }
            break;
        case 'D':
        case 'd':
            if (currMenuItem == menuDifficulty) {
                difficulty = difficulty >= maxDifficulty ? minDifficulty : difficulty + 1;
                SetDifficulty();
                glutPostRedisplay();
            }
            break;
        case 'V':
        case 'v':
            if (currMenuItem == menuView) {
                ThreeDView ^= 1;
                glutPostRedisplay();
            }
            break;
        case 'F':
        case 'f':
            if (currMenuItem == menuFog) {
                fogtype = fogtype >= maxFogType ? minFogType : fogtype + 1;
                glutPostRedisplay();
            }
            break;
        case 'Q':
        case 'q':
            if (currMenuItem == menuQuit) {
                exit(EXIT_SUCCESS);
            }
            break;
        default:
            break;
    }
}

// The menu's highlight and settings, to hear a key that changed them.
static int MenuState() {
    return ((currMenuItem * 10 + difficulty) * 10 + ThreeDView) * 10 + fogtype;
}

// The main menu: move the cursor, change the selected line's setting, or
// use the line's own initial. A key that moves the highlight or changes a
// setting ticks.
static void MenuKey(unsigned char key) {
    if (key < menuFirstKey || key > menuLastKey) {
        return;
    }
    const int before = MenuState();
    MenuChoice(key);
    if (menu && MenuState() != before) {
        PlaySound(SOUND_MENU_TICK);
    }
}

// Play, paused play, the level-change and the game-over screens.
static void PlayKey(unsigned char key) {
    if (key < playFirstKey || key > playLastKey) {
        return;
    }
    switch (key) {
        case '8':
        case 'I':
        case 'i':
            Steer(UP);
            break;
        case '2':
        case 'M':
        case 'm':
            Steer(DOWN);
            break;
        case '4':
        case 'J':
        case 'j':
            Steer(LEFT);
            break;
        case '6':
        case 'K':
        case 'k':
            Steer(RIGHT);
            break;
        case 'P':
        case 'p':
            gamePaused ^= 1;
            break;
        case escapeKey:
        case 'Q':
        case 'q':
            RestartGame();
            break;
        case 'T':
        case 't':
            ThreeDView ^= 1;
            break;
        case 'Z':
        case 'z':
            score += bonusPoints;
            glutPostRedisplay();
            break;
        case 'X':
        case 'x':
            LevelFinished();
            glutPostRedisplay();
            break;
        default:
            break;
    }
}

// ---------------------------------------------------------------------------
// Public functions
// ---------------------------------------------------------------------------

// The keyboard callback: the intro's, the menu's or play's keys. A key that
// leaves a screen on which nothing moved (pause, the menu, game over) ends
// the idle callback's wait, as any event does, and the next tick runs. The
// sound hears the screen the key leaves up (unpaused, left for the menu)
// at once, so that the sound of a key typed right after it is not held.
void Keyboard(unsigned char key, int /*x*/, int /*y*/) {
    if (intro) {
        IntroKey(key);
    } else if (menu) {
        MenuKey(key);
    } else {
        PlayKey(key);
    }
    HearScreen();
}

// The special-key callback: the arrow keys are the keypad's digits, "8" up,
// "2" down, "4" left and "6" right, on every screen; F11, as in games and
// browsers, switches between full screen and the window, and F10 mutes the
// sound and unmutes it; the other special keys (the other function keys,
// Home, ...) do nothing.
void SpecialKey(int key, int x, int y) {
    switch (key) {
        case GLUT_KEY_F11:
            ToggleFullScreen();
            break;
        case GLUT_KEY_F10:
            ToggleMute();
            break;
        case GLUT_KEY_UP:
            Keyboard('8', x, y);
            break;
        case GLUT_KEY_DOWN:
            Keyboard('2', x, y);
            break;
        case GLUT_KEY_LEFT:
            Keyboard('4', x, y);
            break;
        case GLUT_KEY_RIGHT:
            Keyboard('6', x, y);
            break;
        default:
            break;
    }
}

// Pauses play as P does, where P would: in play, and on the level-change
// screen, after which the next level then starts paused. A pause already
// made stays one, and the other screens go on as they are. The game pauses
// so when the player cannot follow it: its window hidden (minimised, or on
// another workspace).
void PauseHiddenPlay() {
    const bool playKeys = intro == 0 && menu == 0 && gameOver == 0;
    if (playKeys) {
        gamePaused = 1;
    }
}

// Sets the number of ghosts and their step time from difficulty.
void SetDifficulty() {
    if (difficulty < minDifficulty || difficulty > maxDifficulty) {
        return;
    }
    const DifficultyRowT& row = difficultyTable[difficulty - minDifficulty];
    ghostspeed = gobspeed * row.ghostStepPerGobStep;
    num_ghosts = row.ghosts;
}

// Chooses the fog from fogtype and hands it to GL.
void SetFog() {
    if (fogtype < minFogType || fogtype > maxFogType) {
        return;
    }
    fog = fogTable[fogtype].on;
    fogMode = fogTable[fogtype].mode;
    CreateFog();
}

// Issues the fog state and the clear colour: the fog's grey, or black
// without fog. The linear mode gets its range; the exponential modes use
// the density instead.
void CreateFog() {
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, fogMode);
    glFogfv(GL_FOG_COLOR, fogColor);
    glFogf(GL_FOG_DENSITY, density);
    if (fogMode == GL_LINEAR) {
        glFogf(GL_FOG_START, linearFogStart);
        glFogf(GL_FOG_END, linearFogEnd);
    }
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    if (fog) {
        glClearColor(fogColor[0], fogColor[1], fogColor[2], fogColor[3]);
    } else {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    }
    if (!fog) {
        glDisable(GL_FOG);
    }
}
