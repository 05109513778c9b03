// How long a player waits for a click to show: in the real main window on a
// two-deck table, random clicks a player could make (cards, pile areas, the
// background, now and then Undo) go through the widgets' own mouse handling,
// and each is timed from the press to the end of the repaint it causes. The
// 99th percentile is reported as the counter p99_ms, and over the clicks
// that changed the table (lift, drop, deal, undo) as p99_moves_ms. The
// argument 1 runs the same clicks on the table scaled to fit a 3840 × 2160
// window (run it on an X server of that size); a second benchmark times the
// full repaint after a window resize, with argument 1 that of a bare main
// window, for the share the platform takes by itself. A third times the
// frames of cards in flight: an autoplay run of 20 cards on a table scaled
// to 3840 × 2160 (see BM_AutoplayFrames), beside a bare animation.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QVariantAnimation>

#include "app/GameLoader.h"
#include "app/CardFlights.h"
#include "app/MainWindow.h"
#include "app/TableView.h"
#include "bench/WindowBench.h"
#include "cards/CardLibrary.h"
#include "cards/CardWidget.h"
#include "rules/ClickDispatch.h"
#include "support/FakeEnvironment.h"
#include "table/PileWidget.h"

namespace {

// Ten columns of ten (the lowest nine face down), a stock that deals one
// card onto each column, and eight foundations.
std::string TwoDecks()
{
    std::string text = "[Two decks]\nDecks=2\nFormwidth=1000\nFormheight=700\n";
    text += "PILE00=10,10,71,96,2,0,90,0,0,402,301,0,0," + std::string(4, 'D') + "\n";
    for (int i = 0; i < 10; ++i)
        text += "PILE" + std::to_string(10 + i) + "=" + std::to_string(10 + 90 * i) +
                ",120,71,500,0,2,3,109,201,401,0,0,0,DDDDDDDDDU\n";
    for (int i = 0; i < 8; ++i)
        text += "PILE" + std::to_string(30 + i) + "=" + std::to_string(200 + 80 * i) +
                ",10,71,96,2,3,0,106,203,402,0,0,0,-\n";
    return text;
}

// The main window with the two-deck table dealt; at full size, the window
// fills 3840 × 2160 and the table is scaled to fit it.
void OpenTwoDecks(vexa::MainWindow& form, bool full)
{
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    vexa::Session& session = form.State();
    session.Chooser.ItemIndex = 0;
    form.Guard([&] { vexa::SelectGame(session); });
    if (full) form.resize(3840, 2160);
    QApplication::processEvents();
}

void WriteTwoDecks()
{
    const auto folder = std::filesystem::temp_directory_path() / "vexa-click-bench";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "vexasolit.ini") << "[Gamelist]\nTwo decks=two.ini\n";
    std::ofstream(folder / "two.ini") << TwoDecks();
    std::filesystem::current_path(folder);
}

