#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "formats/file_descriptors.h"

int OpenForWriting(const std::string& path) {
    return open(path.c_str(), O_WRONLY | O_CLOEXEC);
}

bool WriteAllAt(int fd, const uint8_t* data, std::size_t size, uint64_t offset) {
    while (size > 0) {
        const ssize_t written = pwrite(fd, data, size, static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
        offset += static_cast<uint64_t>(written);
    }
    return true;
}

bool FlushToDisk(int fd) {
    return fsync(fd) == 0;
}

bool CloseDescriptor(int fd) {
    return close(fd) == 0;
}
