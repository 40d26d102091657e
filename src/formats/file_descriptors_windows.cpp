#include <fcntl.h>
#include <io.h>

#include "formats/file_descriptors.h"
#include "scene/utf16.h"

int OpenForWriting(const std::string& path) {
    return _wopen(Utf16(path).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
}

bool WriteAllAt(int fd, const uint8_t* data, std::size_t size, uint64_t offset) {
    if (_lseeki64(fd, static_cast<__int64>(offset), SEEK_SET) < 0) {
        return false;
    }
    while (size > 0) {
        const unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
        const int written = _write(fd, data, chunk);
        if (written <= 0) {
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool FlushToDisk(int fd) {
    return _commit(fd) == 0;
}

bool CloseDescriptor(int fd) {
    return _close(fd) == 0;
}
