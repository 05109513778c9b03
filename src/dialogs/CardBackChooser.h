// "Card back": the thirteen back designs of the card-image library as tiles
// at table size, the one in use selected and labelled, OK and Cancel. The
// arrow keys move between the tiles, Enter takes the selected one, a
// double-click takes the tile clicked. The dialog only answers which back
// was picked; the caller applies and keeps it.
#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace vexa {

class CardLibrary;

class CardBackChooser : public QDialog {
    Q_OBJECT

public:
    // current: the back in use, 1 to 13 (picture 52 + current).
    CardBackChooser(CardLibrary& library, int current, QWidget* parent = nullptr);

    // The back selected, 1 to 13.
    int Selected() const;
    void Select(int back);

private:
    QListWidget* tiles_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace vexa
