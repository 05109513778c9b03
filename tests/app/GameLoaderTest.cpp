// Choosing and loading games from real catalogue and definition files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <limits>
#include <sstream>

#include "app/GameLoader.h"
#include "app/NewHand.h"
#include "core/Session.h"
#include "core/VexaError.h"
#include "defs/IniFile.h"
#include "records/Statistics.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"

namespace vexa {
namespace {

const char* const Catalogue =
    "[Gamelist]\n"
    "zeta=zeta.ini\n"
    "Alpha=alpha.ini\n"
    "broken=broken.ini\n"
    "Missing=nowhere.ini\n"
    "[Alpha]\n"
    "GamesPlayed=3\n"
    "TotalScore=100\n"
    "GamesWon=1\n"
    "[General]\n"
    "TimeInGame=1,5\n";

const char* const Alpha =
    "[Alpha]\n"
    "Name=Alpha game\n"
    "Redeals=2\n"
    "Formwidth=500\n"
    "Formheight=300\n"
    "Autoplay=0\n"
    "PILE1=10,10,71,96,2,0,90,0,0,402,301,0,0,DDD\n"
    "PILE2=100,10,SAME\n"
    "pileX=10,120,71,300,0,2,3,109,208,401,0,0,0,DU\n"
    "HELP1=First,\n"
    "HELP2=part.\n"
    "HELP3=N\n"
    "Helpfile=Second\n"
    "BUTTON1=300,10,75,25,1,\"&Hide pile\"\n";

class Loader : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Write("vexasolit.ini", Catalogue);
        dir.Write("alpha.ini", Alpha);
        dir.Write("zeta.ini", "[zeta]\nName=Z\nPILE1=0,0,71,96,2,2,0,0,0,402,0,0,0,U\n");
        dir.Write("broken.ini",
                  "[broken]\nName=B\nPILE1=0,0,71,96,2,2,0,0,0,402,0,0,0,U\nBUTTON1=0,100,75,25,1,Go\n"
                  "PILE2=80,0,SAME\nPILE3=160,0,71,96,2,2,0,0,0,402,0,0,0,U\n");
        session = std::make_unique<Session>(pictures, ui, clock, 1024, 768);
        CreateChooser(*session);
    }
    void Choose(const std::string& name)
    {
        const auto& items = session->Chooser.Items;
        session->Chooser.ItemIndex = static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
        SelectGame(*session);
    }
    std::string LoadError(const std::string& definition)
    {
        dir.Write("broken.ini", "[broken]\n" + definition);
        return test::ErrorOf([&] { Choose("broken"); });
    }

    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
    NullPictureSource pictures;
    test::RecordingUi ui;
    test::ManualClock clock;
    std::unique_ptr<Session> session;
};

TEST_F(Loader, ChooserListsGamesWithoutRegardToCaseAndReadsTheTimeWithACommaToo)
{
    EXPECT_EQ(session->Chooser.Items, (std::vector<std::string>{"Alpha", "broken", "Missing", "zeta"}));
    EXPECT_EQ(session->Chooser.ItemIndex, 0);
    EXPECT_DOUBLE_EQ(session->PlayTime, 1.5);
    EXPECT_TRUE(session->Welcome);
    EXPECT_EQ(session->HelpText, StartupHint);
}

