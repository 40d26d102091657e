// Needs the plug-in this build made; builds without it (the display-free build) skip the file.
#ifdef VELLUMARK_JPEG_PLUGIN

#include <gtest/gtest.h>

#include <filesystem>

#include "formats/jpeg_export.h"
#include "render/capture.h"
#include "support/temp_folder.h"
#include "tests/support/jpeg_decode.h"

namespace {

namespace fs = std::filesystem;

// Left half red, right half blue, with a green band along the top.
CapturedImage Picture(int width, int height) {
    CapturedImage image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool top = y < height / 4;
            image.rgb.push_back(top ? 0 : (x < width / 2 ? 230 : 0));
            image.rgb.push_back(top ? 230 : 0);
            image.rgb.push_back(top ? 0 : (x < width / 2 ? 0 : 230));
        }
    }
    return image;
}

class CaptureJpeg : public testing::Test {
  protected:
    CaptureTarget Target(const std::string& name) const {
        return {(dir / name).string(), kCaptureJpeg, VELLUMARK_JPEG_PLUGIN};
    }
    std::size_t FilesInDir() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()));
    }

    TempFolder dir{"vm_jpeg"};
    AppSettings settings;
};

TEST_F(CaptureJpeg, WrittenFileDecodesToThePictureItWasGiven) {
    settings.jpegProgressive = 0;
    settings.jpegQuality = 90;
    const CaptureTarget target = Target("shot.bmp");  // the type follows the choice, not the name
    ASSERT_EQ(WriteCapture(Picture(96, 40), target, settings), CaptureStatus::kOk);
    const DecodedJpeg jpeg = DecodeJpeg(target.path);
    ASSERT_TRUE(jpeg.ok);
    EXPECT_EQ(jpeg.width, 96);
    EXPECT_EQ(jpeg.height, 40);
    EXPECT_FALSE(jpeg.progressive);
    auto pixel = [&](int x, int y) { return jpeg.rgb.data() + (y * 96 + x) * 3; };
    EXPECT_GT(pixel(10, 2)[1], 180);   // green top band
    EXPECT_GT(pixel(10, 30)[0], 180);  // red lower left
    EXPECT_LT(pixel(10, 30)[2], 60);
    EXPECT_GT(pixel(80, 30)[2], 180);  // blue lower right
    EXPECT_EQ(FilesInDir(), 1u);
}

TEST_F(CaptureJpeg, ProgressiveAndQualityPreferencesReachTheWriter) {
    settings.jpegProgressive = 1;
    settings.jpegQuality = 50;
    ASSERT_EQ(WriteCapture(Picture(64, 64), Target("p.jpg"), settings), CaptureStatus::kOk);
    const DecodedJpeg progressive = DecodeJpeg(Target("p.jpg").path);
    EXPECT_TRUE(progressive.progressive);
    // Quality 50 keeps the standard luminance table, whose first step is 16.
    EXPECT_EQ(progressive.firstLuminanceQuant, 16);

    settings.jpegProgressive = 0;
    settings.jpegQuality = 100;
    ASSERT_EQ(WriteCapture(Picture(64, 64), Target("b.jpg"), settings), CaptureStatus::kOk);
    const DecodedJpeg baseline = DecodeJpeg(Target("b.jpg").path);
    EXPECT_FALSE(baseline.progressive);
    EXPECT_EQ(baseline.firstLuminanceQuant, 1);
}

TEST_F(CaptureJpeg, WriterRefusesBadArgumentsAndAnUncreatableFile) {
    const CapturedImage image = Picture(8, 8);
    const VmImageRecord record = image.Record();
    const std::string path = (dir / "x.jpg").string();
    EXPECT_EQ(SaveDCToJpeg(VELLUMARK_JPEG_PLUGIN, &record, 9, 8, path.c_str(), 50, 0),
              VM_JPEG_BAD_ARGUMENTS);
    EXPECT_EQ(SaveDCToJpeg(VELLUMARK_JPEG_PLUGIN, nullptr, 8, 8, path.c_str(), 50, 0),
              VM_JPEG_BAD_ARGUMENTS);
    const std::string nowhere = (dir / "no" / "x.jpg").string();
    EXPECT_EQ(SaveDCToJpeg(VELLUMARK_JPEG_PLUGIN, &record, 8, 8, nowhere.c_str(), 50, 0xFFFF),
              VM_JPEG_CANNOT_CREATE);
    EXPECT_EQ(FilesInDir(), 0u);
    EXPECT_EQ(SaveDCToJpeg(VELLUMARK_JPEG_PLUGIN, &record, 8, 8, path.c_str(), 1, 0xFFFF),
              VM_JPEG_OK);
    EXPECT_EQ(DecodeJpeg(path).width, 8);
}

}  // namespace

#endif
