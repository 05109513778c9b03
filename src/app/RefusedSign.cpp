#include "app/RefusedSign.h"

#include <QPainter>
#include <QTimer>
#include <QTransform>

#include "core/Session.h"

namespace vexa {

RefusedSign::RefusedSign(QWidget* table) : QWidget(table)
{
    setObjectName("RefusedSign");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, [this] { Clear(); });
    hide();
}

Pile* RefusedSign::OfferedTo(const Session& session, Control* sender)
{
    if (!session.Carrying || !sender) return nullptr;
    Control* pile = sender;
    if (sender->Type() == ControlType::Card) pile = dynamic_cast<Pile*>(static_cast<Card*>(sender)->Parent());
    if (!pile || pile->Type() != ControlType::Pile || pile == &session.Board.DragPile()) return nullptr;
    return static_cast<Pile*>(pile);
}

void RefusedSign::AfterClick(const Session& session, Pile* target, const QTransform& toScreen)
{
    if (!target || !session.Carrying || target == session.OriginPile) return;
    // The corners are rounded as the table rounds its piles' corners, so
    // the ring lies right around the pile at any scale.
    const Rect& b = target->Bounds;
    const QPointF a = toScreen.map(QPointF(b.left, b.top));
    const QPointF z = toScreen.map(QPointF(b.left + b.width, b.top + b.height));
    Flash(QRect(QPoint(qRound(a.x()), qRound(a.y())), QPoint(qRound(z.x()), qRound(z.y())) - QPoint(1, 1)));
}

void RefusedSign::Flash(const QRect& area)
{
    const QRect ring = area.adjusted(-Thickness, -Thickness, Thickness, Thickness);
    if (geometry() != ring) setGeometry(ring);
    // Only the ring belongs to the widget: the pile stays in sight and
    // clickable inside it.
    setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(Thickness, Thickness, -Thickness, -Thickness))));
    show();
    raise();
    timer_->start(ShowMilliseconds);
}

void RefusedSign::Clear()
{
    timer_->stop();
    hide();
}

void RefusedSign::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(QColor(230, 20, 20), Thickness));
    painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
}

}  // namespace vexa
