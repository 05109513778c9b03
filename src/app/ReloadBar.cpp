#include "app/ReloadBar.h"

#include <algorithm>

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace vexa {

namespace {
const char* const ErrorColour = "#b00000";
}  // namespace

QString FindingsCount(int errors, int warnings)
{
    if (errors == 0 && warnings == 0) return "No errors or warnings";
    const QString e = errors == 1 ? "1 error" : QString("%1 errors").arg(errors);
    const QString w = warnings == 1 ? "1 warning" : QString("%1 warnings").arg(warnings);
    if (warnings == 0) return e;
    if (errors == 0) return w;
    return e + ", " + w;
}

ReloadBar::ReloadBar(QWidget* anchor, QWidget* parent) : QFrame(parent), anchor_(anchor)
{
    setObjectName("ReloadBar");
    // The colours of a notice, whatever the table's style.
    setStyleSheet(
        "#ReloadBar { background: #fdf2c8; border-bottom: 1px solid #b8a25a; }"
        "#ReloadBar QLabel { color: #1e1e1e; }");
    // Clicks on the bar are the bar's: none reaches the table below it.
    setAttribute(Qt::WA_NoMousePropagation);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 2, 4, 2);
    row->setSpacing(10);
    text_ = new QLabel(this);
    text_->setObjectName("ReloadText");
    // A game's name is shown as written, whatever characters it holds.
    text_->setTextFormat(Qt::PlainText);
    // A narrow window or a long name takes a second line, never a cut.
    text_->setWordWrap(true);
    count_ = new QLabel(this);
    count_->setObjectName("ReloadCount");
    count_->setTextFormat(Qt::RichText);
    count_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    count_->setFocusPolicy(Qt::NoFocus);
    count_->setToolTip("Show the findings of the definition check");
    connect(count_, &QLabel::linkActivated, this, [this] { emit FindingsAsked(); });
    reload_ = new QPushButton("Reload", this);
    reload_->setObjectName("ReloadButton");
    // F5 reloads from the keyboard while the bar shows; a hidden or
    // disabled button takes no key.
    reload_->setShortcut(QKeySequence(Qt::Key_F5));
    reload_->setToolTip("Load the game again from its definition (F5)");
    close_ = new QToolButton(this);
    close_->setObjectName("ReloadClose");
    close_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_->setAutoRaise(true);
    close_->setToolTip("Close");
    // The window keeps the keys of play: nothing on the bar takes the focus.
    for (QWidget* button : {static_cast<QWidget*>(reload_), static_cast<QWidget*>(close_)})
        button->setFocusPolicy(Qt::NoFocus);
    connect(reload_, &QPushButton::clicked, this, [this] { emit ReloadAsked(); });
    connect(close_, &QToolButton::clicked, this, &QWidget::hide);
    // The sentence takes the room there is; it wraps only where the row is
    // too narrow for it.
    row->addWidget(text_, 1);
    row->addWidget(count_);
    row->addWidget(reload_);
    row->addWidget(close_);
    anchor_->installEventFilter(this);
    hide();
}

void ReloadBar::ShowChange(const QString& game, int errors, int warnings, bool canReload)
{
    text_->setText(QString("The definition of %1 changed.").arg(game));
    countText_ = FindingsCount(errors, warnings);
    // Errors stand out: a load of the file as it is would stop on them.
    const QString colour = errors > 0 ? QString(" style=\"color: %1\"").arg(ErrorColour) : QString();
    count_->setText(QString("<a href=\"findings\"%1>%2</a>").arg(colour, countText_.toHtmlEscaped()));
    reload_->setEnabled(canReload);
    Follow();
    show();
    raise();
}

QString ReloadBar::Text() const { return text_->text(); }

QString ReloadBar::Count() const { return countText_; }

bool ReloadBar::CanReload() const { return reload_->isEnabled(); }

bool ReloadBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == anchor_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) Follow();
    return QFrame::eventFilter(watched, event);
}

void ReloadBar::Follow()
{
    // As high as its text needs at the table's width, and at most the
    // table's own height.
    const QRect table = anchor_->geometry();
    const int height = hasHeightForWidth() ? heightForWidth(table.width()) : sizeHint().height();
    setGeometry(table.x(), table.y(), table.width(), std::min(height, table.height()));
    raise();
}

}  // namespace vexa
