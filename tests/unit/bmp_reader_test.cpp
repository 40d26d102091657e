#include "formats/bmp_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "../support/bmp_samples.h"
#include "resources/texts.h"

namespace {

using bmp_samples::Rgb;

Rgb TexelAt(const BmpImage& image, int x, int row) {
    const uint8_t* p = image.texels.data() + (row * image.width + x) * image.channels;
    return {p[0], p[1], p[2]};
}

// A picture that differs in every column and every row, and marks its top-left corner.
Rgb Pattern(int x, int y) {
    if (x == 0 && y == 0) {
        return {255, 0, 0};
    }
    return {static_cast<uint8_t>(x * 8), static_cast<uint8_t>(y * 16), 77};
}

BmpResult Decode(const std::vector<uint8_t>& bytes, int alpha = kBmpRgb) {
    return DecodeBmp(bytes.data(), bytes.size(), alpha);
}

TEST(BmpReader, TextureSidesArePowersOfTwoFrom8To256TestedEachTime) {
    for (int side : {8, 16, 32, 64, 128, 256}) {
        EXPECT_TRUE(CheckTextureSize(side, 8)) << side;
        EXPECT_TRUE(CheckTextureSize(8, side)) << side;
    }
    for (int side : {0, 1, 2, 4, 7, 9, 100, 512, -8, -256}) {
        EXPECT_FALSE(CheckTextureSize(side, 64)) << side;
        EXPECT_FALSE(CheckTextureSize(64, side)) << side;
    }
    EXPECT_TRUE(CheckTextureSize(64, 64));
    EXPECT_FALSE(CheckTextureSize(100, 64));
}

TEST(BmpReader, TwentyFourBitRowsComeOutRowMajorWithTheBottomRowFirst) {
    // 16 x 8: a wrong transposition or row order cannot hide in a picture this shape.
    const BmpResult result = Decode(bmp_samples::Make24(16, 8, Pattern));
    ASSERT_EQ(result.status, BmpStatus::kOk);
    const BmpImage& image = result.image;
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.height, 8);
    EXPECT_EQ(image.channels, 3);
    ASSERT_EQ(image.texels.size(), 16u * 8u * 3u);
    for (int row = 0; row < 8; ++row) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(TexelAt(image, x, row), Pattern(x, 7 - row)) << x << "," << row;
        }
    }
    // The marked top-left corner is the first texel of the last row.
    EXPECT_EQ(TexelAt(image, 0, 7), (Rgb{255, 0, 0}));
}

TEST(BmpReader, TwentyFourBitPixelsStartAtTheirOffset) {
    std::vector<uint8_t> bytes = bmp_samples::Make24(8, 8, Pattern);
    // Twelve extra bytes between the header and the pixels, pointed at by bfOffBits.
    bytes.insert(bytes.begin() + 54, 12, 0xEE);
    bytes[10] = 54 + 12;
    const BmpResult result = Decode(bytes);
    ASSERT_EQ(result.status, BmpStatus::kOk);
    EXPECT_EQ(TexelAt(result.image, 3, 2), Pattern(3, 5));
}

TEST(BmpReader, EightBitIndicesGoThroughThePaletteFromOffset1078) {
    auto palette = [](int i) {
        return Rgb{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                   static_cast<uint8_t>(i ^ 0x5A)};
    };
    auto index = [](int x, int y) { return static_cast<uint8_t>(x * 16 + y); };
    std::vector<uint8_t> bytes = bmp_samples::Make8(16, 16, index, palette);
    bytes[10] = 0;  // bfOffBits is not used for 8-bit files
    const BmpResult result = Decode(bytes);
    ASSERT_EQ(result.status, BmpStatus::kOk);
    // The first index byte (offset 1078) is the bottom-left pixel.
    EXPECT_EQ(TexelAt(result.image, 0, 0), palette(bytes[1078]));
    for (int row = 0; row < 16; ++row) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(TexelAt(result.image, x, row), palette(index(x, 15 - row)));
        }
    }
}

