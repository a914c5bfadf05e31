// bench_main: the benchmark program's entry. Opens the game's window on the
// X server of the run (the rules and the drawing need one), then runs the
// benchmarks.
#include <GL/glut.h>
#include <benchmark/benchmark.h>

static void DrawNothing() {}

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    glutInit(&argc, argv);
    glutInitWindowSize(800, 552);
    glutInitWindowPosition(0, 0);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutCreateWindow("Gobbler");
    glutDisplayFunc(DrawNothing);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
