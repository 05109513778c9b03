#include "app/DefinitionWatch.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>

#include "core/Session.h"
#include "defs/TextRules.h"

namespace vexa {

namespace {

// A burst of signals (an editor's write, rename and touch) settles in this
// long before the files are read.
constexpr int SettleMilliseconds = 150;

QString Absolute(const std::string& path) { return QDir::current().absoluteFilePath(QString::fromStdString(path)); }

}  // namespace

DefinitionStamp StampOf(const std::string& game, const std::string& file)
{
    DefinitionStamp stamp;
    stamp.Game = game;
    stamp.Listed = !file.empty();
    stamp.File = file;
    if (!stamp.Listed) return stamp;
    std::string content;
    stamp.Read = ReadWholeFile(DefinitionPath(file), content);
    if (stamp.Read == FileRead::Ok) stamp.Lines = IniFile(DefinitionPath(file)).ReadSection(game);
    return stamp;
}

namespace {

bool SameEntry(const DefinitionStamp& a, const DefinitionStamp& b)
{
    return a.Game == b.Game && a.Listed == b.Listed && a.File == b.File && a.Read == b.Read &&
           a.Lines.size() == b.Lines.size();
}

}  // namespace

bool SameLoad(const DefinitionStamp& a, const DefinitionStamp& b)
{
    if (!SameEntry(a, b)) return false;
    for (std::size_t i = 0; i < a.Lines.size(); ++i)
        if (a.Lines[i].key != b.Lines[i].key || a.Lines[i].value != b.Lines[i].value) return false;
    return true;
}

bool SameLines(const DefinitionStamp& a, const DefinitionStamp& b)
{
    if (!SameLoad(a, b)) return false;
    for (std::size_t i = 0; i < a.Lines.size(); ++i)
        if (a.Lines[i].line != b.Lines[i].line) return false;
    return true;
}

DefinitionStamp StampOnDisk(const std::string& game)
{
    // The entry as the game list reads it: the first key of that name,
    // compared without regard to case.
    for (const IniLine& line : IniFile(CatalogueFile).ReadSection("Gamelist"))
        if (SameText(line.key, game)) return StampOf(game, line.value);
    return StampOf(game, "");
}

DefinitionWatch::DefinitionWatch(QObject* parent) : QObject(parent)
{
    watcher_ = new QFileSystemWatcher(this);
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(SettleMilliseconds);
    connect(settle_, &QTimer::timeout, this, [this] { Look(); });
    connect(watcher_, &QFileSystemWatcher::fileChanged, settle_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::directoryChanged, settle_, qOverload<>(&QTimer::start));
}

void DefinitionWatch::Watch(const DefinitionStamp& loaded)
{
    Stop();
    loaded_ = loaded;
    seen_ = loaded;
    FollowPaths();
}

void DefinitionWatch::Stop()
{
    settle_->stop();
    for (const QStringList& paths : {watcher_->files(), watcher_->directories()})
        if (!paths.isEmpty()) watcher_->removePaths(paths);
    loaded_ = seen_ = DefinitionStamp{};
}

void DefinitionWatch::FollowPaths()
{
    // The catalogue, the definition its entry names now, and their folders.
    // A file replaced by a rename is a new file: it is added again, and one
    // that is gone for a moment is seen coming back through its folder.
    QStringList wanted{Absolute(CatalogueFile)};
    if (seen_.Listed) wanted << Absolute(DefinitionPath(seen_.File));
    if (loaded_.Listed) wanted << Absolute(DefinitionPath(loaded_.File));
    QStringList files, folders;
    for (const QString& path : wanted) {
        const QFileInfo info(path);
        if (info.isFile()) files << info.absoluteFilePath();
        if (info.dir().exists()) folders << info.absolutePath();
    }
    files.removeDuplicates();
    folders.removeDuplicates();
    // A watch follows the file it was set on, not its name: each file is
    // watched afresh, so that one renamed over the old is the one watched.
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    const QStringList watchedFolders = watcher_->directories();
    for (const QString& path : watchedFolders)
        if (!folders.contains(path)) watcher_->removePath(path);
    for (const QString& path : folders)
        if (!watchedFolders.contains(path)) watcher_->addPath(path);
    if (!files.isEmpty()) watcher_->addPaths(files);
}

void DefinitionWatch::Look()
{
    if (loaded_.Game.empty()) return;
    const DefinitionStamp now = StampOnDisk(loaded_.Game);
    const bool changed = !SameLines(now, seen_);
    seen_ = now;
    FollowPaths();
    ++looks_;
    if (changed) emit Changed();
}

}  // namespace vexa
