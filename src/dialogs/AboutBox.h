// The About box: program name, version and credits on a yellow card. A
// click anywhere on it, labels included, closes it.
#pragma once

#include "dialogs/ClickToCloseDialog.h"

namespace vexa {

class AboutBox : public ClickToCloseDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace vexa
