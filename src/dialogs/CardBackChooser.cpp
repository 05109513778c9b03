#include "dialogs/CardBackChooser.h"

#include "cards/CardLibrary.h"
#include "cards/CardWidget.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace vexa {

namespace {

constexpr int kBacks = 13;
constexpr int kColumns = 7;
// Room around a card for the selection's frame, and below it for the label
// of the back in use.
constexpr int kPad = 6;
constexpr int kLabel = 18;

const QColor kGround(0, 112, 60);
const QColor kFrame(255, 214, 0);

// A tile: the back at table size on the green of the table, a golden frame
// round the selected one and the label under the one in use.
class TileDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {CardWidget::kWidth + 2 * kPad, CardWidget::kHeight + 2 * kPad + kLabel};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QRect card(option.rect.left() + kPad, option.rect.top() + kPad, CardWidget::kWidth, CardWidget::kHeight);
        if (option.state & QStyle::State_Selected) {
            QPainterPath frame;
            frame.addRoundedRect(QRectF(card).adjusted(-4, -4, 4, 4), 6, 6);
            painter->fillPath(frame, kFrame);
        }
        const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
        if (!picture.isNull()) painter->drawPixmap(card, picture);
        const QString label = index.data(Qt::DisplayRole).toString();
        if (!label.isEmpty()) {
            painter->setPen(Qt::white);
            painter->drawText(QRect(option.rect.left(), card.bottom() + kPad, option.rect.width(), kLabel),
                              Qt::AlignCenter, label);
        }
        painter->restore();
    }
};

}  // namespace

CardBackChooser::CardBackChooser(CardLibrary& library, int current, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CardBackChooser"));
    setWindowTitle(QStringLiteral("Card back"));

    tiles_ = new QListWidget(this);
    tiles_->setObjectName(QStringLiteral("Backs"));
    tiles_->setAccessibleName(QStringLiteral("Card backs"));
    tiles_->setViewMode(QListView::IconMode);
    tiles_->setFlow(QListView::LeftToRight);
    tiles_->setWrapping(true);
    tiles_->setMovement(QListView::Static);
    tiles_->setResizeMode(QListView::Adjust);
    tiles_->setUniformItemSizes(true);
    tiles_->setSelectionMode(QAbstractItemView::SingleSelection);
    tiles_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tiles_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    tiles_->setItemDelegate(new TileDelegate(tiles_));
    QPalette palette = tiles_->palette();
    palette.setColor(QPalette::Base, kGround);
    tiles_->setPalette(palette);

    const QSize tile = TileDelegate().sizeHint({}, {});
    // The pictures at the size the tiles paint them in device pixels.
    const qreal ratio = qApp->devicePixelRatio();
    const QSize pixels = (QSizeF(CardWidget::kWidth, CardWidget::kHeight) * ratio).toSize();
    for (int back = 1; back <= kBacks; ++back) {
        auto* item = new QListWidgetItem(back == current ? QStringLiteral("In use") : QString());
        QPixmap picture = library.Scaled(52 + back, pixels);
        picture.setDevicePixelRatio(ratio);
        item->setData(Qt::DecorationRole, picture);
        item->setData(Qt::AccessibleTextRole,
                      QStringLiteral("Back %1%2").arg(back).arg(back == current ? ", in use" : ""));
        item->setSizeHint(tile);
        tiles_->addItem(item);
    }
    // Seven tiles a row, two rows, every tile in sight (two pixels spare, so
    // that the seventh tile never wraps to the next row).
    tiles_->setGridSize(tile);
    const int frame = 2 * tiles_->frameWidth();
    tiles_->setFixedSize(kColumns * tile.width() + frame + 2,
                         (kBacks + kColumns - 1) / kColumns * tile.height() + frame + 2);
    // One tile stays selected: Ctrl+click on the selected one selects it
    // again.
    connect(tiles_, &QListWidget::itemSelectionChanged, this, [this] {
        QListWidgetItem* current = tiles_->currentItem();
        if (current != nullptr && tiles_->selectedItems().isEmpty()) current->setSelected(true);
    });
    // A double-click takes the tile it lands on (the first click selected it).
    connect(tiles_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setAccessibleName(QStringLiteral("OK"));
    // Enter in the tiles presses the default button.
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("Cancel"));
    cancel_->setAccessibleName(QStringLiteral("Cancel"));
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tiles_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Select(current);
    tiles_->setFocus();
}

int CardBackChooser::Selected() const { return tiles_->currentRow() + 1; }

void CardBackChooser::Select(int back)
{
    if (back < 1 || back > kBacks) return;
    tiles_->setCurrentRow(back - 1);
}

}  // namespace vexa
