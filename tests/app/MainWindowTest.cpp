// The main window on the offscreen platform: the welcome screen, the menu,
// and a loaded table shown as the core built it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "app/GameLoader.h"
#include "app/MainWindow.h"
#include "app/VexaApplication.h"
#include "app/VexaStyle.h"
#include "cards/CardLibrary.h"
#include "cards/CardWidget.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"
#include "table/PileWidget.h"

namespace vexa {
namespace {

int CardsWithATip(const MainWindow& form)
{
    int count = 0;
    for (const CardWidget* card : form.findChildren<CardWidget*>()) count += card->toolTip().isEmpty() ? 0 : 1;
    return count;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Write("vexasolit.ini", "[Gamelist]\nTest=test.ini\nBad=bad.ini\nOther=other.ini\n");
        dir.Write("test.ini",
                  "[Test]\nName=Test\nFormwidth=600\nFormheight=400\n"
                  "PILE1=10,10,71,96,2,0,90,0,0,402,301,0,0,DDDD\n"
                  "PILE2=100,10,71,150,0,2,3,109,208,401,0,0,0,DDDDDDU\n"
                  "PILE3=200,10,SAME\n"
                  "BUTTON1=300,10,90,25,1,\"&Hide it\"\n");
        // The same pile names as Test with other kinds, one pile more, and
        // two buttons with other captions.
        dir.Write("other.ini",
                  "[Other]\nName=Other\nFormwidth=600\nFormheight=400\n"
                  "PILE1=10,10,71,96,2,3,0,0,0,402,0,0,0,-\n"
                  "PILE2=100,10,71,150,0,1,0,0,0,402,0,0,0,U\n"
                  "PILE3=200,10,71,96,2,5,0,0,0,402,0,0,0,U\n"
                  "PILE4=300,120,71,96,2,4,0,0,0,402,0,0,0,U\n"
                  "BUTTON1=300,10,90,25,2,\"&Second\"\n"
                  "BUTTON2=400,10,90,25,3,\"&Third\"\n");
        dir.Write("bad.ini", "[Bad]\nPILE1=10,10,71,96,2,3,0,0,0,402,0,0,0,-\nPILE2=oops\n");
        form = std::make_unique<MainWindow>(library, clock);
    }
    void Load(const std::string& name)
    {
        Session& s = form->State();
        const auto& items = s.Chooser.Items;
        s.Chooser.ItemIndex = static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
        form->Guard([&] { SelectGame(s); });
    }
    QAction* Action(const char* name) { return form->findChild<QAction*>(name); }

    test::TempDir dir;
    test::InDirectory cwd{dir.Path()};
    CardLibrary library{{qEnvironmentVariable("VEXA_CARDS_DIR")}};
    test::ManualClock clock;
    std::unique_ptr<MainWindow> form;
};

TEST_F(MainWindowTest, WelcomeScreenShowsThreeCardsAndTheLabel)
{
    EXPECT_EQ(form->windowTitle(), "Vexa Solitaire");
    auto* label = form->findChild<QLabel*>("Label1");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "\"Welcome to our Kingdom of Rerozoriri\"");
    EXPECT_EQ(label->geometry(), QRect(7, 106, 204, 15));
    const int expected[3] = {52, 38, 11};
    for (int i = 0; i < 3; ++i) {
        auto* card = form->findChild<CardWidget*>(QString("Card%1").arg(expected[i]));
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->geometry(), QRect(3 + 71 * i, 2, 71, 96));
        EXPECT_FALSE(card->isHidden());
        EXPECT_EQ(card->Deckvalue(), expected[i]);
        EXPECT_EQ(card->State(), ctFront);
    }
    // The hint stays the card's data; showing it would name hidden cards.
    EXPECT_EQ(form->State().Board.CardAt(7).Hint, "  7");
    EXPECT_EQ(CardsWithATip(*form), 0);
    EXPECT_TRUE(form->findChild<CardWidget*>("Card1")->isHidden());
}

