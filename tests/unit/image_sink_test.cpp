#include "formats/image_sink.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "formats/bmp_writer.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Pattern(int width, int height, int channels) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int values[4] = {x * 9, y * 13, x + y * 3 + 7, x * y};
            for (int c = 0; c < channels; ++c) {
                pixels.push_back(static_cast<uint8_t>(values[c]));
            }
        }
    }
    return pixels;
}

class ImageSinkTest : public testing::Test {
  protected:
    std::size_t FilesInDir() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()));
    }
    // Writes the pixels in bands of 4 rows, the last one shorter.
    ImageWriteStatus WriteInBands(const std::string& path, ImageFileType type, int width,
                                  int height, int channels, const std::vector<uint8_t>& pixels) {
        ImageWriteStatus status;
        auto sink = OpenImageFile(path, type, {width, height, channels}, {}, status);
        if (!sink) {
            return status;
        }
        const std::size_t stride = static_cast<std::size_t>(width) * channels;
        for (int y = 0; y < height; y += 4) {
            EXPECT_TRUE(
                sink->WriteRows(pixels.data() + y * stride, std::min(4, height - y), stride));
        }
        return sink->Finish();
    }
    TempFolder dir{"vm_sink"};
};

TEST_F(ImageSinkTest, PngWrittenInBandsDecodesWithLibpngToTheSamePixels) {
    for (const int channels : {3, 4}) {
        const std::vector<uint8_t> pixels = Pattern(23, 11, channels);
        const std::string path = (dir / ("p" + std::to_string(channels) + ".png")).string();
        ASSERT_EQ(WriteInBands(path, ImageFileType::kPng, 23, 11, channels, pixels),
                  ImageWriteStatus::kOk);
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
        EXPECT_EQ(image.width, 23u);
        EXPECT_EQ(image.height, 11u);
        EXPECT_EQ((image.format & PNG_FORMAT_FLAG_ALPHA) != 0, channels == 4);
        image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
        std::vector<uint8_t> decoded(PNG_IMAGE_SIZE(image));
        ASSERT_TRUE(png_image_finish_read(&image, nullptr, decoded.data(), 0, nullptr));
        EXPECT_EQ(decoded, pixels);
    }
}

TEST_F(ImageSinkTest, BmpWrittenInBandsEqualsTheWholeImageEncoding) {
    const std::vector<uint8_t> pixels = Pattern(5, 9, 3);
    const fs::path path = dir / "b.bmp";
    ASSERT_EQ(WriteInBands(path.string(), ImageFileType::kBmp, 5, 9, 3, pixels),
              ImageWriteStatus::kOk);
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    EXPECT_EQ(file, EncodeBmp24({5, 9, 15, pixels.data()}));
}

TEST_F(ImageSinkTest, FailuresLeaveNoFileBehind) {
    ImageWriteStatus status;
    const std::string missingDir = (dir / "none" / "x.png").string();
    EXPECT_EQ(OpenImageFile(missingDir, ImageFileType::kPng, {4, 4, 3}, {}, status), nullptr);
    EXPECT_EQ(status, ImageWriteStatus::kCannotWrite);
    EXPECT_EQ(OpenImageFile((dir / "a.bmp").string(), ImageFileType::kBmp, {4, 4, 4}, {}, status),
              nullptr);
    EXPECT_EQ(status, ImageWriteStatus::kUnsupported);
    for (const ImageFileType type : {ImageFileType::kPng, ImageFileType::kBmp}) {
        // Too few rows, then dropped unfinished.
        auto sink = OpenImageFile((dir / "short").string(), type, {4, 4, 3}, {}, status);
        ASSERT_NE(sink, nullptr);
        const std::vector<uint8_t> row(12, 0);
        ASSERT_TRUE(sink->WriteRows(row.data(), 1, 12));
        EXPECT_EQ(sink->Finish(), ImageWriteStatus::kCannotWrite);
        auto dropped = OpenImageFile((dir / "dropped").string(), type, {4, 4, 3}, {}, status);
        ASSERT_NE(dropped, nullptr);
        dropped.reset();
    }
    EXPECT_EQ(FilesInDir(), 0u);
}

TEST(ImageFileType, FollowsTheExtensionInAnyCase) {
    ImageFileType type = ImageFileType::kBmp;
    EXPECT_TRUE(ImageFileTypeFromPath("a/logo.PNG", type));
    EXPECT_EQ(type, ImageFileType::kPng);
    EXPECT_TRUE(ImageFileTypeFromPath("x.jpeg", type));
    EXPECT_EQ(type, ImageFileType::kJpeg);
    EXPECT_FALSE(ImageFileTypeFromPath("dir.png/logo", type));
    EXPECT_FALSE(ImageFileTypeFromPath("logo.gif", type));
}

}  // namespace
