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

namespace {

// Volume and file index, which name a file whatever path reaches it; false when it cannot be
// opened.
bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file =
        CreateFileW(Utf16(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return known;
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return FileIdentity(a, first) && FileIdentity(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}
