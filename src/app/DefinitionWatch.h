// Watching the definition of the game on the table while it is shown: its
// catalogue entry (the file it names) and its section of that file,
// compared with what the table was loaded from. Editors often save by writing a new file
// and renaming it over the old one, which ends the watch on the old file:
// the folders are watched too and the files are watched again after each
// change. A burst of change signals is read once, a moment after the last.
// Only a difference in what the game is loaded from counts: the program's
// own writes beside it (the statistics and settings in the catalogue, the
// kept hand) leave the entry and the game's section as they were and raise
// nothing.
#pragma once

#include <string>

#include <QObject>

#include "defs/AtomicFile.h"
#include "defs/IniFile.h"

class QFileSystemWatcher;
class QTimer;

namespace vexa {

// What a game is loaded from, as it stands on disk: its catalogue entry and
// its section of the file that entry names, as the load reads them.
struct DefinitionStamp {
    std::string Game;     // display name, "" when no game is watched
    bool Listed = false;  // the catalogue lists the game
    std::string File;     // the file its entry names
    FileRead Read = FileRead::Missing;
    IniSection Lines;  // the game's section of that file
};

// Whether a load from b builds what a load from a built: the same entry,
// file state, keys and values. Where the lines lie does not matter, nor
// anything else in the files (other sections, comments, the statistics
// when a definition lives in the catalogue itself).
bool SameLoad(const DefinitionStamp& a, const DefinitionStamp& b);
// The same, and every line where it was: the checker's findings stand.
bool SameLines(const DefinitionStamp& a, const DefinitionStamp& b);

// The stamp of a game whose entry names file (as the session's game list
// holds it), with the file's bytes as they are now.
DefinitionStamp StampOf(const std::string& game, const std::string& file);
// The stamp of a game as the catalogue of the current folder lists it now.
DefinitionStamp StampOnDisk(const std::string& game);

class DefinitionWatch : public QObject {
    Q_OBJECT

public:
    explicit DefinitionWatch(QObject* parent = nullptr);

    // Watches the game loaded from loaded (taken just before the load, so
    // that a change during the load is seen as one).
    void Watch(const DefinitionStamp& loaded);
    void Stop();
    const DefinitionStamp& Loaded() const { return loaded_; }
    // The game as it stood on disk at the last look.
    const DefinitionStamp& OnDisk() const { return seen_; }
    // Whether the game on disk differs from what the table was loaded from.
    bool Differs() const { return !SameLoad(seen_, loaded_); }
    // How many times the files were read after a change signal.
    int Looks() const { return looks_; }

signals:
    // The game on disk changed since the last look (its entry or its
    // section, or only where its lines lie), also when it came back to what
    // the table was loaded from.
    void Changed();

private:
    void Look();
    void FollowPaths();

    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* settle_ = nullptr;
    DefinitionStamp loaded_;
    DefinitionStamp seen_;
    int looks_ = 0;
};

}  // namespace vexa
