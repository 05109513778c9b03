// Building blocks shared by the fixed-size dialogs: the frame, the plain
// coloured backgrounds, placement at the centre of the screen and labels
// placed at exact positions.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QDialog;
class QLabel;
class QWidget;

namespace vexa {

// Caption, fixed client size (no resizing), a title bar whose only button is
// the close box, and a filled background.
void MakeFixedDialog(QDialog& dialog, const QString& caption, int clientWidth, int clientHeight,
                     const QColor& background);

// Fills the widget with the colour instead of the style's window colour.
void SetBackground(QWidget& widget, const QColor& colour);

// Colour of the text the widget draws (labels, buttons, text views).
void SetTextColour(QWidget& widget, const QColor& colour);

// Moves a top-level window so its frame sits at the centre of its screen.
void CentreOnScreen(QWidget& window);

// A label named objectName at bounds. A bounds with an empty size makes the
// label take the size of its text; a fixed-size label keeps its size when
// its text changes later.
QLabel* PlaceLabel(QWidget& parent, const char* objectName, const QString& text, const QFont& font,
                   const QColor& colour, const QRect& bounds);

}  // namespace vexa
