// The statistics dialog: hands played, won and the average score of the
// current game, and the time spent in the program. It only shows figures the
// caller has worked out. A click anywhere on it, labels included, closes it.
#pragma once

#include <QString>
#include "dialogs/ClickToCloseDialog.h"

class QLabel;

namespace vexa {

class StatisticsDialog : public ClickToCloseDialog {
    Q_OBJECT

public:
    explicit StatisticsDialog(QWidget* parent = nullptr);

    void SetFigures(const QString& title, const QString& played, const QString& won, const QString& average,
                    const QString& days, const QString& hours, const QString& minutes);

private:
    QLabel* title_;
    QLabel* played_;
    QLabel* won_;
    QLabel* average_;
    QLabel* days_;
    QLabel* hours_;
    QLabel* minutes_;
};

}  // namespace vexa
