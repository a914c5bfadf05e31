// board: the maze. Its fixed layout and the live pellet grid, the wall
// geometry tables, the one-time GL setup, the maze drawing, and the score
// and lives display beside it.
// Depends on: models/ (DrawGob, DrawText); reads ThreeDView and t of the game.
#pragma once

const int boardRows = 31;
const int boardCols = 28;

// Cell codes of board and pellets.
const int cellWall = -1;
const int cellGate = -2;
const int cellEmpty = 0;
const int cellPellet = 1;
const int cellPowerPellet = 2;

extern const int board[boardRows][boardCols];
extern int pellets[boardRows][boardCols];
extern double pelletSpacing;

// Refills the live grid from the layout.
void InitBoard();

// One-time GL setup: clear colour, shading, light, depth test, wall lists.
void Init();
// One sphere for every pellet still in the maze.
void DrawRemainingPellets();
// The 38 horizontal wall tubes, the ghost-house gate among them.
void DrawHorizontalWalls();
// The 30 vertical wall tubes.
void DrawVerticalWalls();
// The 82 corner spheres.
void DrawWallEndings();

// A new heap string holding n in decimal; the caller frees it.
char* IntegerToString(int n);
// The score as 3D text beside the maze (leaves a 90 degree turn about y).
void DrawScore(int score);
// One chomping Gobbler per life left.
void DrawLivesLeft(int lives);
