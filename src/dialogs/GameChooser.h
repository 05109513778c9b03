// The game chooser: a list of the catalogue's display names with OK and
// Cancel. The caller fills the list once, in the order to show, and reuses
// the dialog, so the selection stays where the player left it.
#pragma once

#include <string>
#include <vector>

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vexa {

class GameChooser : public QDialog {
    Q_OBJECT

public:
    explicit GameChooser(QWidget* parent = nullptr);

    // Replaces the list with names, shown in the given order; nothing is selected.
    void SetItems(const std::vector<std::string>& names);
    // Row of the selected item, -1 when none.
    int ItemIndex() const;
    // Selects row index and scrolls it into view; an index outside the list clears the selection.
    void SetItemIndex(int index);

    void setVisible(bool visible) override;

protected:
    // With nothing selected, the first arrow key selects the first game
    // rather than stepping past it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AcceptOnDoubleClick(QListWidgetItem* item);

    QListWidget* gamelist_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace vexa
