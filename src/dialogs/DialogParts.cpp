#include "dialogs/DialogParts.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QStyle>

namespace vexa {

void MakeFixedDialog(QDialog& dialog, const QString& caption, int clientWidth, int clientHeight,
                     const QColor& background)
{
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowTitle(caption);
    dialog.setFixedSize(clientWidth, clientHeight);
    dialog.setSizeGripEnabled(false);
    SetBackground(dialog, background);
}

void SetBackground(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void SetTextColour(QWidget& widget, const QColor& colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget.setPalette(palette);
}

void CentreOnScreen(QWidget& window)
{
    QScreen* screen = window.screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    // Before the first show the frame is not known yet and equals the client size.
    const QSize outer = window.frameGeometry().size();
    window.move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, outer, screen->geometry()).topLeft());
}

QLabel* PlaceLabel(QWidget& parent, const char* objectName, const QString& text, const QFont& font,
                   const QColor& colour, const QRect& bounds)
{
    auto* label = new QLabel(text, &parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setFont(font);
    label->setMargin(0);
    SetTextColour(*label, colour);
    if (bounds.size().isEmpty()) {
        label->move(bounds.topLeft());
        label->adjustSize();
    } else {
        label->setGeometry(bounds);
    }
    return label;
}

}  // namespace vexa