TEST_F(MainWindowTest, MenuHasItsCaptionsShortcutsAndStartStates)
{
    const QList<QAction*> top = form->menuBar()->actions();
    ASSERT_EQ(top.size(), 5);
    EXPECT_EQ(top[0]->text(), "Game");
    EXPECT_EQ(top[1]->text(), "Edit");
    EXPECT_EQ(top[2]->text(), "View");
    EXPECT_EQ(top[3]->text(), "Help");
    EXPECT_EQ(top[4]->text(), "");
    EXPECT_EQ(top[4]->menu(), nullptr);
    QStringList game;
    for (QAction* a : top[0]->menu()->actions()) game << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(game, (QStringList{"&Select a card game", "&Deal another hand", "&Restart this hand",
                                 "&Choose deal…", "&Winnable deals only", "S&tatistics", "-", "E&xit"}));
    EXPECT_TRUE(Action("WinnableOnly1")->isCheckable());
    EXPECT_FALSE(Action("WinnableOnly1")->isChecked());
    EXPECT_FALSE(Action("Hint1")->isEnabled());
    EXPECT_EQ(Action("Hint1")->shortcut(), QKeySequence("H"));
    EXPECT_FALSE(Action("Newgame1")->isEnabled());
    EXPECT_FALSE(Action("Replay1")->isEnabled());
    EXPECT_FALSE(Action("Undo1")->isEnabled());
    EXPECT_FALSE(Action("Autoplay1")->isEnabled());
    EXPECT_EQ(Action("Undo1")->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(Action("Autoplay1")->shortcut(), QKeySequence("Ctrl+A"));
    QStringList help;
    for (QAction* a : top[3]->menu()->actions()) help << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(help, (QStringList{"How to Play...", "-", "About Vexa Solitaire"}));

    VexaStyle style;
    EXPECT_EQ(style.styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, nullptr, nullptr), 200);
}

