#include "formats/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

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

// New files get the permissions an ordinary create would give; a replaced file keeps its own.
mode_t ModeForReplacement(const std::string& path) {
    struct stat existing {};
    if (stat(path.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// An open descriptor of a new temporary file beside path, or -1.
int OpenTemporaryBeside(const std::string& path, std::string& temporaryPath) {
    const std::string target = ResolvedTarget(path);
    std::vector<char> pattern(target.begin(), target.end());
    const char suffix[] = ".tmp-XXXXXX";
    pattern.insert(pattern.end(), suffix, suffix + sizeof suffix);
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        return -1;
    }
    temporaryPath = pattern.data();
    if (fchmod(fd, ModeForReplacement(path)) != 0) {
        close(fd);
        unlink(temporaryPath.c_str());
        return -1;
    }
    return fd;
}

bool WriteAll(int fd, const uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const uint8_t* data, std::size_t size) {
    std::string temporaryPath;
    const int fd = OpenTemporaryBeside(path, temporaryPath);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, data, size) && fsync(fd) == 0;
    const bool closed = close(fd) == 0;
    if (!written || !closed) {
        unlink(temporaryPath.c_str());
        return false;
    }
    return CommitTemporaryFile(temporaryPath, path);
}

std::string CreateTemporaryFileBeside(const std::string& path) {
    std::string temporaryPath;
    const int fd = OpenTemporaryBeside(path, temporaryPath);
    if (fd < 0) {
        return {};
    }
    close(fd);
    return temporaryPath;
}

bool CommitTemporaryFile(const std::string& temporaryPath, const std::string& path) {
    if (std::rename(temporaryPath.c_str(), ResolvedTarget(path).c_str()) != 0) {
        unlink(temporaryPath.c_str());
        return false;
    }
    return true;
}
