#include "defs/AtomicFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace vexa {

namespace fs = std::filesystem;

namespace {

// Closes the descriptor and removes the temporary file unless released.
class TempFile {
public:
    TempFile() = default;
    ~TempFile()
    {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    bool Create(const fs::path& directory, const std::string& baseName)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            const std::string name =
                "." + baseName + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter_++);
            const std::string candidate = (directory / name).string();
            // O_EXCL: never follow or reuse something already lying there.
            fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                path_ = candidate;
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }

    bool WriteAll(const std::string& content)
    {
        const char* data = content.data();
        std::size_t left = content.size();
        while (left > 0) {
            const ssize_t written = ::write(fd_, data, left);
            if (written < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            data += written;
            left -= static_cast<std::size_t>(written);
        }
        return true;
    }

    bool SetMode(mode_t mode) { return ::fchmod(fd_, mode) == 0; }

    // Flushes to disk and closes; a failing close can mean lost data.
    bool Finish()
    {
        const bool synced = ::fsync(fd_) == 0;
        const bool closed = ::close(fd_) == 0;
        fd_ = -1;
        return synced && closed;
    }

    bool RenameTo(const std::string& target)
    {
        if (::rename(path_.c_str(), target.c_str()) != 0) return false;
        path_.clear();
        return true;
    }

private:
    static inline unsigned counter_ = 0;
    int fd_ = -1;
    std::string path_;
};

// A writer killed between creating its temporary file and renaming it leaves
// the file behind. Temporary files of this target whose writer process no
// longer exists are removed, so that they cannot pile up in the folder.
void RemoveStaleTemporaries(const fs::path& directory, const std::string& baseName)
{
    const std::string prefix = "." + baseName + ".tmp";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(directory, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string rest = name.substr(prefix.size());
        char* end = nullptr;
        const long pid = std::strtol(rest.c_str(), &end, 10);
        if (pid <= 0 || end == rest.c_str() || *end != '-') continue;
        if (pid == ::getpid() || ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        ::unlink(entry.path().c_str());
    }
}

// A folder whose mode grants nobody write access is read-only, also for
// root, whom access() would let through.
bool FolderWritable(const fs::path& directory)
{
    struct stat info {};
    if (::stat(directory.c_str(), &info) != 0) return false;
    return (info.st_mode & 0222) != 0 && ::access(directory.c_str(), W_OK) == 0;
}

void SyncDirectory(const fs::path& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename itself has already succeeded
    ::close(fd);
}

}  // namespace

FileRead ReadWholeFile(const std::string& path, std::string& content)
{
    content.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FileRead::Missing : FileRead::Failed;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return FileRead::Failed;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            content.clear();
            return FileRead::Failed;
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return FileRead::Ok;
}

bool ReplaceFile(const std::string& path, const std::string& content)
{
    // Through a symbolic link the file it points to is replaced, not the link.
    fs::path target = path;
    std::error_code error;
    if (fs::is_symlink(target, error)) {
        target = fs::weakly_canonical(target, error);
        if (error) return false;
    }
    if (target.filename().empty()) return false;

    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists && !S_ISREG(info.st_mode)) return false;
    // A read-only file is left alone, although the rename could replace it.
    // access() lets root through whatever the mode says, so a file without
    // any write bit counts as read-only for every user.
    constexpr mode_t anyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
    if (exists && ((info.st_mode & anyWrite) == 0 || ::access(target.c_str(), W_OK) != 0)) return false;

    fs::path directory = target.parent_path();
    if (directory.empty()) directory = ".";
    if (!FolderWritable(directory)) return false;
    RemoveStaleTemporaries(directory, target.filename().string());

    TempFile temp;
    if (!temp.Create(directory, target.filename().string())) return false;
    if (!temp.WriteAll(content)) return false;
    if (exists && !temp.SetMode(info.st_mode & 07777)) return false;
    if (!temp.Finish()) return false;
    if (!temp.RenameTo(target.string())) return false;
    SyncDirectory(directory);
    return true;
}

}  // namespace vexa
