// The main() of the benchmarks that build the game's window: a Qt
// application in the program's own style around the registered benchmarks.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "app/VexaStyle.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(new vexa::VexaStyle);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