TEST_F(Loader, LoadBuildsTheTableFromTheDefinition)
{
    Choose("Alpha");
    const Session& s = *session;
    EXPECT_FALSE(s.Welcome);
    EXPECT_FALSE(s.Board.FindControl("Label1")->Visible);
    EXPECT_EQ(s.Caption, "Vexa Solitaire:  Alpha game");
    EXPECT_EQ(s.WindowBounds, (Rect{262, 234, 500, 300}));
    EXPECT_EQ(s.HelpText, "First, part. \r\n\r\nSecond ");
    EXPECT_TRUE(s.Menu.Deal && s.Menu.Restart);
    EXPECT_FALSE(s.Menu.Undo);
    EXPECT_FALSE(s.Menu.Autoplay);
    EXPECT_EQ(s.Menu.ScoreCaption, "             Your score = 0");
    EXPECT_EQ(s.RedealsLeft, 2);
    EXPECT_EQ(s.Stats.GamesPlayed, 3);

    const Table& t = s.Board;
    ASSERT_EQ(t.ControlCount(), 9);  // 3 pictures, Label1, Fritz, 3 piles, 1 button
    Pile* second = t.PileAt(6);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Name, "PILE2");
    EXPECT_EQ(second->Bounds, (Rect{100, 10, 71, 96}));
    EXPECT_EQ(second->ClickAction, 301);
    EXPECT_EQ(second->DealPattern, "DDD");  // SAME copies the pattern too
    EXPECT_EQ(second->Count(), 3);
    EXPECT_EQ(t.PileAt(7)->Name, "pileX");
    EXPECT_EQ(t.KindRange(0).first, 5);
    EXPECT_EQ(t.KindRange(0).last, 6);
    EXPECT_EQ(t.KindRange(2).first, 7);
    const auto* button = static_cast<const GameButton*>(t.ControlAt(8));
    EXPECT_EQ(button->Caption, "&Hide pile");
    EXPECT_EQ(button->Tag, 1);
    // Stocks holding cards show no hint.
    EXPECT_FALSE(t.PileAt(5)->ShowHint);
}

TEST_F(Loader, WindowLargerThanTheScreenGoesToTheCorner)
{
    session->ScreenWidth = 400;
    Choose("Alpha");
    EXPECT_EQ(session->WindowBounds, (Rect{0, 0, 500, 300}));
}

TEST_F(Loader, AWindowSizeBelowZeroGoesToTheCornerToo)
{
    dir.Write("broken.ini", "[broken]\nFormwidth=-2147483648\nFormheight=300\n");
    Choose("broken");
    EXPECT_EQ(session->WindowBounds, (Rect{0, 0, -2147483647 - 1, 300}));
    dir.Write("broken.ini", "[broken]\nFormwidth=300\nFormheight=-5\n");
    Choose("broken");
    EXPECT_EQ(session->WindowBounds, (Rect{0, 0, 300, -5}));
}

TEST_F(Loader, MissingDefinitionGivesAnEmptyTableWithDefaults)
{
    Choose("Missing");
    EXPECT_EQ(session->Caption, "Vexa Solitaire:  ");
    EXPECT_EQ(session->HelpText, "Sorry, no information available.");
    EXPECT_EQ(session->Board.ControlCount(), 5);
    EXPECT_EQ(session->WindowBounds, (Rect{192, 164, 640, 440}));
    EXPECT_TRUE(session->Menu.Autoplay);
}

TEST_F(Loader, AnEntryNamingTheCatalogueOrAFolderLoadsAnEmptyTableAndKeepsTheCatalogue)
{
    std::filesystem::create_directory(dir.Path() / "sub");
    dir.Write("vexasolit.ini", "[Gamelist]\nSelf=vexasolit.ini\nDir=sub\nzeta=zeta.ini\n");
    CreateChooser(*session);
    for (const char* game : {"Self", "Dir", "Self", "zeta"}) {
        SCOPED_TRACE(game);
        Choose(game);
        EXPECT_FALSE(session->Inert);
        EXPECT_EQ(session->Board.ControlCount(), std::string(game) == "zeta" ? 6 : 5);
    }
    // Leaving "Self" wrote its statistics into the file it was read from;
    // loading it again found only those, and the game list is untouched.
    const IniFile catalogue("vexasolit.ini");
    EXPECT_EQ(catalogue.ReadKeys("Gamelist"), (std::vector<std::string>{"Self", "Dir", "zeta"}));
    EXPECT_EQ(catalogue.ReadString("Self", "GamesPlayed"), "0");
    EXPECT_EQ(catalogue.ReadString("Dir", "GamesPlayed"), "0");
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "sub"));
}

