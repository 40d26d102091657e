#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "formats/replace_file.h"

namespace {

constexpr char kTemporaryInfix[] = "-save-";
constexpr std::size_t kRandomLength = 6;  // mkstemp's XXXXXX

// A link is kept: the file it points at is the one replaced.
std::string ResolvedTarget(const std::string& path) {
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return path;
    }
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return path;
    }
    std::string target(resolved);
    std::free(resolved);
    return target;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool InGroup(gid_t group) {
    if (getegid() == group) {
        return true;
    }
    const int count = getgroups(0, nullptr);
    if (count <= 0) {
        return false;
    }
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int filled = getgroups(count, groups.data());
    for (int i = 0; i < filled; ++i) {
        if (groups[static_cast<std::size_t>(i)] == group) {
            return true;
        }
    }
    return false;
}

// The rename would replace a file whatever its mode; writing in place would not. Root may write
// anything, but a file that nobody may write stays protected from it too. A device, a FIFO or a
// folder is never replaced by a plain file.
bool MayReplaceExisting(const std::string& target) {
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    if (!S_ISREG(info.st_mode)) {
        return false;
    }
    const uid_t user = geteuid();
    if (user == 0) {
        return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    }
    if (info.st_uid == user) {
        return (info.st_mode & S_IWUSR) != 0;
    }
    if (InGroup(info.st_gid)) {
        return (info.st_mode & S_IWGRP) != 0;
    }
    return (info.st_mode & S_IWOTH) != 0;
}

// New files get the permissions an ordinary create would give; a replaced file keeps its own.
mode_t ModeForReplacement(const std::string& target) {
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// A writer holds a lock on its temporary for as long as it lives, so only the leftovers of a
// killed save can be locked and removed here.
void RemoveStaleTemporaries(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string prefix = "." + NameOf(target) + kTemporaryInfix;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + kRandomLength ||
            name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const int fd = openat(dirfd(dir), name.c_str(),
                              O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY);
        if (fd < 0) {
            continue;
        }
        struct stat info {};
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
            flock(fd, LOCK_EX | LOCK_NB) == 0) {
            unlinkat(dirfd(dir), name.c_str(), 0);
        }
        close(fd);
    }
    closedir(dir);
}

// The rename is durable only once the folder's entry is on disk. Folders that cannot be flushed
// (EINVAL) have nothing to flush.
bool FlushFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool flushed = fsync(fd) == 0 || errno == EINVAL;
    close(fd);
    return flushed;
}

// Temporary files are named after the target, so leftovers can be recognised; -1 when the
// target may not be replaced or no temporary could be made.
int MakeTemporaryBeside(const std::string& target, std::string& temporaryPath) {
    if (!MayReplaceExisting(target)) {
        return -1;
    }
    RemoveStaleTemporaries(target);
    const std::string pattern = FolderOf(target) + "/." + NameOf(target) + kTemporaryInfix +
                                std::string(kRandomLength, 'X');
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = mkostemp(buffer.data(), O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    temporaryPath = buffer.data();
    if (fchmod(fd, ModeForReplacement(target)) != 0) {
        unlink(temporaryPath.c_str());
        close(fd);
        return -1;
    }
    return fd;
}

// Renames the flushed temporary over the target and flushes the folder.
bool PutInPlace(const std::string& temporaryPath, const std::string& target) {
    if (std::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        unlink(temporaryPath.c_str());
        return false;
    }
    return FlushFolder(FolderOf(target));
}

}  // namespace

TemporaryFile::TemporaryFile(const std::string& target) : target_(ResolvedTarget(target)) {
    fd_ = MakeTemporaryBeside(target_, path_);
    if (fd_ >= 0 && flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        Discard();
    }
}

TemporaryFile::~TemporaryFile() {
    Discard();
}

void TemporaryFile::Discard() {
    if (fd_ < 0) {
        return;
    }
    unlink(path_.c_str());
    close(fd_);
    fd_ = -1;
}

bool TemporaryFile::Commit() {
    if (fd_ < 0 || fsync(fd_) != 0) {
        Discard();
        return false;
    }
    // The lock goes with the descriptor only after the rename, so no other save takes the file
    // for a leftover.
    const bool placed = PutInPlace(path_, target_);
    close(fd_);
    fd_ = -1;
    return placed;
}

namespace {

// A second name for a target's present contents, so a group that fails half-way can put them
// back; "" when the target does not exist. False when one was needed and could not be made.
bool KeepOldContents(const std::string& target, std::string& backup) {
    backup.clear();
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    std::string name;
    const int fd = MakeTemporaryBeside(target, name);
    if (fd < 0) {
        return false;
    }
    close(fd);
    // The fresh name only reserves the place the link takes.
    unlink(name.c_str());
    if (link(target.c_str(), name.c_str()) != 0) {
        return false;
    }
    backup = name;
    return true;
}

}  // namespace

bool CommitTogether(std::vector<std::unique_ptr<TemporaryFile>>& files) {
    bool ready = true;
    std::vector<std::string> backups(files.size());
    for (std::size_t i = 0; ready && i < files.size(); ++i) {
        TemporaryFile& file = *files[i];
        ready = file.IsOpen() && fsync(file.fd_) == 0 && KeepOldContents(file.target_, backups[i]);
    }
    std::size_t placed = 0;
    while (ready && placed < files.size() &&
           std::rename(files[placed]->path_.c_str(), files[placed]->target_.c_str()) == 0) {
        ++placed;
    }
    const bool all = ready && placed == files.size();
    for (std::size_t i = 0; i < files.size(); ++i) {
        TemporaryFile& file = *files[i];
        if (!all && i < placed) {
            if (backups[i].empty()) {
                unlink(file.target_.c_str());
            } else if (std::rename(backups[i].c_str(), file.target_.c_str()) == 0) {
                backups[i].clear();
            }
        }
        if (!backups[i].empty()) {
            unlink(backups[i].c_str());
        }
        if (i >= placed) {
            file.Discard();
        }
    }
    bool flushed = true;
    for (std::unique_ptr<TemporaryFile>& file : files) {
        flushed = (file->fd_ < 0 || FlushFolder(FolderOf(file->target_))) && flushed;
        if (file->fd_ >= 0) {
            close(file->fd_);
            file->fd_ = -1;
        }
    }
    return all && flushed;
}
