#include "dialogs/FindingsDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vexa {

FindingsDialog::FindingsDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("FindingsDialog");
    auto* column = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("FindingsText");
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    column->addWidget(text_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton("Copy", QDialogButtonBox::ActionRole);
    copy->setObjectName("FindingsCopy");
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(Findings()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    const QFontMetrics metrics(text_->font());
    resize(metrics.horizontalAdvance(QString(90, 'x')) + 40, metrics.lineSpacing() * 14 + 80);
}

void FindingsDialog::SetFindings(const QString& game, const QString& report)
{
    setWindowTitle(QString("Definition check: %1").arg(game));
    if (report != text_->toPlainText()) text_->setPlainText(report);
}

QString FindingsDialog::Findings() const { return text_->toPlainText(); }

}  // namespace vexa
