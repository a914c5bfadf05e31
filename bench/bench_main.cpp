// bench_main: the benchmark program's entry. Opens the game's 800 x 552
// window titled "Gobbler" with a current GL context, then runs the
// benchmarks, each of which may draw.
// Depends on: GLUT, Google Benchmark.
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
    glViewport(0, 0, 800, 552);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
