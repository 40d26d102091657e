#include <sys/stat.h>

#include "formats/regular_file.h"
#include "scene/utf16.h"

FileHandle OpenRegularFile(const std::string& path) {
    FileHandle file(_wfopen(Utf16(path).c_str(), L"rb"));
    struct _stat64 info {};
    if (!file || _fstat64(_fileno(file.get()), &info) != 0 ||
        (info.st_mode & _S_IFMT) != _S_IFREG) {
        return nullptr;
    }
    return file;
}
