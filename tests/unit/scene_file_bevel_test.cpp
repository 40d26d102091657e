#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "formats/scene_file.h"

namespace {

void MakeLive(TextObject& object, const std::string& text) {
    object.SetText(text);
    object.glyphCount = static_cast<int32_t>(text.size());
}

BevelSettings Bevel(BevelProfile profile, float width, float depth, int segments, bool back) {
    BevelSettings bevel;
    bevel.profile = profile;
    bevel.width = width;
    bevel.depth = depth;
    bevel.segments = segments;
    bevel.backToo = back;
    return bevel;
}

uint32_t U32At(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// Bevel settings that change nothing leave the file as it always was: records only.
TEST(SceneFileBevels, SceneWithoutBevelsWritesNoBlock) {
    Scene scene;
    MakeLive(scene.objects[0], "a");
    MakeLive(scene.objects[3], "b");
    scene.objects[3].bevel.width = 0.04f;                                         // profile none
    scene.objects[7].bevel = Bevel(BevelProfile::kRound, 0.03f, 0.03f, 3, true);  // free slot
    const std::vector<uint8_t> plain = EncodeSceneFile(scene);
    EXPECT_EQ(plain.size(), kSceneHeaderSize + 2 * kSceneRecordSize);
    Scene reference;
    MakeLive(reference.objects[0], "a");
    MakeLive(reference.objects[3], "b");
    EXPECT_EQ(plain, EncodeSceneFile(reference));
}

// All 32 slots live, bevels on three of them: the block follows the 32nd record, is laid out
// field by field with zlib's check, and a save and reload keeps every value to the bit.
TEST(SceneFileBevels, BevelsFollowTheRecordsAndRoundTripExactly) {
    Scene scene;
    for (int i = 0; i < kSlotCount; ++i) {
        MakeLive(scene.objects[i], "s" + std::to_string(i));
    }
    scene.objects[0].bevel = Bevel(BevelProfile::kChamfer, 0.05f, 0.0125f, 4, true);
    scene.objects[9].bevel = Bevel(BevelProfile::kRound, 0.0123f, 0.05f, 8, false);
    scene.objects[31].bevel = Bevel(BevelProfile::kRound, 1e-4f, 0.02f, 1, true);
    const std::vector<uint8_t> bytes = EncodeSceneFile(scene);
    const std::size_t at = kSceneHeaderSize + kSlotCount * kSceneRecordSize;
    ASSERT_EQ(bytes.size(), at + 8 + 3 * 12 + 4);
    EXPECT_EQ(std::string(bytes.begin() + at, bytes.begin() + at + 4), "VMKB");
    EXPECT_EQ(bytes[at + 4] | bytes[at + 5] << 8, 1);
    EXPECT_EQ(bytes[at + 6] | bytes[at + 7] << 8, 3);
    const uint8_t entries[3][4] = {{0, 1, 1, 1}, {9, 2, 8, 0}, {31, 2, 1, 1}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(0, std::memcmp(&bytes[at + 8 + 12 * k], entries[k], 4)) << k;
    }
    float width;
    std::memcpy(&width, &bytes[at + 8 + 12 + 4], 4);
    EXPECT_EQ(width, 0.0123f);
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), &bytes[at], 8 + 36);
    EXPECT_EQ(U32At(bytes, at + 44), crc);

    const std::string path =
        (std::filesystem::temp_directory_path() / ("vm_bevel_" + std::to_string(getpid()) + ".vmk"))
            .string();
    ASSERT_EQ(WriteSceneFile(path, scene), SceneFileStatus::kOk);
    Scene loaded;
    ASSERT_EQ(ReadSceneFile(path, loaded), SceneFileStatus::kOk);
    std::filesystem::remove(path);
    for (int i = 0; i < kSlotCount; ++i) {
        BevelSettings expected = scene.objects[i].bevel;
        if (expected.profile == BevelProfile::kChamfer) {
            expected.segments = BevelSettings{}.segments;  // a chamfer has no steps to keep
        }
        EXPECT_EQ(loaded.objects[i].bevel, expected) << i;
        loaded.objects[i].glyphCount = scene.objects[i].glyphCount;
    }
    EXPECT_EQ(EncodeSceneFile(loaded), bytes);
}

// Cut short, altered or of an unknown version, the block is passed over: the records load and
// no slot gets a bevel.
TEST(SceneFileBevels, DamagedBlockOpensTheSceneWithoutBevels) {
    Scene scene;
    MakeLive(scene.objects[0], "a");
    MakeLive(scene.objects[1], "b");
    scene.objects[1].bevel = Bevel(BevelProfile::kRound, 0.02f, 0.02f, 4, false);
    const std::vector<uint8_t> good = EncodeSceneFile(scene);
    const std::size_t at = kSceneHeaderSize + 2 * kSceneRecordSize;
    std::vector<std::vector<uint8_t>> damaged;
    damaged.emplace_back(good.begin(), good.end() - 1);         // truncated
    damaged.emplace_back(good.begin(), good.begin() + at + 9);  // truncated inside the entry
    damaged.push_back(good);
    damaged.back()[at + 8 + 4] ^= 0x01;  // width altered, check wrong
    damaged.push_back(good);
    damaged.back().push_back(0);  // one byte too many
    // A valid check over out-of-range fields: an entry naming a record the file lacks.
    damaged.push_back(good);
    damaged.back()[at + 8] = 2;
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), &damaged.back()[at], 8 + 12);
    for (int i = 0; i < 4; ++i) {
        damaged.back()[at + 20 + i] = static_cast<uint8_t>(crc >> (8 * i));
    }
    for (size_t d = 0; d < damaged.size(); ++d) {
        Scene loaded;
        ASSERT_EQ(DecodeSceneFile(damaged[d].data(), damaged[d].size(), loaded),
                  SceneFileStatus::kOk)
            << d;
        EXPECT_EQ(loaded.objects[1].Text(), "b") << d;
        EXPECT_FALSE(loaded.objects[1].bevel.Active()) << d;
    }
    Scene loaded;
    ASSERT_EQ(DecodeSceneFile(good.data(), good.size(), loaded), SceneFileStatus::kOk);
    EXPECT_TRUE(loaded.objects[1].bevel.Active());
}

}  // namespace
