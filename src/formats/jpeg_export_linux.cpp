#include <dlfcn.h>
#include <unistd.h>

#include <initializer_list>
#include <vector>

#include "formats/jpeg_export.h"

namespace {

constexpr char kPluginFile[] = "libSaveJPG.so";

}  // namespace

std::string FindJpegPlugin(const std::string& executableDir) {
    if (!executableDir.empty()) {
        for (const char* folder : {"/", "/../lib/vellumark/"}) {
            const std::string candidate = executableDir + folder + kPluginFile;
            if (access(candidate.c_str(), R_OK) == 0) {
                return candidate;
            }
        }
    }
    return {};
}

std::string ExecutableDir() {
    std::vector<char> buffer(4096);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) {
        return {};
    }
    const std::string path(buffer.data(), static_cast<std::size_t>(n));
    return path.substr(0, path.rfind('/'));
}

uint16_t SaveDCToJpeg(const std::string& library, const VmImageRecord* image, int32_t width,
                      int32_t height, const char* path, uint8_t quality, uint16_t progressive) {
    if (library.empty() || library[0] != '/') {
        return VM_JPEG_WRITER_MISSING;
    }
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        return VM_JPEG_WRITER_MISSING;
    }
    const auto save = reinterpret_cast<VmSaveJpegFunction>(dlsym(handle, VM_JPEG_FUNCTION_NAME));
    if (!save) {
        dlclose(handle);
        return VM_JPEG_WRITER_MISSING;
    }
    const uint16_t result = save(image, width, height, path, quality, progressive);
    dlclose(handle);
    return result;
}
