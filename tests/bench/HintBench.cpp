// How long a player waits for a hint in the real main window on Klondike
// deals: from the H key to the end of the repaint that shows the frames.
// The first hint of a hand searches (its median and 90th percentile over
// the deals are the counters p50_ms and p90_ms); the hints that follow
// the line it found answer from that line (target: at most 100 ms).
//
// VEXA_BENCH_DEALS sets the number of deals (default 8), VEXA_BENCH_FIRST
// the first deal (default 1); the games come from the source tree.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/GameLoader.h"
#include "app/HintController.h"
#include "app/MainWindow.h"
#include "bench/WindowBench.h"
#include "cards/CardLibrary.h"
#include "records/GameButtons.h"
#include "support/FakeEnvironment.h"

namespace {

using namespace vexa;

int EnvInt(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

using vexa::bench::Percentile;

struct Window {
    CardLibrary library{{QString::fromLocal8Bit(qgetenv("VEXA_CARDS_DIR"))}};
    test::ManualClock clock;
    MainWindow form{library, clock};
    QTimer closer;  // a lost hand's message is closed as soon as it shows
    int lost = 0;   // hints that never answered

    Window()
    {
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
        });
        closer.start(20);
        const auto folder = std::filesystem::temp_directory_path() / "vexa-hint-bench";
        std::filesystem::create_directories(folder);
        for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(VEXA_SOURCE_DIR) / "games"))
            std::filesystem::copy_file(file.path(), folder / file.path().filename(),
                                       std::filesystem::copy_options::overwrite_existing);
        std::filesystem::current_path(folder);
        form.show();
        form.activateWindow();
        (void)QTest::qWaitForWindowActive(&form);
    }
    void Deal(std::uint32_t seed)
    {
        Session& s = form.State();
        CreateChooser(s);
        const auto& items = s.Chooser.Items;
        s.Chooser.ItemIndex = static_cast<int>(std::find(items.begin(), items.end(), "Klondike") - items.begin());
        s.Rng.Seed(seed);
        form.Guard([&] { SelectGame(s); });
        QApplication::processEvents();
    }
    // The H key until the frames are painted; in milliseconds.
    double Hint()
    {
        // A message box closed before leaves no window active: the key
        // would go nowhere.
        form.activateWindow();
        (void)QTest::qWaitForWindowActive(&form, 1000);
        QSignalSpy answered(&form.Hint(), &HintController::Answered);
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(&form, Qt::Key_H);
        if (answered.count() == 0 && !answered.wait(30000)) ++lost;
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    // Plays a move of a solver line as the player would.
    void Play(const SolverMove& move)
    {
        Session& s = form.State();
        for (const std::string& command : move.Commands) {
            if (command.rfind("click card ", 0) == 0)
                form.Click(&s.Board.CardAt(std::atoi(command.c_str() + 11)));
            else if (command.rfind("click pile ", 0) == 0)
                form.Click(s.Board.FindPile(command.substr(11)));
            else if (command.rfind("button ", 0) == 0)
                form.PressButton(s.Board.FindControl(command.substr(7))->Serial());
            else if (command == "autoplay")
                form.Autoplay();
        }
    }
};

void BM_KlondikeHints(benchmark::State& state)
{
    Window window;
    const int deals = EnvInt("VEXA_BENCH_DEALS", 8);
    const int first = EnvInt("VEXA_BENCH_FIRST", 1);
    std::vector<double> firstHints, lineHints;
    int lines = 0;
    for (auto _ : state) {
        for (int deal = first; deal < first + deals; ++deal) {
            window.Deal(static_cast<std::uint32_t>(deal));
            firstHints.push_back(window.Hint());
            Session& s = window.form.State();
            // A hand whose first hint found no win keeps no line of its own.
            if (HintLine(window.form.Hint().Line()).Next(s) == nullptr) continue;
            ++lines;
            // Follow the line a few moves, asking before each.
            for (int step = 0; step < 10; ++step) {
                HintLine copy = window.form.Hint().Line();
                const SolverMove* next = copy.Next(s);
                if (!next) break;
                window.Play(*next);
                if (copy.Next(s) == nullptr) break;
                lineHints.push_back(window.Hint());
            }
        }
    }
    state.counters["deals"] = deals;
    state.counters["unanswered"] = window.lost;
    state.counters["lines"] = lines;
    state.counters["first_p50_ms"] = Percentile(firstHints, 50);
    state.counters["first_p90_ms"] = Percentile(firstHints, 90);
    state.counters["line_hints"] = static_cast<double>(lineHints.size());
    state.counters["line_p50_ms"] = Percentile(lineHints, 50);
    state.counters["line_max_ms"] = Percentile(lineHints, 100);
}
BENCHMARK(BM_KlondikeHints)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
