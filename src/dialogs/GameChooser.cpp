#include "dialogs/GameChooser.h"

#include "dialogs/DialogParts.h"
#include "dialogs/Fonts.h"

#include <QListWidget>
#include <QPalette>
#include <QPushButton>

namespace vexa {

namespace {
constexpr int kItemHeight = 16;
}

GameChooser::GameChooser(QWidget* parent) : QDialog(parent)
{
    MakeFixedDialog(*this, QStringLiteral("Please choose a game to play"), 350, 237, QColor(0, 128, 128));
    // No border icons: the chooser closes through OK, Cancel or Escape.
    setWindowFlags(windowFlags() & ~(Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint));

    gamelist_ = new QListWidget(this);
    gamelist_->setObjectName(QStringLiteral("Gamelist"));
    gamelist_->setFont(VexaFont("Arial", 13, true));
    QPalette palette = gamelist_->palette();
    palette.setColor(QPalette::Base, QColor(0, 0, 128));
    palette.setColor(QPalette::Text, Qt::white);
    gamelist_->setPalette(palette);
    gamelist_->setSelectionMode(QAbstractItemView::SingleSelection);
    gamelist_->setSortingEnabled(false);
    gamelist_->setUniformItemSizes(true);
    gamelist_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    gamelist_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gamelist_->setGeometry(16, 14, 317, 164);
    // Show whole rows only: trim the box so the area inside its frame is a
    // multiple of the row height, as a list box with integral height does.
    const int frame = 2 * gamelist_->frameWidth();
    const int rows = (gamelist_->height() - frame) / kItemHeight;
    gamelist_->setFixedHeight(rows * kItemHeight + frame);
    connect(gamelist_, &QListWidget::itemDoubleClicked, this, &GameChooser::AcceptOnDoubleClick);
    // A list box with items always keeps one selected: Ctrl+click or
    // Ctrl+Space on the selected row would leave none, so it is selected again.
    connect(gamelist_, &QListWidget::itemSelectionChanged, this, [this] {
        QListWidgetItem* current = gamelist_->currentItem();
        if (current != nullptr && gamelist_->selectedItems().isEmpty()) current->setSelected(true);
    });

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setGeometry(78, 198, 75, 25);
    // Enter in the list presses the default button.
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    cancel_->setGeometry(200, 199, 75, 25);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void GameChooser::SetItems(const std::vector<std::string>& names)
{
    gamelist_->clear();
    for (const std::string& name : names) {
        auto* item = new QListWidgetItem(QString::fromStdString(name));
        item->setSizeHint(QSize(0, kItemHeight));
        gamelist_->addItem(item);
    }
    SetItemIndex(-1);
}

int GameChooser::ItemIndex() const
{
    const QListWidgetItem* current = gamelist_->currentItem();
    return current != nullptr && current->isSelected() ? gamelist_->row(current) : -1;
}

void GameChooser::SetItemIndex(int index)
{
    if (index < 0 || index >= gamelist_->count()) {
        // No current row first, so clearing the selection is not undone.
        gamelist_->setCurrentRow(-1);
        gamelist_->clearSelection();
        return;
    }
    gamelist_->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    gamelist_->scrollToItem(gamelist_->item(index));
}

void GameChooser::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        CentreOnScreen(*this);
        // The keys go to the list, so arrows pick and Enter confirms at once.
        gamelist_->setFocus();
    }
    QDialog::setVisible(visible);
}

void GameChooser::AcceptOnDoubleClick(QListWidgetItem* item)
{
    if (item != nullptr) accept();
}

}  // namespace vexa
