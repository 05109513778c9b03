// How fast the core plays: clicks through the click dispatcher with the undo
// journal's snapshot and step included, on Klondike and on a two-deck game,
// and undoing a long hand. The clicks are a recorded random hand of
// clickable cards and piles (mostly onto piles that take the carried cards),
// replayed from the same restarted deal in every iteration.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "app/GameLoader.h"
#include "app/NewHand.h"
#include "core/Session.h"
#include "records/UndoJournal.h"
#include "rules/ClickDispatch.h"
#include "rules/MoveRules.h"
#include "support/FakeEnvironment.h"

namespace vexa {
namespace {

std::string TwoDecks()
{
    std::string text = "[Two decks]\nDecks=2\nFormwidth=1000\nFormheight=700\nRedeals=1\n";
    text += "PILE00=10,10,71,96,2,0,90,0,0,402,301,0,0," + std::string(64, 'D') + "\n";
    text += "PILE01=100,10,71,96,2,1,1,0,0,402,0,0,0,-\n";
    for (int i = 0; i < 8; ++i)
        text +=
            "PILE1" + std::to_string(i) + "=" + std::to_string(200 + 80 * i) + ",10,71,96,2,3,0,106,203,402,0,0,0,-\n";
    for (int i = 0; i < 10; ++i)
        text += "PILE2" + std::to_string(i) + "=" + std::to_string(10 + 90 * i) +
                ",120,71,500,0,2,1,102,201,401,0,0,0,UUUU\n";
    return text;
}

class Game {
public:
    explicit Game(const std::string& name) : session(pictures, ui, clock, 1920, 1080)
    {
        const auto folder = std::filesystem::temp_directory_path() / "vexa-click-bench";
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(std::filesystem::path(VEXA_GAMES_DIR) / "klondike.ini", folder / "klondike.ini",
                                   std::filesystem::copy_options::overwrite_existing);
        std::ofstream(folder / "two.ini") << TwoDecks();
        std::ofstream(folder / "vexasolit.ini") << "[Gamelist]\nKlondike=klondike.ini\nTwo decks=two.ini\n";
        std::filesystem::current_path(folder);
        CreateChooser(session);
        const auto& items = session.Chooser.Items;
        session.Chooser.ItemIndex = static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
        session.Rng.Seed(4242);
        SelectGame(session);
        Record();
    }

    // Plays a random hand once and keeps its clicks.
    void Record()
    {
        std::mt19937 random(7);
        Table& table = session.Board;
        while (clicks.size() < 20000) {
            std::vector<Control*> targets;
            for (int i = 1; i <= CardCount; ++i)
                if (CanClickCard(session, table.CardAt(i))) targets.push_back(&table.CardAt(i));
            for (int position = 0; position < table.ControlCount(); ++position)
                if (Pile* pile = table.PileAt(position); pile && CanClickPileArea(session, *pile))
                    targets.push_back(pile);
            if (session.Carrying) {
                std::vector<Control*> accepting{session.OriginPile};
                for (Control* target : targets) {
                    const Pile* pile = target->Type() == ControlType::Card
                                           ? dynamic_cast<const Pile*>(static_cast<Card*>(target)->Parent())
                                           : static_cast<const Pile*>(target);
                    const MovedCards moved{table.DragPile(), 0};
                    if (pile && pile != session.OriginPile &&
                        (pile->Count() > 0 ? DropRuleAccepts(session, *pile, moved)
                                           : EmptyDropRuleAccepts(session, *pile, moved)))
                        accepting.push_back(target);
                }
                if (random() % 4 != 0) targets = accepting;
            }
            Control* target = targets[random() % targets.size()];
            clicks.push_back(target);
            DispatchClick(session, target);
        }
        recordedSteps = session.Journal.UndoSteps.size();
        Restart();
    }

    void Restart()
    {
        DealNewHand(session, NewHandKind::Restart);
        TakeSnapshot(session, SnapshotSide::Before);
    }

    NullPictureSource pictures;
    test::RecordingUi ui;
    test::ManualClock clock;
    Session session;
    std::vector<Control*> clicks;
    std::size_t recordedSteps = 0;  // undo steps the recorded hand leaves
};

void Clicks(benchmark::State& state, const char* name)
{
    Game game(name);
    for (auto _ : state) {
        for (Control* target : game.clicks) DispatchClick(game.session, target);
        state.PauseTiming();
        game.Restart();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(game.clicks.size()));
    state.counters["steps"] = static_cast<double>(game.recordedSteps);
}

void UndoHand(benchmark::State& state, const char* name)
{
    Game game(name);
    std::size_t steps = 0;
    for (auto _ : state) {
        state.PauseTiming();
        game.Restart();
        for (Control* target : game.clicks) DispatchClick(game.session, target);
        if (game.session.Carrying) DispatchClick(game.session, game.session.OriginPile);
        steps = game.session.Journal.UndoSteps.size();
        state.ResumeTiming();
        while (!game.session.Journal.UndoSteps.empty()) UndoLastStep(game.session);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(steps));
    state.counters["steps"] = static_cast<double>(steps);
}

// Fixed iteration counts: each undo iteration first replays the whole hand
// untimed, which would make a time-based run take minutes.
BENCHMARK_CAPTURE(Clicks, Klondike, "Klondike")->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK_CAPTURE(Clicks, TwoDecks, "Two decks")->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK_CAPTURE(UndoHand, Klondike, "Klondike")->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK_CAPTURE(UndoHand, TwoDecks, "Two decks")->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace
}  // namespace vexa

BENCHMARK_MAIN();