TEST_F(Loader, ErrorsNameTheFault)
{
    EXPECT_EQ(LoadError("PILE1=0,0,71,96,2,2,0,0,0,402,0,0\n"), "List index out of bounds (12)");
    EXPECT_EQ(LoadError("PILE1=0,0,7x,96,2,2,0,0,0,402,0,0,0,U\n"), "'7x' is not a valid integer value");
    EXPECT_EQ(LoadError("PILE 1=0,0,71,96,2,2,0,0,0,402,0,0,0,U\n"), "''PILE 1'' is not a valid component name");
    EXPECT_EQ(LoadError("PILE1=0,0,71,96,2,2,0,0,0,402,0,0,0,U\nPile1=1,1,SAME\n"), "");  // one key
    EXPECT_EQ(LoadError("PILE1=0,0,71,96,2,2,0,0,0,402,0,0,0,U\nPILE_1=1,1,SAME\nBUTTONpile_1=0,0,1,1,1,x\n"), "");
    EXPECT_EQ(LoadError("PILEa=0,0,71,96,2,2,0,0,0,402,0,0,0,U\nBUTTONa=0,0,1,1,1,x\nBUTTONA2=1\n"),
              "List index out of bounds (1)");
    EXPECT_EQ(LoadError("Decks=two\n"), "'two' is not a valid integer value");
}

TEST_F(Loader, TablesWhosePositionsNeedFourDigitsAreRefused)
{
    // Undo records keep a pile's position in three digits: 995 controls fit
    // after the carry pile at position 4, the 996th is refused.
    std::string lines = "PILE0=0,0,71,96,2,2,0,0,0,402,0,0,0,U\n";
    for (int i = 1; i < 994; ++i) lines += "PILE" + std::to_string(i) + "=0,0,SAME\n";
    lines += "BUTTON1=0,0,1,1,1,x\n";
    EXPECT_EQ(LoadError(lines), "");
    EXPECT_EQ(session->Board.ControlCount(), 1000);
    EXPECT_EQ(LoadError(lines + "BUTTON2=0,0,1,1,1,y\n"), "Too many piles and buttons: a game may have at most 995");
    EXPECT_TRUE(session->Inert);
}

TEST_F(Loader, DuplicateComponentNamesAreRefused)
{
    EXPECT_EQ(LoadError("PILEa=0,0,71,96,2,2,0,0,0,402,0,0,0,U\nBUTTONb=0,0,1,1,1,x\nPILEB=1,1,SAME\n"),
              "Invalid class typecast");
    dir.Write("broken.ini", "[broken]\nPILEone=0,0,71,96,2,2,0,0,0,402,0,0,0,U\nBUTTONx=1,1,1,1,1,x\n");
    Choose("broken");
    EXPECT_NE(session->Board.FindControl("buttonX"), nullptr);  // names compare without case
}

TEST_F(Loader, FailedLoadKeepsWhatWasBuiltButLeavesItInert)
{
    Choose("Alpha");
    EXPECT_THROW(Choose("broken"), VexaError);
    const Session& s = *session;
    EXPECT_TRUE(s.Inert);
    EXPECT_FALSE(s.Menu.Deal || s.Menu.Restart || s.Menu.Undo || s.Menu.Autoplay);
    EXPECT_NE(s.Board.FindPile("PILE1"), nullptr);
    EXPECT_NE(s.Board.FindControl("BUTTON1"), nullptr);
    EXPECT_EQ(s.Board.FindPile("PILE3"), nullptr);
    EXPECT_EQ(s.Board.FindPile("pileX"), nullptr);   // nothing of the previous game is left
    EXPECT_EQ(session->Board.Store().Count(), 104);  // the failed load dealt nothing

    Choose("zeta");
    EXPECT_FALSE(s.Inert);
    EXPECT_TRUE(s.Menu.Deal);
    EXPECT_EQ(s.Board.FindControl("BUTTON1"), nullptr);
    EXPECT_EQ(s.Board.PileAt(5)->Count(), 1);
}

TEST_F(Loader, SameOnTheFirstPileLineMakesAnInertPileThatIsRemovedLater)
{
    dir.Write("broken.ini", "[broken]\nPILE1=5,5,SAME\nPILE2=0,0,71,96,2,2,0,0,0,402,0,0,0,UU\n");
    Choose("broken");
    const Pile* copy = session->Board.FindPile("PILE1");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Count(), 0);
    EXPECT_EQ(copy->LayoutStyle, 400);
    EXPECT_EQ(session->Board.FindPile("PILE2")->Count(), 2);
    Choose("zeta");
    EXPECT_EQ(session->Board.FindPile("PILE1")->Count(), 1);  // zeta's own pile
    EXPECT_EQ(session->Board.ControlCount(), 6);
}

