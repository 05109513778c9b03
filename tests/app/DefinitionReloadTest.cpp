// A definition edited while its game is on the table: the bar over the
// table, its counts and findings, Reload, and what never changes the table
// (the edit itself, a broken file, the program's own writes). The window
// runs on the offscreen platform; each wait spins the event loop until the
// file watch has looked, with a guard that only turns a hang into a failure.
#include <filesystem>
#include <functional>
#include <sstream>

#include <QAction>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "app/DefinitionChecker.h"
#include "app/DefinitionReload.h"
#include "app/ReloadBar.h"
#include "core/VexaError.h"
#include "dialogs/FindingsDialog.h"
#include "dialogs/GameChooser.h"
#include "support/WindowTest.h"

namespace vexa {
namespace {

// A stock that deals to a waste, and a column.
const char* const Definition =
    "[Test]\nName=Test\nFormwidth=600\nFormheight=400\n"
    "PILE1=10,10,71,96,2,0,90,0,0,402,301,0,0,DDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDD\n"
    "PILE2=100,10,71,96,2,1,1,0,0,402,0,0,0,-\n"
    "PILE3=200,10,71,150,0,2,3,109,208,401,0,0,0,DDDDDU\n";

std::string With(const std::string& line, const std::string& replacement)
{
    std::string text = Definition;
    const std::size_t at = text.find(line);
    const std::size_t end = text.find('\n', at);
    return text.replace(at, end - at, replacement);
}

TEST(FindingsCount, SaysEachCountInItsNumber)
{
    const struct {
        int errors, warnings;
        const char* text;
    } cases[] = {
        {0, 0, "No errors or warnings"},
        {1, 0, "1 error"},
        {2, 0, "2 errors"},
        {0, 1, "1 warning"},
        {1, 2, "1 error, 2 warnings"},
        {12, 1, "12 errors, 1 warning"},
    };
    for (const auto& c : cases) EXPECT_EQ(FindingsCount(c.errors, c.warnings).toStdString(), c.text);
}

class DefinitionReloadTest : public test::WindowTest {
protected:
    void SetUp() override
    {
        dir.Write("vexasolit.ini", "[Gamelist]\nTest=test.ini\n");
        dir.Write("test.ini", Definition);
        Open();
        Choose("Test");
    }

    // Chooses the game through the chooser, which starts the file watch.
    void Choose(const std::string& name)
    {
        const auto& items = form->State().Chooser.Items;
        form->Chooser().SetItemIndex(static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin()));
        QTimer::singleShot(0, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                QTest::keyClick(modal->findChild<QWidget*>("Gamelist"), Qt::Key_Return);
        });
        form->ChooseGame();
        ASSERT_EQ(form->State().CurrentGame, name);
    }

    // Replaces a file as editors do: a new file renamed over the old one.
    void Save(const std::string& name, const std::string& content)
    {
        dir.Write(name + ".new", content);
        std::filesystem::rename(dir.Path() / (name + ".new"), dir.Path() / name);
    }

    // Spins the event loop until done holds; the guard only ends a hang.
    static bool Until(const std::function<bool()>& done)
    {
        const QDeadlineTimer guard(60000);
        while (!done() && !guard.hasExpired()) QTest::qWait(5);
        return done();
    }
    // Acts, then sees no bar once the watch has looked at the files again.
    void ExpectNoBarAfter(const std::function<void()>& act)
    {
        const int looks = form->Reload().Watch().Looks();
        act();
        ASSERT_TRUE(Until([&] { return form->Reload().Watch().Looks() > looks; }));
        EXPECT_TRUE(Bar().isHidden());
    }

    ReloadBar& Bar() { return form->Reload().Bar(); }
    // Every pile's cards, and the table view's place and scale.
    std::string Table()
    {
        std::string text;
        for (const char* name : {"PILE1", "PILE2", "PILE3"}) {
            const Pile& pile = PileNamed(name);
            text += Format("%s %d,%d: ", name, pile.Bounds.left, pile.Bounds.top) + test::Describe(pile) + "\n";
        }
        const QRect view = form->View().geometry();
        return text + Format("view %d,%d %dx%d at %.3f", view.x(), view.y(), view.width(), view.height(),
                             form->View().Scale());
    }
    // Accepts the error box the next load shows and keeps its text.
    void CatchErrorBox(QString& text)
    {
        QTimer::singleShot(0, [&text] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                text = box->text();
                box->accept();
            }
        });
    }
};

