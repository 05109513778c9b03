#include "dialogs/AboutBox.h"

#include "dialogs/DialogParts.h"
#include "dialogs/Fonts.h"

#include <QLabel>

namespace vexa {

AboutBox::AboutBox(QWidget* parent) : ClickToCloseDialog(parent)
{
    MakeFixedDialog(*this, QStringLiteral("About Vexa Solitaire"), 294, 114, QColor(255, 255, 0));
    setModal(true);

    const QColor black(0, 0, 0);
    const QFont small = VexaFont("MS Sans Serif", 11, false);
    PlaceLabel(*this, "Label1", QStringLiteral("Vexa Solitaire"), VexaFont("Arial", 16, true), black,
               QRect(94, 10, 0, 0));
    PlaceLabel(*this, "Label3", QStringLiteral("A quiet card table for the patient and the curious"), small, black,
               QRect(19, 31, 0, 0));
    PlaceLabel(*this, "Label2", QStringLiteral("Version 1.3, September 22, 1999"), small, black, QRect(69, 48, 0, 0));
    QLabel* credits = PlaceLabel(*this, "Label4",
                                 QStringLiteral("Cards drawn in code and games gathered by the Vexa Solitaire team."),
                                 small, black, QRect(35, 76, 226, 26));
    credits->setWordWrap(true);
    credits->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

}  // namespace vexa
