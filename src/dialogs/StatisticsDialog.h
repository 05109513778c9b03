// The statistics dialog: hands played, won and the average score of the
// current game, and the time spent in the program. It only shows figures the
// caller has worked out. A click anywhere on it, labels included, closes it.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;

namespace vexa {

class StatisticsDialog : public QDialog {
    Q_OBJECT

public:
    explicit StatisticsDialog(QWidget* parent = nullptr);

    void SetFigures(const QString& title, const QString& played, const QString& won, const QString& average,
                    const QString& days, const QString& hours, const QString& minutes);

    void setVisible(bool visible) override;

protected:
    // Labels leave mouse clicks to the dialog, so both land here.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The box has no buttons: Enter and Space close it as a click does,
    // Escape as well.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* title_;
    QLabel* played_;
    QLabel* won_;
    QLabel* average_;
    QLabel* days_;
    QLabel* hours_;
    QLabel* minutes_;
    bool pressed_ = false;
};

}  // namespace vexa
