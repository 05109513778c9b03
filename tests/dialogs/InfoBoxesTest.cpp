#include "dialogs/AboutBox.h"
#include "dialogs/StatisticsDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

namespace vexa {
namespace {

QLabel* Label(const QWidget& box, const char* name) { return box.findChild<QLabel*>(QString::fromLatin1(name)); }

TEST(AboutBoxTest, ClickOnALabelOrTheBackgroundCloses)
{
    AboutBox about;
    EXPECT_EQ(about.size(), QSize(294, 114));
    ASSERT_NE(Label(about, "Label1"), nullptr);
    EXPECT_EQ(Label(about, "Label1")->text(), "Vexa Solitaire");
    EXPECT_EQ(Label(about, "Label2")->text(), "Version 1.3, September 22, 1999");
    EXPECT_EQ(Label(about, "Label4")->geometry(), QRect(35, 76, 226, 26));

    for (const char* name : {"Label1", "Label3", "Label4"}) {
        about.open();
        ASSERT_TRUE(about.isVisible());
        QTest::mouseClick(Label(about, name), Qt::LeftButton);
        EXPECT_FALSE(about.isVisible()) << name;
        EXPECT_EQ(about.result(), QDialog::Accepted) << name;
    }

    about.open();
    QTest::mouseClick(&about, Qt::RightButton, {}, QPoint(5, 105));
    EXPECT_TRUE(about.isVisible());
    QTest::mouseClick(&about, Qt::LeftButton, {}, QPoint(5, 105));
    EXPECT_FALSE(about.isVisible());
}

TEST(StatsDialogTest, ShowsTheGivenFiguresAndClosesOnAClick)
{
    StatisticsDialog stats;
    EXPECT_EQ(stats.size(), QSize(221, 203));
    stats.SetFigures("Forty Rows", "4", "1", "-3", "12", "7", "59");
    const std::pair<const char*, const char*> expected[] = {
        {"Label1", "Forty Rows"}, {"Label2", "Games Played:"},
        {"Label3", "Games Won:"}, {"Label4", "Average Score:"},
        {"Label5", "4"},          {"Label6", "1"},
        {"Label7", "-3"},         {"Label8", "You have played Solitaire for"},
        {"Labelday", "12"},       {"Label12", "days"},
        {"Labelhr", "7"},         {"Label13", "hrs"},
        {"Labelmin", "59"},       {"Label14", "mins"}};
    for (const auto& [name, text] : expected) {
        ASSERT_NE(Label(stats, name), nullptr) << name;
        EXPECT_EQ(Label(stats, name)->text(), text) << name;
    }
    EXPECT_EQ(Label(stats, "Label5")->geometry(), QRect(131, 49, 75, 19));
    EXPECT_EQ(Label(stats, "Labelmin")->geometry(), QRect(153, 172, 30, 15));
    EXPECT_EQ(Label(stats, "Label8")->pos(), QPoint(40, 149));

    stats.open();
    QTest::mouseClick(Label(stats, "Labelday"), Qt::LeftButton);
    EXPECT_FALSE(stats.isVisible());

    // Refilled on each opening: the old figures do not linger.
    stats.SetFigures("", "0", "0", "0", "0", "0", "0");
    EXPECT_EQ(Label(stats, "Label1")->text(), "");
    stats.open();
    QTest::mouseClick(&stats, Qt::LeftButton, {}, QPoint(200, 130));
    EXPECT_FALSE(stats.isVisible());
}

}  // namespace
}  // namespace vexa
