// Game > Choose deal...: asks for the number of a hand, 0 to 4294967295.
// OK is offered only while the field holds such a number; Cancel leaves
// everything as it was.
#pragma once

#include <cstdint>
#include <optional>

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace vexa {

class DealNumberDialog : public QDialog {
    Q_OBJECT

public:
    explicit DealNumberDialog(QWidget* parent = nullptr);

    // Fills the field with a number, selected so that typing replaces it.
    void SetNumber(std::uint32_t number);
    // The number in the field, nothing while it holds none.
    std::optional<std::uint32_t> Number() const;

private:
    QLineEdit* field_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace vexa
