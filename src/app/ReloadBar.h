// The slim bar that says the definition of the game on the table changed
// on disk: the game's name, the checker's count of errors and warnings (a
// link to its findings), "Reload" and a close box. It lies over the top
// edge of the table rather than taking room of its own, so that nothing on
// the table moves or changes size when it comes or goes, in a window of
// any size or state.
#pragma once

#include <QFrame>

class QLabel;
class QPushButton;
class QToolButton;

namespace vexa {

// "1 error, 2 warnings", "3 warnings", "No errors or warnings".
QString FindingsCount(int errors, int warnings);

class ReloadBar : public QFrame {
    Q_OBJECT

public:
    // Lies over the top of anchor, a sibling in parent, and follows it.
    ReloadBar(QWidget* anchor, QWidget* parent);

    // Shows (or updates) the bar for game with the checker's counts;
    // Reload is offered only when the game can be loaded again.
    void ShowChange(const QString& game, int errors, int warnings, bool canReload);

    // What the bar says: its sentence, and the count without the link.
    QString Text() const;
    QString Count() const;
    bool CanReload() const;

signals:
    void ReloadAsked();
    void FindingsAsked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow();

    QWidget* anchor_;
    QLabel* text_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* reload_ = nullptr;
    QToolButton* close_ = nullptr;
    QString countText_;
};

}  // namespace vexa