TEST_F(Loader, EmptyListRefusesBeforeLeavingTheWelcomeScreen)
{
    session->Chooser.Items.clear();
    session->Chooser.ItemIndex = -1;
    EXPECT_EQ(test::ErrorOf([&] { SelectGame(*session); }), "List index out of bounds (-1)");
    EXPECT_TRUE(session->Welcome);
    EXPECT_EQ(session->Board.Window().Count(), 3);
}

TEST_F(Loader, LeavingAGameWritesItsStatisticsBeforeTheNextAreRead)
{
    Choose("Alpha");
    session->HandPlayed = true;
    session->Score = 20;
    Choose("zeta");
    const IniFile catalogue("vexasolit.ini");
    EXPECT_EQ(catalogue.ReadString("Alpha", "GamesPlayed"), "4");
    EXPECT_EQ(catalogue.ReadString("Alpha", "TotalScore"), "120");
    EXPECT_EQ(catalogue.ReadString("Alpha", "GamesWon"), "1");
    EXPECT_EQ(session->Stats.GamesPlayed, 0);

    // Reloading the same game writes, then reads back.
    session->HandPlayed = true;
    Choose("zeta");
    EXPECT_EQ(session->Stats.GamesPlayed, 1);
}

TEST_F(Loader, UnreadableStoredCountsAreNeverOverwritten)
{
    dir.Write("vexasolit.ini", std::string(Catalogue) + "[zeta]\nGamesPlayed=lots\n");
    Choose("Alpha");
    EXPECT_THROW(Choose("zeta"), VexaError);
    session->HandPlayed = true;
    Shutdown(*session);
    EXPECT_EQ(IniFile("vexasolit.ini").ReadString("zeta", "GamesPlayed"), "lots");
    EXPECT_EQ(IniFile("vexasolit.ini").ReadString("Alpha", "GamesPlayed"), "3");
}

TEST_F(Loader, StatisticsShowZerosWhileTheNewGameCountsAreUnread)
{
    dir.Write("vexasolit.ini", std::string(Catalogue) + "[zeta]\nGamesPlayed=2\nGamesWon=lots\n");
    Choose("Alpha");  // 3 played, 100 total, 1 won
    EXPECT_THROW(Choose("zeta"), VexaError);
    const StatsFigures f = OpenStatistics(*session);
    EXPECT_EQ(f.Title, "zeta");
    EXPECT_EQ(f.Played, 0);
    EXPECT_EQ(f.Won, 0);
    EXPECT_EQ(f.Average, 0);
}

TEST_F(Loader, ShutdownWritesNothingWithoutAGameAndTheTimeWithAPointOtherwise)
{
    const std::string before = dir.Read("vexasolit.ini");
    Shutdown(*session);
    EXPECT_EQ(dir.Read("vexasolit.ini"), before);

    Choose("zeta");
    clock.now += 0.25;  // the active period up to the exit counts
    Shutdown(*session);
    EXPECT_EQ(IniFile("vexasolit.ini").ReadString("General", "TimeInGame"), "1.75");
    EXPECT_EQ(IniFile("vexasolit.ini").ReadString("zeta", "GamesPlayed"), "0");
}