TEST_F(MainWindowTest, LoadedTableShowsPilesButtonsAndCardsAsTheCoreSays)
{
    Load("Test");
    EXPECT_EQ(form->windowTitle(), "Vexa Solitaire:  Test");
    EXPECT_TRUE(form->findChild<QLabel*>("Label1")->isHidden());
    EXPECT_TRUE(Action("Newgame1")->isEnabled());
    EXPECT_EQ(form->menuBar()->actions()[4]->text(), "             Your score = 0");

    auto* stock = form->findChild<PileWidget*>("PILE1");
    auto* column = form->findChild<PileWidget*>("PILE2");
    auto* copy = form->findChild<PileWidget*>("PILE3");
    ASSERT_TRUE(stock && column && copy);
    EXPECT_EQ(stock->geometry(), QRect(10, 10, 71, 96));
    EXPECT_EQ(copy->geometry(), QRect(200, 10, 71, 150));
    EXPECT_EQ(stock->widget()->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(column->widget()->palette().color(QPalette::Window), QColor(0, 128, 0));
    EXPECT_EQ(stock->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    // Seven cards fanned down need 96 + 6 * 17 = 198 > 150 pixels: a vertical bar.
    EXPECT_EQ(column->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    form->show();
    QApplication::processEvents();
    EXPECT_EQ(column->Model().Vert.Range, 48);
    EXPECT_EQ(column->verticalScrollBar()->maximum(), 48);

    const Pile& model = column->Model();
    ASSERT_EQ(model.Count(), 7);
    for (int i = 0; i < 7; ++i) {
        auto* card = form->findChild<CardWidget*>(QString("Card%1").arg(model.CardAt(i)->Index()));
        EXPECT_EQ(card->parentWidget(), column->Content());
        EXPECT_EQ(card->geometry(), QRect(0, 17 * i, 71, 96));
        EXPECT_FALSE(card->isHidden());
        EXPECT_EQ(card->State(), i == 6 ? ctFront : ctBack);
    }
    // A stacked pile shows only its top card.
    const Pile& stockModel = stock->Model();
    EXPECT_TRUE(form->findChild<CardWidget*>(QString("Card%1").arg(stockModel.CardAt(0)->Index()))->isHidden());
    EXPECT_FALSE(form->findChild<CardWidget*>(QString("Card%1").arg(stockModel.Top()->Index()))->isHidden());

    auto* button = form->findChild<QPushButton*>("BUTTON1");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), "&Hide it");
    EXPECT_EQ(button->geometry(), QRect(300, 10, 90, 25));
    EXPECT_TRUE(button->font().bold());
}

// Every pile and button of the table has exactly one widget, and it shows
// that control: its name, the colour of its Kind, its caption.
void ExpectWidgetsFollowTheTable(MainWindow& form)
{
    const Table& table = form.State().Board;
    int piles = 0, buttons = 0;
    for (int position = 0; position < table.ControlCount(); ++position) {
        const Control* control = table.ControlAt(position);
        const QString name = QString::fromStdString(control->Name);
        SCOPED_TRACE(control->Name);
        if (control->Type() == ControlType::Pile && control->Name != "Fritz") {
            ++piles;
            const auto& pile = *static_cast<const Pile*>(control);
            auto* widget = form.centralWidget()->findChild<PileWidget*>(name);
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(&widget->Model(), &pile);
            EXPECT_EQ(widget->widget()->palette().color(QPalette::Window), KindColour(pile.Kind));
            EXPECT_EQ(widget->viewport()->palette().color(QPalette::Window), KindColour(pile.Kind));
        } else if (control->Type() == ControlType::Button) {
            ++buttons;
            auto* widget = form.centralWidget()->findChild<QPushButton*>(name);
            ASSERT_NE(widget, nullptr);
            EXPECT_EQ(widget->text().toStdString(), static_cast<const GameButton*>(control)->Caption);
            EXPECT_FALSE(widget->isHidden());
        }
    }
    EXPECT_EQ(form.centralWidget()->findChildren<PileWidget*>().size(), piles);
    EXPECT_EQ(form.centralWidget()->findChildren<QPushButton*>().size(), buttons);
}

TEST_F(MainWindowTest, SwitchingGamesGivesEveryPileAndButtonItsOwnWidget)
{
    for (const char* game : {"Test", "Other", "Test", "Other", "Other", "Test"}) {
        SCOPED_TRACE(game);
        Load(game);
        ExpectWidgetsFollowTheTable(*form);
        form->NewHand(NewHandKind::Deal);
        ExpectWidgetsFollowTheTable(*form);
    }
    Load("Other");
    EXPECT_EQ(form->findChild<PileWidget*>("PILE1")->widget()->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(form->findChild<PileWidget*>("PILE2")->widget()->palette().color(QPalette::Window), QColor(0, 255, 255));
    EXPECT_EQ(form->findChild<QPushButton*>("BUTTON1")->text(), "&Second");
    EXPECT_EQ(form->findChild<QPushButton*>("BUTTON2")->text(), "&Third");
    // No card of any table shows its number.
    EXPECT_EQ(CardsWithATip(*form), 0);
}

TEST_F(MainWindowTest, ReloadReplacesTheWidgetsAndAFailedLoadDisablesTheMenu)
{
    Load("Test");
    QPointer<PileWidget> old = form->findChild<PileWidget*>("PILE2");
    QString shownError;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownError = box->windowTitle() + "|" + box->text();
            box->accept();
        }
    });
    Load("Bad");
    EXPECT_EQ(shownError.toStdString(), "Vexa Solitaire|'oops' is not a valid integer value.");
    EXPECT_TRUE(old.isNull());
    EXPECT_NE(form->findChild<PileWidget*>("PILE1"), nullptr);
    EXPECT_FALSE(Action("Newgame1")->isEnabled());
    EXPECT_FALSE(Action("Autoplay1")->isEnabled());
    int shown = 0;
    for (CardWidget* card : form->findChildren<CardWidget*>()) shown += card->isHidden() ? 0 : 1;
    EXPECT_EQ(shown, 0);
}

TEST(StartupError, OnlyTheMissingCardLibraryGetsAForcedFullStop)
{
    CardLibrary missing{{"/nonexistent"}};
    test::ManualClock clock;
    std::string message;
    try {
        MainWindow form(missing, clock);
    } catch (const std::exception& error) {
        message = error.what();
    }
    EXPECT_EQ(StartupErrorText(message, missing), "Unable to load VexaCards.DLL .");

    CardLibrary present{{qEnvironmentVariable("VEXA_CARDS_DIR")}};
    present.LoadCardBitmap(1);
    EXPECT_EQ(StartupErrorText("Resource #1 not found (FindResource)", present),
              "Resource #1 not found (FindResource)");
    EXPECT_EQ(StartupErrorText("Bitmap #1 hasn't been stored properly", present),
              "Bitmap #1 hasn't been stored properly.");
}

}  // namespace
}  // namespace vexa
