#include <gtest/gtest.h>

#include <initializer_list>

#include "render/picking.h"

namespace {

// Hit records as the selection buffer holds them: name count, min depth, max depth, names.
PickBuffer Records(std::initializer_list<GLuint> words) {
    PickBuffer buffer{};
    size_t at = 0;
    for (GLuint word : words) {
        buffer[at++] = word;
    }
    return buffer;
}

TEST(NearestHit, NoHitsOrAnOverflowGiveNone) {
    const PickBuffer buffer = Records({1, 100, 200, 5});
    EXPECT_EQ(NearestHit(0, buffer), -1);
    EXPECT_EQ(NearestHit(-1, buffer), -1);
}

TEST(NearestHit, SmallestMinimumDepthWinsAndTiesKeepTheEarlierRecord) {
    const PickBuffer buffer = Records({1, 500, 600, 7,          //
                                       1, 300, 0xFFFFFFFFu, 2,  //
                                       1, 300, 310, 9,          //
                                       1, 800, 900, 1});
    EXPECT_EQ(NearestHit(4, buffer), 2);
    EXPECT_EQ(NearestHit(1, buffer), 7);
}

TEST(NearestHit, DepthsAreComparedAsSinglePrecisionFloats) {
    // Near the far end one float step spans 256 depth units: a depth 1 unit smaller still ties.
    const GLuint deep = 0x80000000u + 256u * 10u;
    const PickBuffer buffer = Records({1, deep, deep, 11, 1, deep - 1, deep, 3});
    EXPECT_EQ(NearestHit(2, buffer), 11);
    const PickBuffer apart = Records({1, deep, deep, 11, 1, deep - 256, deep, 3});
    EXPECT_EQ(NearestHit(2, apart), 3);
}

TEST(NearestHit, EveryNameOfARecordIsWeighed) {
    EXPECT_EQ(NearestHit(2, Records({0, 10, 20, 1, 50, 60, 6})), 6);
    EXPECT_EQ(NearestHit(1, Records({2, 100, 200, 4, 6})), 4);
}

TEST(NearestHit, NeverReadsPastTheBuffer) {
    PickBuffer full{};
    for (size_t record = 0; record < full.size() / 4; ++record) {
        full[record * 4] = 1;
        full[record * 4 + 1] = static_cast<GLuint>(1000 - record);
        full[record * 4 + 3] = static_cast<GLuint>(record);
    }
    EXPECT_EQ(NearestHit(32, full), 31);
    EXPECT_EQ(NearestHit(1000, full), 31);
    // A name count running off the end stops at the last word.
    full[124] = 1000;
    EXPECT_EQ(NearestHit(32, full), 31);
}

}  // namespace