TEST_F(Loader, WriteErrorNamesTheCatalogueInTheCurrentFolder)
{
    Choose("zeta");
    namespace fs = std::filesystem;
    const fs::path catalogue = dir.Path() / "vexasolit.ini";
    const std::string before = dir.Read("vexasolit.ini");
    fs::permissions(catalogue, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(test::ErrorOf([&] { Shutdown(*session); }), "Unable to write to ./vexasolit.ini");
    EXPECT_EQ(dir.Read("vexasolit.ini"), before);
}

// The example definition that the README teaches, taken as written: the
// indented block of the section on writing games that holds a section
// header and HELP lines (else the first block with HELP lines).
std::string ReadmeExample()
{
    const char* source = std::getenv("VEXA_SOURCE_DIR");
    if (!source) return "";
    std::istringstream readme(test::ReadFile(std::filesystem::path(source) / "README.md"));
    std::string line, block, any, whole;
    bool inSection = false;
    while (std::getline(readme, line)) {
        if (line.rfind("## ", 0) == 0) inSection = line == "## Writing a game";
        if (!inSection) continue;
        if (line.rfind("    ", 0) == 0) {
            block += line.substr(4) + "\n";
        } else if (!line.empty()) {
            if (block.find("\nHELP") != std::string::npos) {
                if (any.empty()) any = block;
                if (whole.empty() && block.rfind("[", 0) == 0) whole = block;
            }
            block.clear();
        }
    }
    if (!whole.empty()) return whole;
    return any.empty() ? "" : "[Example]\n" + any;
}

TEST_F(Loader, TheReadmeExampleLoadsAsItReads)
{
    const std::string example = ReadmeExample();
    ASSERT_FALSE(example.empty()) << "no example definition in README.md";
    const std::string name = example.substr(1, example.find(']') - 1);
    dir.Write("vexasolit.ini", "[Gamelist]\n" + name + "=example.ini\n");
    dir.Write("example.ini", example);
    CreateChooser(*session);
    EXPECT_EQ(test::ErrorOf([&] { Choose(name); }), "");
    EXPECT_EQ(session->HelpText, "Free text of the How to Play window. \r\n\r\nMore text after the break. ");
    ASSERT_NE(session->Board.FindPile("PILE03"), nullptr);
    EXPECT_EQ(session->Board.FindPile("PILE03")->Count(), 2);
    EXPECT_EQ(session->Board.FindPile("PILE03")->DealPattern, "DU");
    EXPECT_FALSE(session->Menu.Undo);
    EXPECT_TRUE(session->Menu.Deal);
}

TEST_F(Loader, FocusChangesFoldTimeOnce)
{
    clock.now += 0.5;
    ApplicationDeactivated(*session);
    ApplicationDeactivated(*session);
    clock.now += 10;
    ApplicationActivated(*session);
    clock.now += 0.25;
    ApplicationDeactivated(*session);
    EXPECT_DOUBLE_EQ(session->PlayTime, 1.5 + 0.5 + 0.25);
}

}  // namespace
}  // namespace vexa

namespace vexa {
namespace {

TEST(StatsTitle, DropsTheScreenSizeSuffix)
{
    EXPECT_EQ(StatsTitle("Game X (800x600)"), "Game X");
    EXPECT_EQ(StatsTitle("Game X"), "Game X");
    EXPECT_EQ(StatsTitle("(800x600)"), "");
    EXPECT_EQ(StatsTitle(""), "");
}

TEST_F(Loader, StatisticsShowTheHandInProgressAsIfClosedWithoutChangingAnything)
{
    Choose("Alpha");  // 3 played, 100 total, 1 won
    StatsFigures f = OpenStatistics(*session);
    EXPECT_EQ(f.Title, "Alpha");
    EXPECT_EQ(f.Played, 3);
    EXPECT_EQ(f.Average, 33);
    session->HandPlayed = true;
    session->Score = 20;
    f = OpenStatistics(*session);
    EXPECT_EQ(f.Played, 4);
    EXPECT_EQ(f.Won, 1);
    EXPECT_EQ(f.Average, 30);
    EXPECT_EQ(session->Stats.GamesPlayed, 3);
    EXPECT_EQ(session->Stats.TotalScore, 100);

    session->HandPlayed = false;
    session->Stats = {2, -7, 0};
    EXPECT_EQ(OpenStatistics(*session).Average, -3);
    session->Stats = {-1, 5, 0};  // a hand-edited file must not break the dialog
    session->HandPlayed = true;
    EXPECT_EQ(OpenStatistics(*session).Average, 0);
}

TEST_F(Loader, StatisticsClampFiguresThatWouldOverflow)
{
    Choose("Alpha");
    session->PlayTime = 1e300;
    StatsFigures f = OpenStatistics(*session);
    EXPECT_EQ(f.Days, std::numeric_limits<long long>::max());
    EXPECT_EQ(f.Hours, 0);
    EXPECT_EQ(f.Minutes, 0);
    session->PlayTime = -1e300;
    EXPECT_EQ(OpenStatistics(*session).Days, std::numeric_limits<long long>::min());
    session->PlayTime = std::numeric_limits<double>::infinity();
    EXPECT_EQ(OpenStatistics(*session).Days, std::numeric_limits<long long>::max());
    session->PlayTime = std::numeric_limits<double>::quiet_NaN();
    f = OpenStatistics(*session);
    EXPECT_EQ(f.Days, 0);
    EXPECT_EQ(f.Hours, 0);

    // The hand in progress on top of the largest stored counts.
    constexpr int most = std::numeric_limits<int>::max();
    session->Stats = {most, most, most};
    session->HandPlayed = true;
    session->Score = 52;
    f = OpenStatistics(*session);
    EXPECT_EQ(f.Played, most);
    EXPECT_EQ(f.Won, most);
    EXPECT_EQ(f.Average, 1);
}

TEST_F(Loader, StatisticsFoldTheRunningTimeAndSplitDaysHoursMinutes)
{
    session->PlayTime = 1.0;
    clock.now += 0.5;
    StatsFigures f = OpenStatistics(*session);
    EXPECT_EQ(f.Title, "");
    EXPECT_EQ(f.Days, 1);
    EXPECT_EQ(f.Hours, 12);
    EXPECT_EQ(f.Minutes, 0);
    f = OpenStatistics(*session);  // the same period is not counted twice
    EXPECT_EQ(f.Hours, 12);
    session->PlayTime = 61.0 / 1440.0;
    f = OpenStatistics(*session);
    EXPECT_EQ(f.Days, 0);
    EXPECT_EQ(f.Hours, 1);
    EXPECT_EQ(f.Minutes, 1);
    // Days, hours and minutes all come from the time rounded to the
    // millisecond: a time that rounds to a whole day shows that day.
    const struct {
        double time;
        long long days;
        int hours, minutes;
    } rounded[] = {{0.999999999, 1, 0, 0},
                   {-0.999999999, -1, 0, 0},
                   {2.9999999999, 3, 0, 0},
                   {0.9999999, 0, 23, 59},
                   {1.0 - 1.0 / 86400000.0, 0, 23, 59}};
    for (const auto& r : rounded) {
        session->PlayTime = r.time;
        f = OpenStatistics(*session);
        EXPECT_EQ(f.Days, r.days) << r.time;
        EXPECT_EQ(f.Hours, r.hours) << r.time;
        EXPECT_EQ(f.Minutes, r.minutes) << r.time;
    }
}

}  // namespace
}  // namespace vexa

