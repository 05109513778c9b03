// The window's side of definitions that reload as they are edited: while a
// game is on the table its definition is watched; when it changes on disk
// the bar over the table says so with the checker's counts, the findings
// are one click away, and Reload asks the window to load the game again.
// Nothing here touches the table: the hand in progress stays until the
// player asks for the reload.
#pragma once

#include <QObject>
#include <QString>

#include "app/DefinitionWatch.h"

class QWidget;

namespace vexa {

struct Session;
class FindingsDialog;
class ReloadBar;

class DefinitionReload : public QObject {
    Q_OBJECT

public:
    // The bar lies over the top of table, a child of window.
    DefinitionReload(Session& session, QWidget& table, QWidget& window);

    // What the next load reads, taken before it so that a change made
    // while it runs still shows: the game at the chooser's selection, or
    // the game on the table as the catalogue now lists it.
    DefinitionStamp BeforeChoose() const;
    DefinitionStamp BeforeReload() const;
    // After a load, done (loaded true) or stopped by an error: the bar goes
    // and the game on the table is watched. A load refused before anything
    // changed keeps the watch as it was.
    void AfterLoad(const DefinitionStamp& before, bool loaded);

    ReloadBar& Bar() { return *bar_; }
    DefinitionWatch& Watch() { return *watch_; }
    // The findings dialog, made on first use; the checker's text as shown.
    FindingsDialog& Findings();
    const QString& Report() const { return report_; }

signals:
    void ReloadAsked();

private:
    void Changed();
    void ShowFindings();

    Session& session_;
    QWidget& window_;
    DefinitionWatch* watch_ = nullptr;
    ReloadBar* bar_ = nullptr;
    FindingsDialog* findings_ = nullptr;
    QString report_;
};

}  // namespace vexa