TEST_F(DefinitionReloadTest, AnEditShowsTheBarAndOnlyReloadMovesThePile)
{
    // A hand in progress: one card dealt from the stock to the waste.
    form->Click(PileNamed("PILE1").Top());
    ASSERT_EQ(PileNamed("PILE2").Count(), 1);
    const std::string before = Table();
    QPointer<PileWidget> column = PileView("PILE3");
    EXPECT_TRUE(Bar().isHidden());

    // The column moves, and a pile with a layout the program does not know
    // gives one warning.
    Save("test.ini", With("PILE3=",
                          "PILE3=300,120,71,150,0,2,3,109,208,401,0,0,0,DDDDDU\n"
                          "PILE4=400,10,71,96,2,3,0,0,0,499,0,0,0,-"));
    ASSERT_TRUE(Until([&] { return Bar().isVisible(); }));
    EXPECT_EQ(Bar().Text(), "The definition of Test changed.");
    EXPECT_EQ(Bar().Count(), "1 warning");
    EXPECT_TRUE(Bar().CanReload());
    // The bar lies over the table's top edge: nothing on the table moved.
    EXPECT_EQ(Bar().geometry().topLeft(), form->View().geometry().topLeft());
    EXPECT_EQ(Bar().width(), form->View().width());
    EXPECT_EQ(Table(), before);
    EXPECT_FALSE(column.isNull());
    EXPECT_EQ(form->State().Journal.UndoSteps.size(), 1u);

    // The findings, one click away, as the checker prints them for a
    // catalogue of this one game.
    emit Bar().FindingsAsked();
    FindingsDialog& findings = form->Reload().Findings();
    EXPECT_TRUE(findings.isVisible());
    std::ostringstream printed;
    PrintReport(CheckCatalogue(), printed);
    EXPECT_EQ(findings.Findings().toStdString(), printed.str());
    EXPECT_EQ(findings.Findings().toStdString(),
              "test.ini:8: warning: PILE4: LayoutStyle 499 is no known style\n"
              "1 game checked: 0 errors, 1 warning\n");
    findings.close();

    // Reload (F5, the button's key; the end-to-end run clicks it): a fresh
    // hand of the game as it is now, the column in its new place.
    // The offscreen platform leaves the closed findings window active.
    QApplication::setActiveWindow(form.get());
    QTest::keyClick(form.get(), Qt::Key_F5);
    // A button's key clicks it as a mouse would, after a short press.
    EXPECT_TRUE(Until([&] { return Bar().isHidden(); }));
    EXPECT_TRUE(column.isNull());
    const Pile& moved = PileNamed("PILE3");
    EXPECT_EQ(moved.Bounds.left, 300);
    EXPECT_EQ(moved.Bounds.top, 120);
    EXPECT_NE(form->State().Board.FindPile("PILE4"), nullptr);
    EXPECT_EQ(PileNamed("PILE2").Count(), 0);
    EXPECT_TRUE(form->State().Journal.UndoSteps.empty());

    // The reloaded file is the one watched now: the next edit shows again.
    Save("test.ini", With("PILE3=", "PILE3=200,10,71,150,0,2,3,109,208,401,0,0,0,DDDDDU"));
    ASSERT_TRUE(Until([&] { return Bar().isVisible(); }));
    EXPECT_EQ(Bar().Count(), "No errors or warnings");
}

TEST_F(DefinitionReloadTest, ABrokenFileIsCountedAndNeverChangesTheTable)
{
    form->Click(PileNamed("PILE1").Top());
    ASSERT_EQ(PileNamed("PILE2").Count(), 1);
    const std::string before = Table();
    QPointer<PileWidget> waste = PileView("PILE2");

    Save("test.ini", With("PILE2=", "PILE2=oops"));
    ASSERT_TRUE(Until([&] { return Bar().isVisible() && Bar().Count() == "1 error"; }));
    EXPECT_EQ(form->Reload().Report().toStdString(),
              "test.ini:6: error: 'oops' is not a valid integer value\n1 game checked: 1 error, 0 warnings\n");
    EXPECT_EQ(Table(), before);
    EXPECT_FALSE(waste.isNull());
    EXPECT_FALSE(form->State().Inert);

    // Further changes update the counts: bytes that are no definition at
    // all, then no file.
    const char garbage[] = "\0\xff\xfe[Test\n\x01=\x02";
    Save("test.ini", std::string(garbage, sizeof garbage - 1));
    ASSERT_TRUE(Until([&] { return Bar().Count() == "1 warning"; }));
    EXPECT_NE(form->Reload().Report().indexOf("has no section [Test]"), -1);
    std::filesystem::remove(dir.Path() / "test.ini");
    ASSERT_TRUE(Until([&] { return form->Reload().Report().contains("does not exist"); }));
    EXPECT_EQ(Bar().Count(), "1 warning");
    EXPECT_EQ(Table(), before);
    EXPECT_FALSE(waste.isNull());

    // The edit taken back: nothing left to reload.
    Save("test.ini", Definition);
    ASSERT_TRUE(Until([&] { return Bar().isHidden(); }));
    EXPECT_EQ(Table(), before);

    // A reload of the broken file shows the load's error as choosing the
    // game would, and leaves the table inert; the watch goes on, and the
    // mended file shows the bar again.
    Save("test.ini", With("PILE2=", "PILE2=oops"));
    ASSERT_TRUE(Until([&] { return Bar().isVisible(); }));
    QString error;
    CatchErrorBox(error);
    form->ReloadDefinition();
    EXPECT_EQ(error, "'oops' is not a valid integer value.");
    EXPECT_TRUE(form->State().Inert);
    EXPECT_TRUE(Bar().isHidden());
    Save("test.ini", Definition);
    ASSERT_TRUE(Until([&] { return Bar().isVisible(); }));
    EXPECT_EQ(Bar().Count(), "No errors or warnings");
    form->ReloadDefinition();
    EXPECT_FALSE(form->State().Inert);
    EXPECT_EQ(PileNamed("PILE2").Bounds.left, 100);
}

