// What a new card size costs: every picture of a table (the 52 faces and a
// back) made at the painted size from a cold library, as after a resize of
// the window, at scales from table size to eight times it. The counters give
// the bytes kept for that size. Run with VEXA_CARDS_DIR naming the folder of
// libvexacards.so (scripts/measure.sh does).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSize>

#include "cards/CardLibrary.h"

namespace {

void BM_TablePicturesAtScale(benchmark::State& state)
{
    const double scale = state.range(0) / 100.0;
    const QSize size = QSizeF(71 * scale, 96 * scale).toSize();
    std::size_t kept = 0;
    for (auto _ : state) {
        vexa::CardLibrary library({QString::fromLocal8Bit(qgetenv("VEXA_CARDS_DIR"))});
        // The faces and back 58, the back the table shows.
        for (int n = 1; n <= 53; ++n) benchmark::DoNotOptimize(library.Scaled(n == 53 ? 58 : n, size));
        kept = library.KeptBytes();
    }
    state.counters["kept_MiB"] = double(kept) / (1 << 20);
}
BENCHMARK(BM_TablePicturesAtScale)->Arg(100)->Arg(150)->Arg(200)->Arg(250)->Arg(400)->Arg(800)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