TEST(BmpReader, AlphaOtherThanMinusOneGivesRgbaWithItsLowByte) {
    const std::vector<uint8_t> bytes = bmp_samples::Make24(8, 8, Pattern);
    for (int alpha : {-2, 0, 128, 255}) {
        const BmpResult result = Decode(bytes, alpha);
        ASSERT_EQ(result.status, BmpStatus::kOk);
        EXPECT_EQ(result.image.channels, 4);
        EXPECT_EQ(result.image.texels[3], static_cast<uint8_t>(alpha));
        EXPECT_EQ(result.image.texels.back(), static_cast<uint8_t>(alpha));
    }
    EXPECT_EQ(Decode(bytes, -3).status, BmpStatus::kBadAlpha);
    EXPECT_EQ(Decode(bytes, 256).status, BmpStatus::kBadAlpha);
}

TEST(BmpReader, ChecksComeInTheirOrderWithWhatTheMessageShows) {
    std::vector<uint8_t> sixteen = bmp_samples::Make24(100, 100, Pattern);
    sixteen[28] = 16;  // also the wrong size: the format is tested first
    BmpResult result = Decode(sixteen);
    EXPECT_EQ(result.status, BmpStatus::kBadFormat);
    EXPECT_EQ(result.fileType, 'B');
    EXPECT_EQ(result.bitCount, 16);
    EXPECT_EQ(BmpFailureMessage(result),
              "ビットマップフォーマットが不正です。\nファイルタイプ　B\n色数　　16bit");

    std::vector<uint8_t> png = bmp_samples::Make24(8, 8, Pattern);
    png[0] = 'P';
    result = Decode(png);
    EXPECT_EQ(result.status, BmpStatus::kBadFormat);
    EXPECT_EQ(BmpFailureMessage(result),
              "ビットマップフォーマットが不正です。\nファイルタイプ　P\n色数　　24bit");
    png[0] = '%';
    EXPECT_NE(BmpFailureMessage(Decode(png)).find("タイプ　%\n"), std::string::npos);
    png[0] = 0x01;
    EXPECT_NE(BmpFailureMessage(Decode(png)).find("タイプ　?\n"), std::string::npos);

    for (auto [w, h] : {std::pair{100, 100}, {512, 512}, {4, 4}, {100, 64}, {64, -64}}) {
        std::vector<uint8_t> bytes = bmp_samples::Make24(8, 8, Pattern);
        bmp_samples::Put(bytes, 18, static_cast<uint32_t>(w), 4);
        bmp_samples::Put(bytes, 22, static_cast<uint32_t>(h), 4);
        result = Decode(bytes);
        EXPECT_EQ(result.status, BmpStatus::kBadSize) << w << "x" << h;
        EXPECT_EQ(BmpFailureMessage(result), texts::kBadBitmapSize);
        EXPECT_TRUE(result.image.texels.empty());
    }
}

TEST(BmpReader, TruncatedFilesAreRefusedWithTheFormatMessage) {
    const std::vector<uint8_t> whole24 = bmp_samples::Make24(64, 64, Pattern);
    const std::vector<uint8_t> whole8 = bmp_samples::Make8(
        64, 64, [](int x, int) { return static_cast<uint8_t>(x); },
        [](int i) {
            return Rgb{static_cast<uint8_t>(i), 0, 0};
        });
    for (const auto* whole : {&whole24, &whole8}) {
        for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{29}, std::size_t{53},
                                 std::size_t{54}, std::size_t{600}, whole->size() - 1}) {
            // A buffer of exactly the short length: any read past it is caught by ASan.
            const std::vector<uint8_t> cut(whole->begin(), whole->begin() + size);
            const BmpResult result = Decode(cut);
            EXPECT_EQ(result.status, BmpStatus::kBadFormat) << size;
            EXPECT_TRUE(result.image.texels.empty());
        }
        EXPECT_EQ(Decode(*whole).status, BmpStatus::kOk);
    }
    // Pixels said to start far beyond the end of the file.
    std::vector<uint8_t> farOffset = whole24;
    bmp_samples::Put(farOffset, 10, 0xFFFFFFF0u, 4);
    EXPECT_EQ(Decode(farOffset).status, BmpStatus::kBadFormat);
}