TEST_F(DefinitionReloadTest, OwnWritesRaiseNoBarAndTheGamesEntryDoes)
{
    // The program's own writes: settings and statistics into the catalogue,
    // the kept hand beside it, a new hand.
    const std::string catalogue = dir.Read("vexasolit.ini");
    ExpectNoBarAfter([&] {
        form->findChild<QAction*>("Felt1")->trigger();
        form->findChild<QAction*>("Animations1")->trigger();
        form->Click(PileNamed("PILE1").Top());
        form->NewHand(NewHandKind::Deal);
        ASSERT_NE(dir.Read("vexasolit.ini"), catalogue);
        ASSERT_TRUE(std::filesystem::exists(dir.Path() / "hand.ini"));
    });

    // The game's entry names another file: that is a change of the game.
    const std::string moved = With("PILE3=", "PILE3=250,40,71,150,0,2,3,109,208,401,0,0,0,DDDDDU");
    dir.Write("moved.ini", moved);
    const std::string before = Table();
    std::string entry = dir.Read("vexasolit.ini");
    entry.replace(entry.find("Test=test.ini"), 13, "Test=moved.ini");
    Save("vexasolit.ini", entry);
    ASSERT_TRUE(Until([&] { return Bar().isVisible(); }));
    EXPECT_EQ(Table(), before);
    form->ReloadDefinition();
    EXPECT_EQ(PileNamed("PILE3").Bounds.left, 250);
    // The file the entry names now is the one watched.
    Save("moved.ini", Definition);
    ASSERT_TRUE(Until([&] { return Bar().isVisible(); }));
    form->ReloadDefinition();
    EXPECT_EQ(PileNamed("PILE3").Bounds.left, 200);

    // A catalogue without the game: an error, and nothing to reload.
    Save("vexasolit.ini", "[Gamelist]\nOther=test.ini\n");
    ASSERT_TRUE(Until([&] { return Bar().isVisible(); }));
    EXPECT_EQ(Bar().Count(), "1 error");
    EXPECT_NE(form->Reload().Report().indexOf("the catalogue lists no game named Test"), -1);
    EXPECT_FALSE(Bar().CanReload());

    // The close box puts the bar away until the next change.
    QTest::mouseClick(Bar().findChild<QWidget*>("ReloadClose"), Qt::LeftButton);
    EXPECT_TRUE(Bar().isHidden());
    ExpectNoBarAfter([&] { form->NewHand(NewHandKind::Deal); });
}

TEST_F(DefinitionReloadTest, AGameInTheCatalogueAndItsCommentsRaiseNoBar)
{
    // A game whose lines lie in the catalogue, beside the statistics and
    // settings the program writes there.
    form.reset();
    std::string inside = Definition;
    inside.replace(0, 6, "[Inside]");
    dir.Write("vexasolit.ini", "[Gamelist]\nInside=vexasolit.ini\n" + inside);
    Open();
    Choose("Inside");
    const std::string catalogue = dir.Read("vexasolit.ini");
    ExpectNoBarAfter([&] {
        form->Click(PileNamed("PILE1").Top());
        form->NewHand(NewHandKind::Deal);
        form->findChild<QAction*>("Felt1")->trigger();
        ASSERT_NE(dir.Read("vexasolit.ini"), catalogue);
    });

    // A comment moves the game's lines and changes nothing that is loaded.
    ExpectNoBarAfter([&] { Save("vexasolit.ini", "; the games of this folder\n" + dir.Read("vexasolit.ini")); });

    // A value of the game does.
    std::string edited = dir.Read("vexasolit.ini");
    edited.replace(edited.find("PILE3=200,10"), 12, "PILE3=210,10");
    Save("vexasolit.ini", edited);
    ASSERT_TRUE(Until([&] { return Bar().isVisible(); }));
    EXPECT_EQ(Bar().Text(), "The definition of Inside changed.");
}

}  // namespace
}  // namespace vexa
