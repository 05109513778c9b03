// The card back chooser: thirteen tiles that show the library's backs, all
// in sight, the back in use selected and labelled; arrows, Enter, Cancel and
// a double-click work it.
#include "cards/CardLibrary.h"
#include "cards/CardTestDirs.h"
#include "dialogs/CardBackChooser.h"

#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace vexa {
namespace {

struct OpenBackChooser {
    CardLibrary library{test::CardsDirs()};
    CardBackChooser chooser;
    QListWidget& tiles;
    explicit OpenBackChooser(int current)
        : chooser(library, current), tiles(*chooser.findChild<QListWidget*>(QStringLiteral("Backs")))
    {
        chooser.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    }
    void Key(Qt::Key key) { QTest::keyClick(&tiles, key); }
    QPoint Centre(int back) { return tiles.visualItemRect(tiles.item(back - 1)).center(); }
};

TEST(CardBackChooser, ShowsEveryBackInSightWithTheOneInUseSelected)
{
    OpenBackChooser open(6);
    ASSERT_EQ(open.tiles.count(), 13);
    EXPECT_EQ(open.chooser.windowTitle(), "Card back");
    EXPECT_EQ(open.chooser.Selected(), 6);
    EXPECT_TRUE(open.tiles.item(5)->isSelected());
    EXPECT_TRUE(open.tiles.hasFocus());
    const QImage shot = open.tiles.viewport()->grab().toImage();
    for (int back = 1; back <= 13; ++back) {
        const QRect tile = open.tiles.visualItemRect(open.tiles.item(back - 1));
        EXPECT_TRUE(open.tiles.viewport()->rect().contains(tile)) << "back " << back << " is cut off";
        EXPECT_EQ(open.tiles.item(back - 1)->text().isEmpty(), back != 6) << back;
    }
    // The golden frame of the selection shows round the selected tile only.
    const auto framed = [&](int back) {
        const QRect tile = open.tiles.visualItemRect(open.tiles.item(back - 1));
        const QRgb p = shot.pixel(QPoint(tile.center().x(), tile.top() + 3) * shot.devicePixelRatio());
        return qRed(p) > 200 && qGreen(p) > 160 && qBlue(p) < 80;
    };
    EXPECT_TRUE(framed(6));
    EXPECT_FALSE(framed(5));
    EXPECT_FALSE(framed(13));
}

TEST(CardBackChooser, ArrowsMoveAndEnterTakesTheSelectedBack)
{
    struct Case {
        int current;
        std::vector<Qt::Key> keys;
        int picked;
    };
    const Case cases[] = {
        {6, {Qt::Key_Right, Qt::Key_Right, Qt::Key_Left}, 7},
        {1, {Qt::Key_Down}, 8},
        {13, {Qt::Key_Up}, 6},
        {6, {}, 6},
    };
    for (const Case& c : cases) {
        OpenBackChooser open(c.current);
        for (Qt::Key key : c.keys) open.Key(key);
        EXPECT_EQ(open.chooser.Selected(), c.picked) << "from " << c.current;
        open.Key(Qt::Key_Return);
        EXPECT_EQ(open.chooser.result(), QDialog::Accepted) << "from " << c.current;
        EXPECT_FALSE(open.chooser.isVisible());
    }
}

// Escape is the window test's.
TEST(CardBackChooser, CancelAndADoubleClickOnATile)
{
    {
        OpenBackChooser open(6);
        QTest::mouseClick(open.tiles.viewport(), Qt::LeftButton, {}, open.Centre(11));
        EXPECT_EQ(open.chooser.Selected(), 11);
        EXPECT_TRUE(open.chooser.isVisible());
        // Ctrl+click on the selected tile keeps it selected.
        QTest::mouseClick(open.tiles.viewport(), Qt::LeftButton, Qt::ControlModifier, open.Centre(11));
        EXPECT_TRUE(open.tiles.item(10)->isSelected());
        // A real double-click arrives as a click followed by a double-click.
        QTest::mouseClick(open.tiles.viewport(), Qt::LeftButton, {}, open.Centre(3));
        QTest::mouseDClick(open.tiles.viewport(), Qt::LeftButton, {}, open.Centre(3));
        EXPECT_EQ(open.chooser.Selected(), 3);
        EXPECT_EQ(open.chooser.result(), QDialog::Accepted);
    }
    {
        OpenBackChooser open(2);
        open.chooser.findChild<QPushButton*>(QStringLiteral("Cancel"))->click();
        EXPECT_EQ(open.chooser.result(), QDialog::Rejected);
        EXPECT_EQ(open.chooser.Selected(), 2);
    }
}

}  // namespace
}  // namespace vexa
