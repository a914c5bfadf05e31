// SPDX-License-Identifier: GPL-2.0-or-later
// Copyright (C) 2026 the mazerush developers
// bench_play: what play costs. One play tick with eight ghosts on the move,
// one of them on its way home as eyes; the search for the way home from the
// player's start cell, from the cell where it makes the most calls, from the
// cell farthest from home, and from every cell a ghost can reach.
// Depends on: the game module, the maze, Google Benchmark.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "../board/board.h"
#include "../game/mazerush.h"

namespace {

// Where the ghosts of the tick stand at first, spread over the maze.
const int ghostCells[maxGhosts][2] = {
    {5, 13}, {1, 3}, {8, 1}, {20, 20}, {29, 10}, {23, 24}, {11, 12}, {17, 18},
};

void StartPlay() {
    InitBoard();
    initgame();
    intro = 0;
    menu = 0;
    changeLevel = 0;
    gameOver = 0;
    gamePaused = 0;
    num_ghosts = maxGhosts;
}

// Ghost g, alive on (x, z), is eaten there.
void EatAt(ghostT* g, int x, int z) {
    FreePath(g);
    InitMarks(g->marks);
    g->x = x;
    g->z = z;
    g->dir = LEFT;
    g->alive = true;
    killghost(g);
}

// One search for the way home from (x, z) into a fresh path.
void SearchFrom(ghostT* g, int x, int z) {
    g->path = NewStack();
    InitMarks(g->marks);
    ptT from = {x, z, UP};
    benchmark::DoNotOptimize(ReturnHome(g, &from));
}

// Every cell a ghost can reach from home.
std::vector<std::pair<int, int>> ReachableCells() {
    bool seen[boardRows][boardCols] = {};
    std::vector<std::pair<int, int>> cells = {{13, 13}};
    seen[13][13] = true;
    for (size_t i = 0; i < cells.size(); i++) {
        for (const dirT d : {UP, RIGHT, DOWN, LEFT}) {
            ptT* n = NextMove(cells[i].first, cells[i].second, d);
            if (!IsGhostWall(n->x, n->z) && !seen[n->x][n->z]) {
                seen[n->x][n->z] = true;
                cells.push_back({n->x, n->z});
            }
            free(n);
        }
    }
    return cells;
}

// The cell with the longest way home.
std::pair<int, int> FarthestCell() {
    ghostT* g = &ghost[0];
    std::pair<int, int> farthest = {13, 13};
    int longest = 0;
    for (const auto& cell : ReachableCells()) {
        SearchFrom(g, cell.first, cell.second);
        if (StackDepth(g->path) > longest) {
            longest = StackDepth(g->path);
            farthest = cell;
        }
        FreePath(g);
    }
    return farthest;
}

// The search from (x, z), again and again.
void SearchBench(benchmark::State& state, std::pair<int, int> cell) {
    ghostT* g = &ghost[0];
    state.SetLabel("from (" + std::to_string(cell.first) + ", " + std::to_string(cell.second) +
                   ")");
    for (auto _ : state) {
        SearchFrom(g, cell.first, cell.second);
        state.PauseTiming();
        state.counters["steps"] = StackDepth(g->path);
        FreePath(g);
        state.ResumeTiming();
    }
}

}  // namespace

// A full tick: every piece's step is due. Gobbler stands in the dead space
// inside a wall block where no ghost can reach it, so no life is lost;
// ghost 0 is eaten anew whenever it gets home.
static void BM_PlayTickEightGhostsOneGoingHome(benchmark::State& state) {
    StartPlay();
    for (int i = 0; i < maxGhosts; i++) {
        ghost[i].x = ghostCells[i][0];
        ghost[i].z = ghostCells[i][1];
    }
    gobx = 3;
    gobz = 4;
    gobdir = RIGHT;
    EatAt(&ghost[0], 5, 13);
    for (auto _ : state) {
        lastgobmove = -1e9;
        for (int i = 0; i < num_ghosts; i++) {
            ghost[i].lastmove = -1e9;
        }
        PlayTick();
        if (ghost[0].alive) {
            state.PauseTiming();
            EatAt(&ghost[0], 5, 13);
            state.ResumeTiming();
        }
    }
    initgame();
    num_ghosts = 4;
}
BENCHMARK(BM_PlayTickEightGhostsOneGoingHome);

// A full tick with range(0) ghosts, all wandering: every piece's step is
// due, and Gobbler stands in the dead space where no ghost reaches it.
static void BM_PlayTick(benchmark::State& state) {
    StartPlay();
    num_ghosts = static_cast<int>(state.range(0));
    for (int i = 0; i < num_ghosts; i++) {
        ghost[i].x = ghostCells[i][0];
        ghost[i].z = ghostCells[i][1];
    }
    gobx = 3;
    gobz = 4;
    gobdir = RIGHT;
    for (auto _ : state) {
        lastgobmove = -1e9;
        for (int i = 0; i < num_ghosts; i++) {
            ghost[i].lastmove = -1e9;
        }
        PlayTick();
    }
    initgame();
    num_ghosts = 4;
}
BENCHMARK(BM_PlayTick)->Arg(4)->Arg(8);

static void BM_ReturnHomeFromPlayerStart(benchmark::State& state) {
    StartPlay();
    SearchBench(state, {5, 13});
}
BENCHMARK(BM_ReturnHomeFromPlayerStart);

// The search that makes the most calls of all (651, from the left end of
// the corridor above the ghost house): the worst case in time.
static void BM_ReturnHomeWorstCase(benchmark::State& state) {
    StartPlay();
    SearchBench(state, {11, 9});
}
BENCHMARK(BM_ReturnHomeWorstCase);

static void BM_ReturnHomeLongestWay(benchmark::State& state) {
    StartPlay();
    SearchBench(state, FarthestCell());
}
BENCHMARK(BM_ReturnHomeLongestWay);

// The searches from all reachable cells, one after another.
static void BM_ReturnHomeFromEveryCell(benchmark::State& state) {
    StartPlay();
    ghostT* g = &ghost[0];
    const std::vector<std::pair<int, int>> cells = ReachableCells();
    for (auto _ : state) {
        for (const auto& cell : cells) {
            SearchFrom(g, cell.first, cell.second);
            FreePath(g);
        }
    }
    state.counters["cells"] = static_cast<double>(cells.size());
}
BENCHMARK(BM_ReturnHomeFromEveryCell);
