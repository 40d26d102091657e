#include "formats/bmp_writer.h"

#include <gtest/gtest.h>

#include "formats/bmp_reader.h"

namespace {

uint32_t U32At(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t U16At(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// Top-down RGB rows in which every pixel is told apart by its column and row.
std::vector<uint8_t> Picture(int width, int height) {
    std::vector<uint8_t> rgb;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            rgb.push_back(static_cast<uint8_t>(x));
            rgb.push_back(static_cast<uint8_t>(y));
            rgb.push_back(static_cast<uint8_t>(x + y + 100));
        }
    }
    return rgb;
}

TEST(BmpWriter, RowBytesArePaddedToFour) {
    EXPECT_EQ(BmpRowBytes(1), 4u);
    EXPECT_EQ(BmpRowBytes(4), 12u);
    EXPECT_EQ(BmpRowBytes(5), 16u);
    EXPECT_EQ(BmpRowBytes(200), 600u);
    EXPECT_EQ(BmpRowBytes(1023), 3072u);
}

TEST(BmpWriter, HeaderHoldsExactlyTheListedValues) {
    const std::vector<uint8_t> rgb = Picture(200, 150);
    const std::vector<uint8_t> file = EncodeBmp24({200, 150, 600, rgb.data()});
    ASSERT_EQ(file.size(), 54u + 600u * 150u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(U32At(file, 2), 54u + 600u * 150u);
    EXPECT_EQ(U32At(file, 6), 0u);
    EXPECT_EQ(U32At(file, 10), 54u);
    EXPECT_EQ(U32At(file, 14), 40u);
    EXPECT_EQ(U32At(file, 18), 200u);
    EXPECT_EQ(U32At(file, 22), 150u);
    EXPECT_EQ(U16At(file, 26), 1u);
    EXPECT_EQ(U16At(file, 28), 24u);
    for (std::size_t at = 30; at < 54; at += 4) {
        EXPECT_EQ(U32At(file, at), 0u) << at;
    }
}

TEST(BmpWriter, RowsRunBottomUpInBlueGreenRedWithZeroPadding) {
    const int width = 5;
    const int height = 3;
    const std::vector<uint8_t> rgb = Picture(width, height);
    const std::vector<uint8_t> file = EncodeBmp24({width, height, width * 3, rgb.data()});
    ASSERT_EQ(file.size(), 54u + 16u * 3u);
    // First stored pixel: the bottom-left pixel of the picture (x 0, y 2).
    EXPECT_EQ(file[54], 102);  // blue
    EXPECT_EQ(file[55], 2);    // green
    EXPECT_EQ(file[56], 0);    // red
    for (int row = 0; row < height; ++row) {
        EXPECT_EQ(file[54 + row * 16 + 15], 0) << "padding of row " << row;
        const int y = height - 1 - row;
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &file[54 + row * 16 + x * 3];
            EXPECT_EQ(p[2], x);
            EXPECT_EQ(p[1], y);
            EXPECT_EQ(p[0], x + y + 100);
        }
    }
}

TEST(BmpWriter, SourceRowsMayBeFartherApartThanTheirPixels) {
    // A record whose rows carry 2 extra bytes each: those must not reach the file.
    std::vector<uint8_t> rgb(2 * 8, 0xAB);
    rgb[0] = 1;
    rgb[8] = 2;
    const std::vector<uint8_t> file = EncodeBmp24({2, 2, 8, rgb.data()});
    EXPECT_EQ(file[54 + 2], 2);  // bottom row is source row 1
    EXPECT_EQ(file[54 + 8 + 2], 1);
    EXPECT_EQ(file[54 + 6], 0);
}

TEST(BmpWriter, WrittenTextureSizedFileReadsBackAsTheSamePicture) {
    const std::vector<uint8_t> rgb = Picture(16, 8);
    const std::vector<uint8_t> file = EncodeBmp24({16, 8, 48, rgb.data()});
    const BmpResult back = DecodeBmp(file.data(), file.size(), kBmpRgb);
    ASSERT_EQ(back.status, BmpStatus::kOk);
    // The reader gives the bottom row first.
    for (int row = 0; row < 8; ++row) {
        const auto first = back.image.texels.begin() + row * 48;
        const auto source = rgb.begin() + (7 - row) * 48;
        EXPECT_TRUE(std::equal(first, first + 48, source)) << row;
    }
}

}  // namespace
