#include "dialogs/DealNumberDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include "core/Session.h"
#include "table/Deal.h"

namespace vexa {

namespace {

// Lets only digits into the field, and no number beyond the largest deal.
class DealNumberValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        if (input.isEmpty()) return Intermediate;
        return ParseDealNumber(input.toStdString()) ? Acceptable : Invalid;
    }
};

}  // namespace

DealNumberDialog::DealNumberDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("ChooseDeal");
    setWindowTitle(ApplicationTitle);
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel("&Deal number (0 to 4294967295):", this);
    field_ = new QLineEdit(this);
    field_->setObjectName("DealNumber");
    field_->setValidator(new DealNumberValidator(field_));
    field_->setMaxLength(10);
    label->setBuddy(field_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(false);
    layout->addWidget(label);
    layout->addWidget(field_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(field_, &QLineEdit::textChanged, this, [this] { ok_->setEnabled(Number().has_value()); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (Number()) accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void DealNumberDialog::SetNumber(std::uint32_t number)
{
    field_->setText(QString::number(number));
    field_->selectAll();
}

std::optional<std::uint32_t> DealNumberDialog::Number() const { return ParseDealNumber(field_->text().toStdString()); }

}  // namespace vexa
