// Any bytes may arrive as a texture file: the reader must stop at their end, and what it accepts
// must be a texture of the sizes GL is given.
#include <cstddef>
#include <cstdint>

#include "formats/bmp_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    for (int alpha : {kBmpRgb, 128}) {
        const BmpResult result = DecodeBmp(data, size, alpha);
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
