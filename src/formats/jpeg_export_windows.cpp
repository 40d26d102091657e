#include "formats/jpeg_export.h"
#include "scene/utf16.h"

namespace {

constexpr char kPluginFile[] = "SaveJPG.dll";

}  // namespace

// Windows programs keep their libraries beside them; there is no installation folder to try.
std::string FindJpegPlugin(const std::string& executableDir) {
    if (!executableDir.empty()) {
        const std::string candidate = executableDir + "\\" + kPluginFile;
        if (GetFileAttributesW(Utf16(candidate).c_str()) != INVALID_FILE_ATTRIBUTES) {
            return candidate;
        }
    }
    return {};
}

std::string ExecutableDir() {
    std::wstring buffer(32768, L'\0');
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) {
        return {};
    }
    buffer.resize(length);
    return Utf8(buffer.substr(0, buffer.find_last_of(L"\\/")));
}

uint16_t SaveDCToJpeg(const std::string& library, const VmImageRecord* image, int32_t width,
                      int32_t height, const char* path, uint8_t quality, uint16_t progressive) {
    // Only the named file, not the folders of the system's search.
    if (library.find_first_of("\\/") == std::string::npos) {
        return VM_JPEG_WRITER_MISSING;
    }
    HMODULE module = LoadLibraryExW(Utf16(library).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (module == nullptr) {
        return VM_JPEG_WRITER_MISSING;
    }
    const auto save = reinterpret_cast<VmSaveJpegFunction>(
        reinterpret_cast<void*>(GetProcAddress(module, VM_JPEG_FUNCTION_NAME)));
    const uint16_t result = save ? save(image, width, height, path, quality, progressive)
                                 : static_cast<uint16_t>(VM_JPEG_WRITER_MISSING);
    FreeLibrary(module);
    return result;
}
