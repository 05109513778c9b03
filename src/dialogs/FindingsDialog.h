// The definition checker's findings for the game on the table, one line
// each ("FILE:LINE: error|warning: TEXT") and the summary line, in a fixed
// font the player can select and copy whole.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace vexa {

class FindingsDialog : public QDialog {
    Q_OBJECT

public:
    explicit FindingsDialog(QWidget* parent = nullptr);

    // The game's display name and the checker's report as text.
    void SetFindings(const QString& game, const QString& report);
    QString Findings() const;

private:
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace vexa