class BmpFile : public testing::Test {
  protected:
    void TearDown() override { std::filesystem::remove(path); }
    void Write(const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    std::string path = (std::filesystem::temp_directory_path() /
                        ("vm_bmp_reader_" + std::to_string(getpid()) + ".bmp"))
                           .string();
};

TEST_F(BmpFile, FileDecodesLikeTheSameBytesInMemory) {
    const std::vector<uint8_t> bytes = bmp_samples::Make24(32, 8, Pattern);
    Write(bytes);
    const BmpResult fromFile = ReadBmpFile(path, kBmpRgb);
    ASSERT_EQ(fromFile.status, BmpStatus::kOk);
    EXPECT_EQ(fromFile.image.texels, Decode(bytes).image.texels);

    const std::vector<uint8_t> eight = bmp_samples::Make8(
        8, 16, [](int x, int y) { return static_cast<uint8_t>(x + y * 8); },
        [](int i) {
            return Rgb{static_cast<uint8_t>(i), 1, 2};
        });
    Write(eight);
    EXPECT_EQ(ReadBmpFile(path, 0).image.texels, Decode(eight, 0).image.texels);
}

TEST_F(BmpFile, MissingTruncatedAndFolderPathsAreRefused) {
    EXPECT_EQ(ReadBmpFile(path, kBmpRgb).status, BmpStatus::kCannotOpen);
    EXPECT_EQ(BmpFailureMessage(ReadBmpFile(path, kBmpRgb)), "ファイルオープン失敗");
    EXPECT_EQ(ReadBmpFile(std::filesystem::temp_directory_path().string(), kBmpRgb).status,
              BmpStatus::kCannotOpen);
    // A FIFO without a writer would block the open for good.
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(ReadBmpFile(path, kBmpRgb).status, BmpStatus::kCannotOpen);
    std::filesystem::remove(path);
    std::vector<uint8_t> bytes = bmp_samples::Make24(64, 64, Pattern);
    bytes.resize(bytes.size() - 3);
    Write(bytes);
    EXPECT_EQ(ReadBmpFile(path, kBmpRgb).status, BmpStatus::kBadFormat);
    Write({'B'});
    EXPECT_EQ(ReadBmpFile(path, kBmpRgb).status, BmpStatus::kBadFormat);
    EXPECT_EQ(ReadBmpFile(path, 300).status, BmpStatus::kBadAlpha);
}

}  // namespace

namespace {

TEST(BmpSeeds, SeedCorpusReadsAsIntended) {
    const std::string seeds = std::string(VELLUMARK_TEST_DATA) + "/fuzz/bmp/";
    EXPECT_EQ(ReadBmpFile(seeds + "rgb_8x8.bmp", kBmpRgb).status, BmpStatus::kOk);
    const BmpResult indexed = ReadBmpFile(seeds + "indexed_8x8.bmp", kBmpRgb);
    ASSERT_EQ(indexed.status, BmpStatus::kOk);
    EXPECT_EQ(indexed.image.texels[5], 1);  // index 1 through the palette: blue 1
    EXPECT_EQ(ReadBmpFile(seeds + "truncated_rgb.bmp", kBmpRgb).status, BmpStatus::kBadFormat);
    EXPECT_EQ(ReadBmpFile(seeds + "depth_16.bmp", kBmpRgb).status, BmpStatus::kBadFormat);
    EXPECT_EQ(ReadBmpFile(seeds + "size_100.bmp", kBmpRgb).status, BmpStatus::kBadSize);
    EXPECT_EQ(ReadBmpFile(seeds + "far_offset.bmp", kBmpRgb).status, BmpStatus::kBadFormat);
    EXPECT_EQ(ReadBmpFile(seeds + "top_down.bmp", kBmpRgb).status, BmpStatus::kBadSize);
}

}  // namespace
