#include "formats/replace_file.h"

#include "formats/file_descriptors.h"

bool ReplaceFileContents(const std::string& path, const uint8_t* data, std::size_t size) {
    TemporaryFile file(path);
    return file.IsOpen() && WriteAllAt(file.fd(), data, size, 0) && file.Commit();
}
