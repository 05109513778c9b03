#include "dialogs/StatisticsDialog.h"

#include "dialogs/DialogParts.h"
#include "dialogs/Fonts.h"

#include <QLabel>

namespace vexa {

namespace {

const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kGrey(128, 128, 128);

// A figure: centred yellow text on a grey field of fixed size, named for
// screen readers by what it counts.
QLabel* PlaceFigure(QWidget& parent, const char* name, const QString& meaning, const QFont& font, const QRect& bounds)
{
    QLabel* label = PlaceLabel(parent, name, QString(), font, kYellow, bounds);
    label->setAccessibleName(meaning);
    label->setAlignment(Qt::AlignCenter);
    SetBackground(*label, kGrey);
    return label;
}

}  // namespace

StatisticsDialog::StatisticsDialog(QWidget* parent) : ClickToCloseDialog(parent)
{
    MakeFixedDialog(*this, QStringLiteral("Statistics"), 221, 203, QColor(0, 0, 0));
    setModal(true);

    const QFont heading = VexaFont("Arial", 13, true);
    const QFont figure = VexaFont("Arial", 16, true);
    const QFont small = VexaFont("MS Sans Serif", 11, false);

    title_ = PlaceLabel(*this, "Label1", QString(), VexaFont("Arial", 19, true), kRed, QRect(14, 8, 193, 25));
    title_->setAlignment(Qt::AlignCenter);
    title_->setAccessibleName(QStringLiteral("Game"));

    PlaceLabel(*this, "Label2", QStringLiteral("Games Played:"), heading, kWhite, QRect(13, 51, 0, 0));
    PlaceLabel(*this, "Label3", QStringLiteral("Games Won:"), heading, kWhite, QRect(13, 77, 0, 0));
    PlaceLabel(*this, "Label4", QStringLiteral("Average Score:"), heading, kWhite, QRect(13, 102, 0, 0));
    played_ = PlaceFigure(*this, "Label5", QStringLiteral("Games played"), figure, QRect(131, 49, 75, 19));
    won_ = PlaceFigure(*this, "Label6", QStringLiteral("Games won"), figure, QRect(131, 74, 75, 19));
    average_ = PlaceFigure(*this, "Label7", QStringLiteral("Average score"), figure, QRect(131, 99, 75, 19));

    PlaceLabel(*this, "Label8", QStringLiteral("You have played Solitaire for"), small, kWhite, QRect(40, 149, 0, 0));
    days_ = PlaceFigure(*this, "Labelday", QStringLiteral("Days played"), small, QRect(14, 172, 30, 15));
    PlaceLabel(*this, "Label12", QStringLiteral("days"), small, kWhite, QRect(49, 173, 0, 0));
    hours_ = PlaceFigure(*this, "Labelhr", QStringLiteral("Hours played"), small, QRect(88, 172, 30, 15));
    PlaceLabel(*this, "Label13", QStringLiteral("hrs"), small, kWhite, QRect(123, 173, 0, 0));
    minutes_ = PlaceFigure(*this, "Labelmin", QStringLiteral("Minutes played"), small, QRect(153, 172, 30, 15));
    PlaceLabel(*this, "Label14", QStringLiteral("mins"), small, kWhite, QRect(189, 173, 0, 0));
}

void StatisticsDialog::SetFigures(const QString& title, const QString& played, const QString& won,
                                  const QString& average, const QString& days, const QString& hours,
                                  const QString& minutes)
{
    title_->setText(title);
    played_->setText(played);
    won_->setText(won);
    average_->setText(average);
    days_->setText(days);
    hours_->setText(hours);
    minutes_->setText(minutes);
}

}  // namespace vexa
