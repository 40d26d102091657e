// Any bytes may arrive as a texture file: what is accepted must be a texture of the sizes GL is
// given, and read from disk (for a share of the inputs) it must be exactly what memory gives.
#include <cstddef>
#include <cstdint>

#include "formats/bmp_reader.h"
#include "fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const FuzzInputFile input;
    const bool throughFiles = ThroughFiles(data, size);
    const std::string path = throughFiles ? input.Hold(data, size) : std::string();
    for (int alpha : {kBmpRgb, 128}) {
        const BmpResult result = DecodeBmp(data, size, alpha);
        if (throughFiles) {
            const BmpResult fromFile = ReadBmpFile(path, alpha);
            if (result.status != fromFile.status || result.fileType != fromFile.fileType ||
                result.bitCount != fromFile.bitCount ||
                result.image.width != fromFile.image.width ||
                result.image.height != fromFile.image.height ||
                result.image.channels != fromFile.image.channels ||
                result.image.texels != fromFile.image.texels) {
                __builtin_trap();
            }
        }
        if (result.status == BmpStatus::kOk) {
            const BmpImage& image = result.image;
            const std::size_t expected = static_cast<std::size_t>(image.width) * image.height *
                                         static_cast<std::size_t>(image.channels);
            if (!CheckTextureSize(image.width, image.height) || image.texels.size() != expected) {
                __builtin_trap();
            }
        }
        BmpFailureMessage(result);
    }
    return 0;
}
