#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <random>

#include "formats/file_descriptors.h"
#include "formats/path_names.h"
#include "formats/replace_file.h"
#include "scene/utf16.h"

namespace {

constexpr char kTemporaryInfix[] = "-save-";
constexpr std::size_t kRandomLength = 6;
constexpr int kNameAttempts = 100;

std::string FolderOf(const std::string& path) {
    const std::size_t start = FileNameStart(path);
    return start == 0 ? "." : path.substr(0, start - 1);
}

std::string NameOf(const std::string& path) {
    return path.substr(FileNameStart(path));
}

// The replace would succeed over a read-only file only after clearing its flag; the program
// refuses instead, as it does for a file whose mode bits forbid writing elsewhere.
bool MayReplaceExisting(const std::string& target) {
    const DWORD attributes = GetFileAttributesW(Utf16(target).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    return (attributes &
            (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

// A temporary still being written is open without delete sharing, so the system refuses to
// delete it: only the leftovers of a killed save go.
void RemoveStaleTemporaries(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string prefix = "." + NameOf(target) + kTemporaryInfix;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(Utf16(folder + "\\" + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = Utf8(found.cFileName);
        if (name.size() == prefix.size() + kRandomLength &&
            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            DeleteFileW(Utf16(folder + "\\" + name).c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

int MakeTemporaryBeside(const std::string& target, std::string& temporaryPath) {
    if (!MayReplaceExisting(target)) {
        return -1;
    }
    RemoveStaleTemporaries(target);
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string candidate = FolderOf(target) + "\\." + NameOf(target) + kTemporaryInfix;
        for (std::size_t i = 0; i < kRandomLength; ++i) {
            candidate += kLetters[pick(random)];
        }
        const int fd =
            _wopen(Utf16(candidate).c_str(),
                   _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
        if (fd >= 0) {
            temporaryPath = candidate;
            return fd;
        }
        if (errno != EEXIST) {
            return -1;
        }
    }
    return -1;
}

// MOVEFILE_WRITE_THROUGH returns only once the rename is on disk.
bool PutInPlace(const std::string& temporaryPath, const std::string& target) {
    if (!MoveFileExW(Utf16(temporaryPath).c_str(), Utf16(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(Utf16(temporaryPath).c_str());
        return false;
    }
    return true;
}

}  // namespace

TemporaryFile::TemporaryFile(const std::string& target) : target_(target) {
    fd_ = MakeTemporaryBeside(target_, path_);
}

TemporaryFile::~TemporaryFile() {
    Discard();
}

void TemporaryFile::Discard() {
    if (fd_ < 0) {
        return;
    }
    CloseDescriptor(fd_);
    fd_ = -1;
    DeleteFileW(Utf16(path_).c_str());
}

bool TemporaryFile::Commit() {
    if (fd_ < 0 || !FlushToDisk(fd_)) {
        Discard();
        return false;
    }
    // An open file cannot be renamed here, so the descriptor goes first.
    const bool closed = CloseDescriptor(fd_);
    fd_ = -1;
    if (!closed) {
        DeleteFileW(Utf16(path_).c_str());
        return false;
    }
    return PutInPlace(path_, target_);
}

namespace {

// A second name for a target's present contents, so a group that fails half-way can put them
// back; "" when the target does not exist. False when one was needed and could not be made.
bool KeepOldContents(const std::string& target, std::string& backup) {
    backup.clear();
    if (GetFileAttributesW(Utf16(target).c_str()) == INVALID_FILE_ATTRIBUTES) {
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    std::string name;
    const int fd = MakeTemporaryBeside(target, name);
    if (fd < 0) {
        return false;
    }
    CloseDescriptor(fd);
    // The fresh name only reserves the place the link takes.
    DeleteFileW(Utf16(name).c_str());
    if (!CreateHardLinkW(Utf16(name).c_str(), Utf16(target).c_str(), nullptr)) {
        return false;
    }
    backup = name;
    return true;
}

}  // namespace

bool CommitTogether(std::vector<std::unique_ptr<TemporaryFile>>& files) {
    bool ready = true;
    std::vector<std::string> backups(files.size());
    // The old contents are kept aside while every temporary is still open: making a backup
    // clears a target's leftovers, and a closed temporary would look like one.
    for (std::size_t i = 0; i < files.size(); ++i) {
        TemporaryFile& file = *files[i];
        ready = ready && file.fd_ >= 0 && FlushToDisk(file.fd_) &&
                KeepOldContents(file.target_, backups[i]);
    }
    // An open file cannot be renamed here, so every descriptor goes before the renames.
    for (const std::unique_ptr<TemporaryFile>& file : files) {
        if (file->fd_ >= 0) {
            ready = CloseDescriptor(file->fd_) && ready;
            file->fd_ = -1;
        }
    }
    std::size_t placed = 0;
    while (ready && placed < files.size() &&
           MoveFileExW(Utf16(files[placed]->path_).c_str(), Utf16(files[placed]->target_).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ++placed;
    }
    const bool all = ready && placed == files.size();
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::wstring target = Utf16(files[i]->target_);
        if (!all && i < placed) {
            if (backups[i].empty()) {
                DeleteFileW(target.c_str());
            } else if (MoveFileExW(Utf16(backups[i]).c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
                backups[i].clear();
            }
        }
        if (!backups[i].empty()) {
            DeleteFileW(Utf16(backups[i]).c_str());
        }
        if (i >= placed) {
            DeleteFileW(Utf16(files[i]->path_).c_str());
        }
    }
    return all;
}
