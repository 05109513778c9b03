// The main window on the offscreen platform over a catalogue of small test
// games in a temporary folder, and what the window tests do with it: load a
// game, find the widgets of piles and cards, click and drag them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "app/GameLoader.h"
#include "app/MainWindow.h"
#include "cards/CardLibrary.h"
#include "cards/CardWidget.h"
#include "support/FakeEnvironment.h"
#include "support/TestSupport.h"
#include "table/PileWidget.h"

namespace vexa::test {

inline std::string Cards(char side, int count) { return std::string(static_cast<std::size_t>(count), side); }

// "Lift": ten face-up cards in a pile that lifts its top card (PILE1), an
// empty pile that takes anything (PILE2), the rest in a stock (PILE3), and
// a button that hides the last empty tableau pile.
inline std::string LiftGame()
{
    return "[Lift]\nName=Lift\nFormwidth=500\nFormheight=300\n"
           "PILE1=20,10,71,150,0,2,1,0,0,401,0,0,0," +
           Cards('U', 10) +
           "\n"
           "PILE2=120,10,71,150,0,2,1,0,210,401,0,0,0,-\n"
           "PILE3=220,10,71,96,2,0,0,0,0,402,0,0,0," +
           Cards('D', 42) + "\nBUTTON1=320,10,90,25,1,\"&Hide\"\n";
}

// Presses the primary button on a widget, moves in steps to a point of
// another widget and releases there, each event sent to the widget that
// holds the mouse, as the window system does.
inline void Drag(QWidget* from, QPoint start, QWidget* to, QPoint end)
{
    QTest::mousePress(from, Qt::LeftButton, {}, start);
    const QPoint a = from->mapToGlobal(start), b = to->mapToGlobal(end);
    for (int step = 1; step <= 8; ++step) {
        const QPoint at = a + (b - a) * step / 8;
        QWidget* receiver = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : from;
        QMouseEvent move(QEvent::MouseMove, receiver->mapFromGlobal(at), at, Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(receiver, &move);
    }
    QWidget* receiver = QWidget::mouseGrabber() ? QWidget::mouseGrabber() : from;
    QMouseEvent release(QEvent::MouseButtonRelease, receiver->mapFromGlobal(b), b, Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(receiver, &release);
}

class WindowTest : public ::testing::Test {
protected:
    // Creates the window over the catalogue of the test folder and shows it.
    void Open()
    {
        form = std::make_unique<MainWindow>(library, clock);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    // Loads the game listed under name in the catalogue.
    void Load(const std::string& name)
    {
        Session& s = form->State();
        const auto& items = s.Chooser.Items;
        s.Chooser.ItemIndex = static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
        form->Guard([&] { SelectGame(s); });
        QApplication::processEvents();
    }
    Pile& PileNamed(const char* name) { return *form->State().Board.FindPile(name); }
    PileWidget* PileView(const char* name) { return form->findChild<PileWidget*>(name); }
    CardWidget* CardView(const Card& card) { return form->findChild<CardWidget*>(QString("Card%1").arg(card.Index())); }
    void ClickCard(const Card& card) { QTest::mouseClick(CardView(card), Qt::LeftButton, {}, QPoint(30, 5)); }
    // A click on the free area of a pile, below its cards.
    void ClickPileArea(const char* name)
    {
        PileWidget* pile = PileView(name);
        QTest::mouseClick(pile->Content(), Qt::LeftButton, {}, QPoint(5, pile->Content()->height() - 5));
    }
    std::vector<int> CardsOf(const Pile& pile)
    {
        std::vector<int> cards;
        for (const Card* card : pile.Cards()) cards.push_back(card->Index());
        return cards;
    }
    // A widget's place in the table's coordinates.
    QRect OnTable(QWidget* widget) { return {widget->mapTo(&form->View(), QPoint()), widget->size()}; }

    TempDir dir;
    InDirectory cwd{dir.Path()};
    CardLibrary library{{qEnvironmentVariable("VEXA_CARDS_DIR")}};
    ManualClock clock;
    std::unique_ptr<MainWindow> form;
};

}  // namespace vexa::test
