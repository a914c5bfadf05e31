// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// mazerush: the shared game state and the functions of the game module.
// The shared state is declared here, once, grouped as the game groups it,
// and defined with its start values in state.cpp, except the intro's camera
// shake (shakeUp, shakeRestart, shakeCount, shakeBase), which intro.cpp
// defines beside the phase that uses it, and the pace of the idle tick
// (tickClock, nextTickTime), which loop.cpp defines beside the callback. The fog settings that
// SetFog hands to GL (fog, fogMode, fogColor, density) are private to keyboard.cpp. Depends on:
// support/ (Timer, stack), board/ (the maze), models/ (gobdraw).
#pragma once

#include "../board/board.h"    // boardRows, boardCols: the grid that marks covers
#include "../sound/sound.h"    // voiceT, listenerT: the ghosts as heard
#include "../support/stack.h"  // stackCDT, a ghost's path home
#include "../support/timer.h"  // Timer, every clock of the game
#include "desktop.h"           // the window's geometry and watch, which main sets up

// ---------------------------------------------------------------------------
// Types
// ---------------------------------------------------------------------------

// The four grid directions; rows grow downwards on the screen of the 2D view.
enum dirT { UP = 0, RIGHT = 1, DOWN = 2, LEFT = 3 };

// A cell with the direction of the step that led to it.
struct ptT {
    int x;
    int z;
    dirT dir;
};

// One ghost.
class ghostT {
public:
    ghostT();
    ~ghostT();

    int x;
    int z;
    dirT dir;
    bool alive;
    bool scared;
    double lastmove;
    Timer timer;
    float* color;
    stackCDT* path;
    bool marks[boardRows][boardCols];
};

// ---------------------------------------------------------------------------
// Numbers of the rules
// ---------------------------------------------------------------------------

const int pelletPoints = 10;
const int powerPelletPoints = 50;
const int ghostPoints = 200;
const int pelletsPerLevel = 298;
const int livesPerGame = 3;
const double powerPeriod = 15.0;
const double gobNormalSpeed = 0.2;
const double gobPowerSpeed = 0.1;
const int maxGhosts = 8;

// The idle callback runs its tick (the intro's, the level change's, play's)
// at most this often, and the picture of those screens is drawn at most once
// a tick: the animations and the level change's score, which step once a
// tick or a frame, go at the same pace on every machine fast enough.
const int ticksPerSecond = 60;
const double tickInterval = 1.0 / ticksPerSecond;

// Every screen's perspective has a vertical field of view of 60 degrees in a
// window of the game's own shape, 800 x 552, or a wider one; in a narrower
// window FieldOfView widens it.
const double pictureFieldOfView = 60.0;
const double pictureWidth = 800.0;
const double pictureHeight = 552.0;
const double pictureAspect = pictureWidth / pictureHeight;

// ---------------------------------------------------------------------------
// Game state
// ---------------------------------------------------------------------------

// Modes: which screen is up.
extern int intro;
extern int menu;
extern int changeLevel;
extern int gameOver;
extern int gamePaused;

// Progress and settings.
extern int levelNum;
extern int pelletsEaten;
extern int score;
extern int menLeft;
extern int invincible;
extern int ghostKilled;
extern int num_ghosts;
extern int difficulty;
extern int fogtype;
extern int ThreeDView;
extern int currMenuItem;
extern double gobspeed;
extern double ghostspeed;

// Player and timers.
extern int gobx;
extern int gobz;
extern dirT gobdir;
extern double lastgobmove;
extern Timer movegobT;
extern Timer madtimer;
extern Timer chompTimer;
extern int firstChomp;
extern float chompCurrTime;
extern float chompLastTime;
extern double chompChange;
extern double t;
extern int openMouth;

// Ghosts.
extern ghostT ghost[maxGhosts];
extern ghostT deadGhost;
extern float colors[maxGhosts][4];

// Window.
extern int window_width;
extern int window_height;
extern double aspect;

// Camera of the screens around play.
extern float xPos;
extern float yPos;
extern float zPos;