void BM_ClickToRepaintTwoDecks(benchmark::State& state)
{
    WriteTwoDecks();
    vexa::CardLibrary library({QString::fromLocal8Bit(qgetenv("VEXA_CARDS_DIR"))});
    vexa::test::ManualClock clock;
    vexa::MainWindow form(library, clock);
    OpenTwoDecks(form, state.range(0) == 1);
    vexa::Session& session = form.State();
    state.counters["scale"] = form.View().Scale();

    std::mt19937 random(7);
    std::vector<double> samples, changed;
    for (auto _ : state) {
        // A target a player could click now.
        std::vector<QWidget*> cards, areas;
        for (int position = 0; position < session.Board.ControlCount(); ++position) {
            vexa::Pile* pile = session.Board.PileAt(position);
            if (!pile || pile == &session.Board.DragPile()) continue;
            if (vexa::CanClickPileArea(session, *pile))
                if (auto* view = form.findChild<vexa::PileWidget*>(QString::fromStdString(pile->Name)))
                    areas.push_back(view->Content());
            for (vexa::Card* card : pile->Cards())
                if (vexa::CanClickCard(session, *card))
                    cards.push_back(form.findChild<vexa::CardWidget*>(QString("Card%1").arg(card->Index())));
        }
        const unsigned roll = random() % 100;
        QWidget* target = roll < 2                      ? form.centralWidget()
                          : roll < 20 && !areas.empty() ? areas[random() % areas.size()]
                          : !cards.empty()              ? cards[random() % cards.size()]
                                                        : form.centralWidget();
        const bool undo = roll >= 97 && !session.Carrying;
        QPoint at(5, 5);
        if (target == form.centralWidget())
            at = form.View().ToScreen().map(QPoint(990, form.View().ModelSize().height() - 5));
        if (!areas.empty() && std::find(areas.begin(), areas.end(), target) != areas.end())
            at = QPoint(5, target->height() - 5);

        const bool carrying = session.Carrying;
        const std::size_t steps = session.Journal.UndoSteps.size();
        const auto start = std::chrono::steady_clock::now();
        if (undo)
            form.Undo();
        else
            QTest::mouseClick(target, Qt::LeftButton, {}, at);
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        samples.push_back(took.count() * 1000.0);
        // Clicks that lifted, dropped, dealt or undid: the ones that repaint.
        if (session.Carrying != carrying || session.Journal.UndoSteps.size() != steps)
            changed.push_back(took.count() * 1000.0);
        // A hand that has run dry is dealt again (not timed).
        if (state.iterations() % 400 == 399) {
            state.PauseTiming();
            form.NewHand(vexa::NewHandKind::Deal);
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
    std::sort(samples.begin(), samples.end());
    if (!samples.empty()) {
        state.counters["p50_ms"] = samples[samples.size() / 2];
        state.counters["p99_ms"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
        state.counters["max_ms"] = samples.back();
    }
    std::sort(changed.begin(), changed.end());
    if (!changed.empty()) {
        state.counters["moves"] = static_cast<double>(changed.size());
        state.counters["p99_moves_ms"] = changed[std::min(changed.size() - 1, changed.size() * 99 / 100)];
    }
}
BENCHMARK(BM_ClickToRepaintTwoDecks)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3000)->Arg(0)->Arg(1);

// A window resize: from the new size to the end of the repaint of the whole
// table at its new scale, through sizes a player drags between.
// The same resizes of any window: the table's, or (argument 1) a bare main
// window with nothing in it, what the platform alone costs.
void TimeResizes(benchmark::State& state, QWidget& form)
{
    const QSize sizes[] = {{3840, 2160}, {2560, 1440}, {1920, 1080}, {3200, 1800}, {1280, 900}};
    std::vector<double> samples;
    int next = 1;
    for (auto _ : state) {
        const QSize size = sizes[next++ % 5];
        const auto start = std::chrono::steady_clock::now();
        form.resize(size);
        QApplication::sendPostedEvents();
        form.repaint();
        QApplication::processEvents();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        samples.push_back(took.count() * 1000.0);
    }
    std::sort(samples.begin(), samples.end());
    if (!samples.empty()) {
        state.counters["p50_ms"] = samples[samples.size() / 2];
        state.counters["p99_ms"] = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
    }
}

void BM_RepaintAfterResize(benchmark::State& state)
{
    if (state.range(0) == 1) {
        QMainWindow bare;
        bare.resize(3840, 2160);
        bare.show();
        (void)QTest::qWaitForWindowExposed(&bare);
        QApplication::processEvents();
        TimeResizes(state, bare);
        return;
    }
    WriteTwoDecks();
    vexa::CardLibrary library({QString::fromLocal8Bit(qgetenv("VEXA_CARDS_DIR"))});
    vexa::test::ManualClock clock;
    vexa::MainWindow form(library, clock);
    OpenTwoDecks(form, true);
    TimeResizes(state, form);
}
BENCHMARK(BM_RepaintAfterResize)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200)->Arg(0)->Arg(1);

// A column of 20 face-up cards, all in sight (so their pictures were
// painted before they fly, as in play), and four foundations that take any
// first card and then its suit: Autoplay moves all 20, one step after
// another. The other 32 cards wait face down in a stock.
void WriteAutoplayTable()
{
    const auto folder = std::filesystem::temp_directory_path() / "vexa-frame-bench";
    std::filesystem::create_directories(folder);
    std::string text = "[Twenty]\nFormwidth=640\nFormheight=500\n"
                       "PILE1=20,10,71,420,0,2,0,0,0,401,0,0,0," +
                       std::string(20, 'U') + "\n";
    for (int i = 0; i < 4; ++i)
        text += "PILE" + std::to_string(i + 2) + "=" + std::to_string(140 + 100 * i) + ",10,71,96,2,3,0,120,201,402,0,0,0,-\n";
    text += "PILE6=540,250,71,96,2,0,0,0,0,402,0,0,0," + std::string(32, 'D') + "\n";
    std::ofstream(folder / "vexasolit.ini") << "[Gamelist]\nTwenty=twenty.ini\n";
    std::ofstream(folder / "twenty.ini") << text;
    std::filesystem::current_path(folder);
}

using vexa::bench::Percentile;

// The frames of an autoplay run of 20 cards on the table scaled to fill a
// 3840 × 2160 window (scale about 4.9: each card some 350 × 470 pixels),
// in the classic style (second argument 0) or on the felt (1). Each
// iteration deals a new hand (not timed) and plays Autoplay.
// The repaint of the Autoplay command itself, before the first frame, is
// the click benchmark's (above), not a frame of the animation.
// First argument 0, stepped: the run is advanced 1/60 s at a time by hand
// and each frame timed from the step to the end of its repaint, which is
// the work a frame costs; frame_p99_ms is its 99th percentile and
// frames_per_s how many such frames a second holds.
// First argument 1, running: the animation runs on its own timer as in
// play, and every tick is a frame; frames_per_s counts them over the run,
// frame_p99_ms is the 99th percentile of the time between two ticks (at
// least the timer's 16 ms).
void BM_AutoplayFrames(benchmark::State& state)
{
    WriteAutoplayTable();
    vexa::CardLibrary library({QString::fromLocal8Bit(qgetenv("VEXA_CARDS_DIR"))});
    vexa::test::ManualClock clock;
    vexa::MainWindow form(library, clock);
    OpenTwoDecks(form, true);
    form.View().SetStyle(state.range(1) == 1 ? vexa::TableStyle::Felt : vexa::TableStyle::Classic);
    QApplication::processEvents();
    state.counters["scale"] = form.View().Scale();
    QVariantAnimation& animation = form.View().Flights().Animation();
    const bool running = state.range(0) == 1;

    std::vector<double> frames;
    double seconds = 0;
    int counted = 0, cards = 0;
    using Clock = std::chrono::steady_clock;
    Clock::time_point last;
    const auto tick = QObject::connect(&animation, &QVariantAnimation::valueChanged, [&] {
        if (!running) return;
        const Clock::time_point now = Clock::now();
        if (counted++ > 0) frames.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    });
    for (auto _ : state) {
        state.PauseTiming();
        form.NewHand(vexa::NewHandKind::Deal);
        QApplication::processEvents();
        const int before = form.State().Board.FindPile("PILE1")->Count();
        state.ResumeTiming();
        const auto start = Clock::now();
        form.Autoplay();
        // The click's own repaint (the cards leave the column) is timed by
        // the click benchmark above; the frames start after it.
        QApplication::sendPostedEvents();
        QApplication::processEvents();
        counted = 0;
        if (running) {
            while (form.View().Animating()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        } else {
            for (int time = 16; form.View().Animating(); time += 16) {
                const auto frame = Clock::now();
                animation.setCurrentTime(std::min(time, animation.duration()));
                if (time >= animation.duration()) form.View().FinishAnimations();
                QApplication::sendPostedEvents();
                QApplication::processEvents();
                frames.push_back(std::chrono::duration<double, std::milli>(Clock::now() - frame).count());
            }
        }
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        seconds += running ? took.count() : 0;
        cards += before - form.State().Board.FindPile("PILE1")->Count();
    }
    QObject::disconnect(tick);
    state.counters["cards_per_run"] = static_cast<double>(cards) / static_cast<double>(state.iterations());
    state.counters["frames"] = static_cast<double>(frames.size());
    state.counters["frame_p50_ms"] = Percentile(frames, 50);
    state.counters["frame_p99_ms"] = Percentile(frames, 99);
    if (running) {
        state.counters["frames_per_s"] = static_cast<double>(frames.size() + state.iterations()) / seconds;
    } else {
        double total = 0;
        for (double frame : frames) total += frame;
        state.counters["frames_per_s"] = frames.empty() ? 0 : 1000.0 * static_cast<double>(frames.size()) / total;
    }
}
BENCHMARK(BM_AutoplayFrames)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1});

// The floor of the running frames above: an animation of 2 seconds that
// draws nothing, its ticks timed the same way.
void BM_BareAnimationTicks(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    std::vector<double> frames;
    double seconds = 0;
    for (auto _ : state) {
        QVariantAnimation animation;
        animation.setStartValue(0.0);
        animation.setEndValue(1.0);
        animation.setDuration(2000);
        int counted = 0;
        Clock::time_point last;
        QObject::connect(&animation, &QVariantAnimation::valueChanged, [&] {
            const Clock::time_point now = Clock::now();
            if (counted++ > 0) frames.push_back(std::chrono::duration<double, std::milli>(now - last).count());
            last = now;
        });
        const auto start = Clock::now();
        animation.start();
        counted = 0;
        while (animation.state() == QAbstractAnimation::Running)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        seconds += took.count();
    }
    state.counters["frame_p50_ms"] = Percentile(frames, 50);
    state.counters["frame_p99_ms"] = Percentile(frames, 99);
    state.counters["frames_per_s"] = static_cast<double>(frames.size() + state.iterations()) / seconds;
}
BENCHMARK(BM_BareAnimationTicks)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