namespace vexa {
namespace {

std::vector<std::string> Position(const Table& table)
{
    std::vector<std::string> piles;
    for (int p = 0; p < table.ControlCount(); ++p)
        if (const Pile* pile = table.PileAt(p)) piles.push_back(pile->Name + ": " + test::Describe(*pile));
    return piles;
}

TEST_F(Loader, RestartDealsTheSameHandWithoutCountingIt)
{
    Choose("Alpha");
    const auto dealt = Position(session->Board);
    Pile& stock = *session->Board.FindPile("PILE1");
    session->Board.MoveCard(*stock.Top(), session->Board.DragPile());  // as if carried
    session->Carrying = true;
    session->Board.FindPile("pileX")->Visible = false;
    session->HandPlayed = true;
    session->RedealsLeft = 0;
    session->OneTimeMove = -1;
    DealNewHand(*session, NewHandKind::Restart);
    EXPECT_EQ(Position(session->Board), dealt);
    EXPECT_FALSE(session->Carrying);
    EXPECT_EQ(session->Board.DragPile().Count(), 0);
    EXPECT_TRUE(session->Board.FindPile("pileX")->Visible);
    EXPECT_EQ(session->RedealsLeft, 2);
    EXPECT_EQ(session->OneTimeMove, 1);
    EXPECT_FALSE(session->HandPlayed);
    EXPECT_EQ(session->Stats.GamesPlayed, 3);
}

TEST_F(Loader, NewDealCountsAPlayedHandOnly)
{
    Choose("Alpha");
    const auto dealt = Position(session->Board);
    DealNewHand(*session, NewHandKind::Deal);
    EXPECT_EQ(session->Stats.GamesPlayed, 3);  // no move in that hand
    EXPECT_NE(Position(session->Board), dealt);
    session->HandPlayed = true;
    session->Score = 7;
    DealNewHand(*session, NewHandKind::Deal);
    EXPECT_EQ(session->Stats.GamesPlayed, 4);
    EXPECT_EQ(session->Stats.TotalScore, 107);
    EXPECT_EQ(session->Stats.GamesWon, 1);
    EXPECT_FALSE(session->HandPlayed);
    EXPECT_EQ(session->Menu.ScoreCaption, "             Your score = 0");
}

}  // namespace
}  // namespace vexa
