// Any bytes may arrive as a texture file: read from disk they must give exactly what the
// in-memory decoder gives, and what is accepted must be a texture of the sizes GL is given.
#include <cstddef>
#include <cstdint>

#include "formats/bmp_reader.h"
#include "fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static const FuzzInputFile input;
    const std::string path = input.Hold(data, size);
    for (int alpha : {kBmpRgb, 128}) {
        const BmpResult result = ReadBmpFile(path, alpha);
        const BmpResult decoded = DecodeBmp(data, size, alpha);
        if (result.status != decoded.status || result.fileType != decoded.fileType ||
            result.bitCount != decoded.bitCount || result.image.width != decoded.image.width ||
            result.image.height != decoded.image.height ||
            result.image.channels != decoded.image.channels ||
            result.image.texels != decoded.image.texels) {
            __builtin_trap();
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
