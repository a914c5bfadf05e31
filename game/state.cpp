// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// state: the definitions and start values of the shared game state.
// The objects with constructors are defined in the order in which the game
// needs them built before main: the intro's, the mouth's and the level
// change's clocks, the ghost slots, the clocks of the power period and of
// Gobbler's steps, the ghosts' first step interval, then the record of the
// last eaten ghost. Within one file that order is the order of construction.
// Depends on: mazerush.h.
#include "mazerush.h"

// Modes.
int intro = 1;
int menu = 0;
int changeLevel = 0;
int gameOver = 0;
int gamePaused = 0;

// Progress and settings.
int levelNum = 1;
int pelletsEaten = 0;
int score = 0;
int menLeft = livesPerGame;
int invincible = 0;
int ghostKilled = 0;
int num_ghosts = 4;
int difficulty = 1;
int fogtype = 0;
int ThreeDView = 0;
int currMenuItem = 1;
double gobspeed = gobNormalSpeed;

// Player (set to the start cell by initgame before anything is shown).
int gobx = 0;
int gobz = 0;
dirT gobdir = UP;
double lastgobmove = 0.0;
int firstChomp = 1;
float chompCurrTime = 0.0f;
float chompLastTime = 0.0f;
double chompChange = 0.0;
double t = 0.0;
int openMouth = 1;

float colors[maxGhosts][4] = {
    {1.0f, 0.0f, 0.0f, 1.0f},  // 0 red
    {0.0f, 1.0f, 1.0f, 1.0f},  // 1 cyan
    {0.0f, 1.0f, 0.0f, 1.0f},  // 2 green
    {0.3f, 0.3f, 0.0f, 1.0f},  // 3 olive
    {1.0f, 1.0f, 1.0f, 1.0f},  // 4 white
    {0.0f, 0.0f, 0.5f, 1.0f},  // 5 navy
    {0.5f, 1.0f, 0.0f, 1.0f},  // 6 lime
    {0.5f, 0.5f, 0.5f, 1.0f},  // 7 grey
};

// Window.
int window_width = 800;
int window_height = 552;
double aspect = 1.0;

// Camera of the screens around play.
float xPos = 0.0f;
float yPos = 0.0f;
float zPos = 0.0f;

// Level-change screen.
int levelChangeStart = 0;
float levelChangeCurrTime = 0.0f;
float levelChangeLastTime = 0.0f;
double happy = 0.0;

// Intro.
int firstTime = 1;
int camAxis = 0;
float currTime = 0.0f;
float lastTime = 0.0f;
int gotGhosts = 0;
int runLeft = 1;
int runRight = 0;
int cameraShake = 0;
int eatGhosts = 0;
int gobSolo = 0;
int towardCamera = 0;
int swallowCamera = 0;
int odalieIntro = 1;
int odaliePause = 0;
int tavishIntro = 0;
int tavishPause = 0;
int kestrelIntro = 0;
int kestrelPause = 0;
int presentIntro = 0;
int presentPause = 0;
int mazerushIntro = 0;
int mazerushPause = 0;
int prodIntro = 0;
int prodPause = 0;

// Objects built before main, in this order.
Timer tim;
Timer chompTimer;
Timer levelChangeTimer;
ghostT ghost[maxGhosts];
Timer madtimer;
Timer movegobT;
double ghostspeed = gobspeed * 2.0;
ghostT deadGhost;

// The constructor builds the timer and nothing else: every ghostT is static
// storage (the eight slots and deadGhost), zeroed before any constructor
// runs, and initgame fills the slots.
// cppcheck-suppress uninitMemberVar
ghostT::ghostT() {}

ghostT::~ghostT() {}
