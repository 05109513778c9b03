// How long the player waits: from OK in the chooser to the dealt table on
// screen (load, deal, widget update and a full repaint), for a one-deck and
// a two-deck game; and the core's shuffle and deal alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include <QApplication>

#include "app/GameLoader.h"
#include "app/MainWindow.h"
#include "cards/CardLibrary.h"
#include "support/FakeEnvironment.h"

namespace {

const char* const Catalogue = "[Gamelist]\nOne deck=one.ini\nTwo decks=two.ini\n";
// Klondike-like, and a two-deck game with ten columns of ten and a stock.
const char* const OneDeck =
    "[One deck]\nFormwidth=800\nFormheight=600\n"
    "PILE01=50,10,71,96,2,0,90,0,0,402,301,0,0,DDDDDDDDDDDDDDDDDDDDDDDD\n"
    "PILE02=150,10,71,96,2,1,1,0,0,402,0,0,0,-\n"
    "PILE03=50,120,71,400,0,2,3,109,208,401,0,0,0,U\n"
    "PILE04=150,120,71,400,0,2,3,109,208,401,0,0,0,DU\n"
    "PILE05=250,120,71,400,0,2,3,109,208,401,0,0,0,DDU\n"
    "PILE06=350,120,71,400,0,2,3,109,208,401,0,0,0,DDDU\n"
    "PILE07=450,120,71,400,0,2,3,109,208,401,0,0,0,DDDDU\n"
    "PILE08=550,120,71,400,0,2,3,109,208,401,0,0,0,DDDDDU\n"
    "PILE09=650,120,71,400,0,2,3,109,208,401,0,0,0,DDDDDDU\n";

std::string TwoDecks()
{
    std::string text = "[Two decks]\nDecks=2\nFormwidth=1000\nFormheight=700\n";
    text += "PILE00=10,10,71,96,2,0,90,0,0,402,301,0,0," + std::string(4, 'D') + "\n";
    for (int i = 0; i < 10; ++i)
        text += "PILE" + std::to_string(10 + i) + "=" + std::to_string(10 + 90 * i) +
                ",120,71,500,0,2,1,102,201,401,0,0,0,DDDDDDDDDU\n";
    for (int i = 0; i < 8; ++i)
        text += "PILE" + std::to_string(30 + i) + "=" + std::to_string(200 + 80 * i) +
                ",10,71,96,2,3,0,106,203,402,0,0,0,-\n";
    return text;
}

struct Fixture {
    Fixture()
    {
        folder = std::filesystem::temp_directory_path() / "vexa-bench";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "vexasolit.ini") << Catalogue;
        std::ofstream(folder / "one.ini") << OneDeck;
        std::ofstream(folder / "two.ini") << TwoDecks();
        std::filesystem::current_path(folder);
    }
    std::filesystem::path folder;
};

void LoadAndShow(benchmark::State& state, int item)
{
    static Fixture fixture;
    vexa::CardLibrary library({QString::fromLocal8Bit(qgetenv("VEXA_CARDS_DIR"))});
    vexa::test::ManualClock clock;
    vexa::MainWindow form(library, clock);
    form.show();
    QApplication::processEvents();
    for (auto _ : state) {
        form.State().Chooser.ItemIndex = item;
        vexa::SelectGame(form.State());
        form.Render();
        form.repaint();
        QApplication::processEvents();
    }
}

void BM_LoadOneDeck(benchmark::State& state) { LoadAndShow(state, 0); }
void BM_LoadTwoDecks(benchmark::State& state) { LoadAndShow(state, 1); }
BENCHMARK(BM_LoadOneDeck)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_LoadTwoDecks)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