// Level-change screen.
extern int levelChangeStart;
extern Timer levelChangeTimer;
extern float levelChangeCurrTime;
extern float levelChangeLastTime;
extern double happy;

// Intro.
extern Timer tim;
extern int firstTime;
extern int camAxis;
extern float currTime;
extern float lastTime;
extern int gotGhosts;
extern int runLeft;
extern int runRight;
extern int cameraShake;
extern int eatGhosts;
extern int gobSolo;
extern int towardCamera;
extern int swallowCamera;
extern int odalieIntro;
extern int odaliePause;
extern int tavishIntro;
extern int tavishPause;
extern int kestrelIntro;
extern int kestrelPause;
extern int presentIntro;
extern int presentPause;
extern int mazerushIntro;
extern int mazerushPause;
extern int prodIntro;
extern int prodPause;
// The camera shake of phase 11, defined in intro.cpp.
extern int shakeUp;
extern int shakeRestart;
extern int shakeCount;
extern float shakeBase;

// Pace of the idle tick, defined in loop.cpp: the clock of the ticks (the
// system's steady clock, in seconds; a test may hand in one it holds) and
// its reading at which the next tick is due.
extern double (*tickClock)();
extern double nextTickTime;

// ---------------------------------------------------------------------------
// Functions
// ---------------------------------------------------------------------------

// loop.cpp: the GLUT callbacks and the play tick.
void Display();
void Reshape(int w, int h);
double FieldOfView(double windowAspect);
float StrokeWidth(int w, int h);
void Idle();
void IdleOrWait();
void WindowHiddenOrShown(bool hidden);
void PlayTick();

// rules.cpp: games, lives, levels, pellets and the power period
// (InitBoard, the refill of the maze, is the maze module's).
void initgame();
void restartgame();
void RestartGame();
void eatPellet(int x, int z);
void LevelFinished();
void StartPowerPeriod();
void EndPowerPeriod();
void LoseLife();

// movement.cpp: grid moves, wall tests, the player's step and the mouth.
dirT OppositeDir(dirT d);
ptT* NextMove(int x, int z, dirT d);
bool IsGobWall(int x, int z);
bool IsGhostWall(int x, int z);
void MoveGob();
bool MouthStep(double interval, double step, double opensBelow, double closesAbove);
void ChompStep();

// ghosts.cpp: wandering, being eaten and the way home.
void MoveGhost(ghostT* g);
void killghost(ghostT* g);
bool ReturnHome(ghostT* g, ptT* p);
void GoHome(ghostT* g);
void FreePath(ghostT* g);
void InitMarks(bool marks[boardRows][boardCols]);
void MarkSquare(bool marks[boardRows][boardCols], const ptT* p);
void UnMarkSquare(bool marks[boardRows][boardCols], const ptT* p);
bool IsMarked(const bool marks[boardRows][boardCols], const ptT* p);

// keyboard.cpp: the keyboard callbacks and the settings they change.
void Keyboard(unsigned char key, int x, int y);
void SpecialKey(int key, int x, int y);
void PauseHiddenPlay();
void SetDifficulty();
void SetFog();
void CreateFog();

// scene.cpp: the in-game frame and the camera of play.
void DisplayGame();
void PlayCamera(double eye[3], double centre[3]);

// hearing.cpp: what the player hears of the screen up.
void HearScreen();

// menu.cpp: the main menu.
void DisplayMenu();

// screens.cpp: the level-change and game-over screens, and the camera and
// mouth step that the screens around play share.
void LevelChangeIdle();
void EndLevelChange();
void DisplayLevelChange();
void DisplayGameOver();
void ScreenPerspective(double fovy, double aspectRatio);
void ScreenLookAt(double eyeX, double eyeY, double eyeZ, double centreX, double centreY,
                  double centreZ, double upX, double upY, double upZ);
bool ScreenChompStep(double interval);

// intro.cpp: the animated intro.
void IntroIdle();
void DisplayIntro();
int IntroGhostsHeard(voiceT voices[], listenerT* listener);
