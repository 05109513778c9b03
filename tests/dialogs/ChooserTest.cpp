#include "dialogs/GameChooser.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace vexa {
namespace {

class ChooserTest : public ::testing::Test {
protected:
    ChooserTest()
    {
        chooser.SetItems({"Zeta", "alpha", "Beta", "Gamma (800x600)"});
        list = chooser.findChild<QListWidget*>(QStringLiteral("Gamelist"));
    }

    // Opens the dialog the way the main window does, without blocking.
    void Open()
    {
        chooser.open();
        ASSERT_TRUE(chooser.isVisible());
    }

    QPoint CentreOfRow(int row) const { return list->visualItemRect(list->item(row)).center(); }

    GameChooser chooser;
    QListWidget* list = nullptr;
};

TEST_F(ChooserTest, KeepsTheCallersOrderAndSelection)
{
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), "Zeta");
    EXPECT_EQ(list->item(1)->text(), "alpha");
    EXPECT_EQ(list->item(3)->text(), "Gamma (800x600)");
    EXPECT_EQ(chooser.ItemIndex(), -1);

    chooser.SetItemIndex(0);
    EXPECT_EQ(chooser.ItemIndex(), 0);
    chooser.SetItemIndex(4);
    EXPECT_EQ(chooser.ItemIndex(), -1);

    chooser.SetItems({});
    EXPECT_EQ(chooser.ItemIndex(), -1);
}

TEST_F(ChooserTest, DoubleClickOnAnItemAccepts)
{
    chooser.SetItemIndex(0);
    Open();
    // A real double-click arrives as a click followed by a double-click event.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, CentreOfRow(2));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, CentreOfRow(2));
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.ItemIndex(), 2);
}

TEST_F(ChooserTest, EnterAndOkAcceptCancelRejects)
{
    chooser.SetItemIndex(0);
    Open();
    EXPECT_EQ(chooser.focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.ItemIndex(), 1);

    Open();
    QTest::mouseClick(chooser.findChild<QPushButton*>(QStringLiteral("Cancel")), Qt::LeftButton);
    EXPECT_EQ(chooser.result(), QDialog::Rejected);

    // The selection survives between openings.
    Open();
    EXPECT_EQ(chooser.ItemIndex(), 1);
    QTest::mouseClick(chooser.findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
}

TEST_F(ChooserTest, AListWithItemsAlwaysKeepsOneSelected)
{
    chooser.SetItemIndex(1);
    Open();
    // Ctrl+click on the selected row would deselect it in a plain list.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, CentreOfRow(1));
    EXPECT_EQ(chooser.ItemIndex(), 1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, CentreOfRow(3));
    EXPECT_EQ(chooser.ItemIndex(), 3);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, CentreOfRow(3));
    EXPECT_EQ(chooser.ItemIndex(), 3);
    // Ctrl+Space toggles the current row in a plain list too.
    QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(chooser.ItemIndex(), 3);
    QTest::mouseClick(chooser.findChild<QPushButton*>(QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(chooser.ItemIndex(), 3);

    // The caller may still clear the selection, and an empty list has none.
    chooser.SetItemIndex(-1);
    EXPECT_EQ(chooser.ItemIndex(), -1);
    chooser.SetItems({});
    EXPECT_EQ(chooser.ItemIndex(), -1);
}

TEST_F(ChooserTest, LayoutShowsWholeRowsOnly)
{
    Open();
    EXPECT_EQ(chooser.size(), QSize(350, 237));
    EXPECT_EQ(chooser.minimumSize(), chooser.maximumSize());
    const Qt::WindowFlags flags = chooser.windowFlags();
    // No border icons at all, not even a close box.
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowContextHelpButtonHint | Qt::WindowSystemMenuHint));

    EXPECT_EQ(list->pos(), QPoint(16, 14));
    EXPECT_EQ(list->width(), 317);
    EXPECT_LE(list->height(), 164);
    EXPECT_GT(list->height(), 164 - 16);
    EXPECT_EQ(list->viewport()->height() % 16, 0);
    EXPECT_EQ(list->visualItemRect(list->item(1)).height(), 16);
    EXPECT_EQ(list->visualItemRect(list->item(1)).top(), 16);

    EXPECT_EQ(chooser.findChild<QPushButton*>(QStringLiteral("OK"))->geometry(), QRect(78, 198, 75, 25));
    EXPECT_EQ(chooser.findChild<QPushButton*>(QStringLiteral("Cancel"))->geometry(), QRect(200, 199, 75, 25));
}

}  // namespace
}  // namespace vexa
