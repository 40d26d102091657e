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

uint16_t U16At(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

uLong Crc(const uint8_t* data, std::size_t size) {
    return crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(size));
}

void PutCrc(std::vector<uint8_t>& bytes, std::size_t from) {
    const uLong crc = Crc(&bytes[from], bytes.size() - from);
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<uint8_t>(crc >> (8 * i)));
    }
}

std::string TemporaryScenePath() {
    return (std::filesystem::temp_directory_path() /
            ("vm_bevel_" + std::to_string(getpid()) + ".vmk"))
        .string();
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
    ASSERT_EQ(bytes.size(), at + 12 + 3 * 16 + 4);
    EXPECT_EQ(std::string(bytes.begin() + at, bytes.begin() + at + 4), "VMKX");
    EXPECT_EQ(U16At(bytes, at + 4), 1);
    EXPECT_EQ(bytes[at + 11], 3);
    const uint8_t entries[3][4] = {{0, 1, 1, 1}, {9, 0, 2, 8}, {31, 1, 2, 1}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(0, std::memcmp(&bytes[at + 12 + 16 * k], entries[k], 4)) << k;
    }
    EXPECT_EQ(U16At(bytes, at + 12 + 16 + 4), 123);  // 0.0123 em in 1/10000 em
    EXPECT_EQ(U32At(bytes, at + 60), Crc(&bytes[at], 60));

    const std::string path = TemporaryScenePath();
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

// Typography, surfaces and the studio settings have no use yet, but a save never loses them;
// the environment's path goes only where the block would otherwise pass for a record.
TEST(SceneFileBevels, EveryExtensionFieldSurvivesASave) {
    Scene scene;
    MakeLive(scene.objects[0], "a");
    MakeLive(scene.objects[2], "b");
    TypographySettings& t = scene.objects[2].typography;
    t = {true, true, true, true, TextAlignment::kRight, -500, 3000};
    scene.objects[2].surface = {255, 1, MaterialPreset::kOriginalColour};
    scene.studio = {SceneLook::kStudio, "C:\\hdr\\\x8a\xbf.hdr", -50, 200, true, true};
    const std::vector<uint8_t> bytes = EncodeSceneFile(scene);
    Scene loaded;
    ASSERT_EQ(DecodeSceneFile(bytes.data(), bytes.size(), loaded), SceneFileStatus::kOk);
    EXPECT_EQ(loaded.objects[1].typography, t);  // b is the second record
    EXPECT_EQ(loaded.objects[1].surface, scene.objects[2].surface);
    EXPECT_EQ(loaded.objects[0].typography, TypographySettings{});
    EXPECT_EQ(loaded.studio, scene.studio);

    scene.studio.environmentFile.assign(200, 'p');
    for (int i = 3; i < 31; ++i) {
        MakeLive(scene.objects[i], "c");
        scene.objects[i].surface.metallic = 1;
    }
    SceneSaveNotes notes;
    const std::vector<uint8_t> crowded = EncodeSceneFile(scene, &notes);
    ASSERT_EQ(DecodeSceneFile(crowded.data(), crowded.size(), loaded), SceneFileStatus::kOk);
    EXPECT_LT(crowded.size() - kSceneHeaderSize - 30 * kSceneRecordSize, kSceneRecordSize);
    EXPECT_EQ(loaded.studio.environmentFile, "");
    EXPECT_EQ(loaded.studio.look, SceneLook::kStudio);
    EXPECT_TRUE(notes.environmentDropped);
    MakeLive(scene.objects[1], "d");
    MakeLive(scene.objects[31], "e");
    const std::vector<uint8_t> full = EncodeSceneFile(scene, &notes);
    ASSERT_EQ(DecodeSceneFile(full.data(), full.size(), loaded), SceneFileStatus::kOk);
    EXPECT_EQ(loaded.studio.environmentFile, scene.studio.environmentFile);
    EXPECT_FALSE(notes.environmentDropped);
    // Longer than the field: dropped whole, never cut to name another file.
    scene.studio.environmentFile += 'q';
    const std::vector<uint8_t> tooLong = EncodeSceneFile(scene, &notes);
    ASSERT_EQ(DecodeSceneFile(tooLong.data(), tooLong.size(), loaded), SceneFileStatus::kOk);
    EXPECT_EQ(loaded.studio.environmentFile, "");
    EXPECT_TRUE(notes.environmentDropped);
}

// Files saved before the one block for everything still open with their bevels.
TEST(SceneFileBevels, OlderBevelBlockIsRead) {
    Scene scene;
    MakeLive(scene.objects[0], "a");
    MakeLive(scene.objects[1], "b");
    std::vector<uint8_t> bytes = EncodeSceneFile(scene);
    const std::size_t at = bytes.size();
    const float width = 0.0375f, depth = 0.01f;
    const uint8_t head[] = {'V', 'M', 'K', 'B', 1, 0, 1, 0, 1, 2, 5, 1};
    bytes.insert(bytes.end(), head, head + sizeof head);
    bytes.insert(bytes.end(), reinterpret_cast<const uint8_t*>(&width),
                 reinterpret_cast<const uint8_t*>(&width) + 4);
    bytes.insert(bytes.end(), reinterpret_cast<const uint8_t*>(&depth),
                 reinterpret_cast<const uint8_t*>(&depth) + 4);
    PutCrc(bytes, at);
    Scene loaded;
    SceneFileNotes notes;
    ASSERT_EQ(DecodeSceneFile(bytes.data(), bytes.size(), loaded, &notes), SceneFileStatus::kOk);
    EXPECT_FALSE(notes.extensionDamaged);
    EXPECT_EQ(loaded.objects[1].bevel, Bevel(BevelProfile::kRound, width, depth, 5, true));
}

// Cut short, altered or out of range, the block is passed over and said to be damaged: the
// records load and no slot gets a bevel. Bytes that are no block at all go unmentioned.
TEST(SceneFileBevels, DamagedBlockOpensTheSceneWithoutBevels) {
    Scene scene;
    MakeLive(scene.objects[0], "a");
    MakeLive(scene.objects[1], "b");
    scene.objects[1].bevel = Bevel(BevelProfile::kRound, 0.02f, 0.02f, 4, false);
    const std::vector<uint8_t> good = EncodeSceneFile(scene);
    const std::size_t at = kSceneHeaderSize + 2 * kSceneRecordSize;
    std::vector<std::vector<uint8_t>> damaged;
    damaged.emplace_back(good.begin(), good.end() - 1);          // truncated
    damaged.emplace_back(good.begin(), good.begin() + at + 13);  // truncated inside the entry
    damaged.push_back(good);
    damaged.back()[at + 12 + 4] ^= 0x01;  // width altered, check wrong
    damaged.push_back(good);
    damaged.back().push_back(0);  // one byte too many
    // Valid checks over out-of-range fields: a record the file lacks, a width beyond 0.05 em,
    // a tracking below -0.5 em, an unknown preset, an unknown look.
    const std::pair<std::size_t, uint8_t> outOfRange[] = {
        {12, 2}, {17, 2}, {20, 0}, {26, 8}, {6, 2}};
    for (const auto& [offset, value] : outOfRange) {
        damaged.emplace_back(good.begin(), good.end() - 4);
        damaged.back()[at + offset] = value;
        if (offset == 20) {
            damaged.back()[at + 21] = 0xFE;  // -512
        }
        PutCrc(damaged.back(), at);
    }
    for (size_t d = 0; d < damaged.size(); ++d) {
        Scene loaded;
        SceneFileNotes notes;
        ASSERT_EQ(DecodeSceneFile(damaged[d].data(), damaged[d].size(), loaded, &notes),
                  SceneFileStatus::kOk)
            << d;
        EXPECT_EQ(loaded.objects[1].Text(), "b") << d;
        EXPECT_FALSE(loaded.objects[1].bevel.Active()) << d;
        EXPECT_TRUE(notes.extensionDamaged) << d;
    }
    std::vector<uint8_t> junk(good.begin(), good.begin() + at);
    junk.insert(junk.end(), {'J', 'U', 'N', 'K', 1, 0});
    const std::vector<uint8_t>& foreign = junk;
    for (const std::vector<uint8_t>* bytes : {&good, &foreign}) {
        Scene loaded;
        SceneFileNotes notes;
        ASSERT_EQ(DecodeSceneFile(bytes->data(), bytes->size(), loaded, &notes),
                  SceneFileStatus::kOk);
        EXPECT_EQ(loaded.objects[1].bevel.Active(), bytes == &good);
        EXPECT_FALSE(notes.extensionDamaged);
    }
}

}  // namespace
