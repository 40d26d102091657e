#include "formats/scene_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "support/temp_folder.h"
#include "tests/support/file_size_limit.h"

namespace {

namespace fs = std::filesystem;

uint32_t U32At(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

float F32At(const std::vector<uint8_t>& b, std::size_t at) {
    const uint32_t bits = U32At(b, at);
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

void PutF32(std::vector<uint8_t>& b, std::size_t at, float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

// A slot as the glyph builder would leave it: live, with text and every stored field set.
void MakeLiveObject(TextObject& object, std::string_view text, float seed) {
    object.SetText(text);
    object.glyphCount = static_cast<int32_t>(text.size());
    object.SetFont("Sans", 1, 0);
    object.SetPosition(seed, seed + 0.5f, -seed);
    object.SetRotation(10 * seed, 20 * seed, 30 * seed);
    object.SetScale(1.5f, 2.5f, 0.75f);
    for (int i = 0; i < 4; ++i) {
        object.diffuse[i] = 0.1f * static_cast<float>(i);
        object.specular[i] = 0.2f * static_cast<float>(i);
        object.ambient[i] = 0.05f * static_cast<float>(i);
    }
    object.shininess = 64.0f + seed;
    object.SetTextureFile("/tmp/wood.bmp");
}

// Live again after a load, as RefreshSlots would make every slot with text.
void MarkTextSlotsLive(Scene& scene) {
    for (TextObject& object : scene.objects) {
        object.glyphCount = static_cast<int32_t>(object.Text().size());
    }
}

class SceneFile : public testing::Test {
  protected:
    std::string PathOf(const std::string& name) const { return (dir / name).string(); }
    static std::vector<uint8_t> Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Spit(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    TempFolder dir{"vm_scene_file"};
};

TEST_F(SceneFile, EmptySceneIsExactlyTheHeaderWithItsFieldsInPlace) {
    Scene scene;
    scene.light.position[0] = 0.25f;
    scene.light.position[3] = 1.0f;
    scene.shadow.enabled = 1;
    scene.shadow.plane[3] = -2.0f;
    scene.shadow.color[3] = 0.5f;
    scene.backgroundColor[1] = 0.125f;
    scene.view.perspective = 1.5f;
    // Fields that are not stored must not leak into the header.
    scene.light.visible = 1;
    scene.view.eyeDistance = 9.0f;
    const std::vector<uint8_t> bytes = EncodeSceneFile(scene);

    ASSERT_EQ(bytes.size(), 132u);
    const std::vector<uint8_t> version = {'1', '.', '0', '0', 0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(version.begin(), version.end(), bytes.begin()));
    EXPECT_EQ(std::string(bytes.begin() + 10, bytes.begin() + 19), "vellumark");
    EXPECT_EQ(bytes[19], 0);
    EXPECT_EQ(F32At(bytes, 20), 0.25f);
    EXPECT_EQ(F32At(bytes, 24), 1.5f);
    EXPECT_EQ(F32At(bytes, 32), 1.0f);
    EXPECT_EQ(U32At(bytes, 36), 1u);
    EXPECT_EQ(F32At(bytes, 44), 1.0f);
    EXPECT_EQ(F32At(bytes, 52), -2.0f);
    EXPECT_EQ(F32At(bytes, 68), 0.5f);
    EXPECT_EQ(F32At(bytes, 72), 1.0f);
    EXPECT_EQ(F32At(bytes, 76), 0.125f);
    EXPECT_EQ(F32At(bytes, 84), 1.5f);
    EXPECT_TRUE(std::all_of(bytes.begin() + 88, bytes.end(), [](uint8_t b) { return b == 0; }));
    // Little-endian whatever the host: 1.0f is 00 00 80 3F.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 32, bytes.begin() + 36),
              (std::vector<uint8_t>{0x00, 0x00, 0x80, 0x3F}));
}

TEST_F(SceneFile, RecordLayoutPutsEveryFieldAtItsOffsetWithZeroedTails) {
    Scene scene;
    TextObject& object = scene.objects[3];
    MakeLiveObject(object, "AB", 2.0f);
    // Stale bytes behind a terminator must not reach the file.
    std::memset(object.text, 'x', sizeof object.text);
    std::memcpy(object.text, "AB", 3);
    const std::vector<uint8_t> bytes = EncodeSceneFile(scene);

    ASSERT_EQ(bytes.size(), 132u + 544u);
    const std::size_t r = 132;
    EXPECT_EQ(bytes[r], 'A');
    EXPECT_EQ(bytes[r + 1], 'B');
    EXPECT_TRUE(std::all_of(bytes.begin() + r + 2, bytes.begin() + r + 128,
                            [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[r + 128])), "Sans");
    EXPECT_EQ(U32At(bytes, r + 192), 1u);
    EXPECT_EQ(bytes[r + 196], 0);
    EXPECT_EQ(bytes[r + 197] | bytes[r + 198] | bytes[r + 199], 0);
    EXPECT_EQ(F32At(bytes, r + 200), 2.0f);
    EXPECT_EQ(F32At(bytes, r + 208), -2.0f);
    EXPECT_EQ(F32At(bytes, r + 216), 40.0f);
    EXPECT_EQ(F32At(bytes, r + 232), 0.75f);
    EXPECT_FLOAT_EQ(F32At(bytes, r + 248), 0.3f);
    EXPECT_FLOAT_EQ(F32At(bytes, r + 264), 0.6f);
    EXPECT_FLOAT_EQ(F32At(bytes, r + 280), 0.15f);
    EXPECT_EQ(F32At(bytes, r + 284), 66.0f);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[r + 288])), "/tmp/wood.bmp");
    EXPECT_EQ(bytes.back(), 0);
}

TEST_F(SceneFile, DoubleByteTextIsStoredAsItsBytesAndATerminator) {
    Scene scene;
    MakeLiveObject(scene.objects[0], "\x93\xfa\x96\x7b", 0.0f);  // 日本
    const std::vector<uint8_t> bytes = EncodeSceneFile(scene);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 132, bytes.begin() + 137),
              (std::vector<uint8_t>{0x93, 0xfa, 0x96, 0x7b, 0x00}));
}

TEST_F(SceneFile, LiveSlotsAreWrittenInOrderAndReopenPacked) {
    Scene scene;
    MakeLiveObject(scene.objects[2], "two", 2.0f);
    MakeLiveObject(scene.objects[7], "seven", 7.0f);
    MakeLiveObject(scene.objects[30], "thirty", 30.0f);
    scene.objects[5].SetText("text but no glyphs");  // a free slot leaves no trace
    const std::string path = PathOf("three.vmk");
    ASSERT_EQ(WriteSceneFile(path, scene), SceneFileStatus::kOk);
    EXPECT_EQ(fs::file_size(path), 132u + 3 * 544u);

    Scene loaded;
    MakeLiveObject(loaded.objects[20], "stale", 1.0f);
    ASSERT_EQ(ReadSceneFile(path, loaded), SceneFileStatus::kOk);
    EXPECT_EQ(loaded.objects[0].Text(), "two");
    EXPECT_EQ(loaded.objects[1].Text(), "seven");
    EXPECT_EQ(loaded.objects[2].Text(), "thirty");
    EXPECT_EQ(loaded.objects[2].position[0], 30.0f);
    EXPECT_EQ(loaded.objects[20].Text(), "");  // the old scene was cleared first
    for (const TextObject& object : loaded.objects) {
        EXPECT_EQ(object.glyphCount, 0);  // glyphs are built by the caller
    }
}

TEST_F(SceneFile, RoundTripKeepsEveryStoredFieldAndIsByteExact) {
    Scene scene;
    MakeLiveObject(scene.objects[0], "\x83\x65\x83\x58\x83\x67", 1.0f);  // テスト
    MakeLiveObject(scene.objects[9], "logo", -3.5f);
    scene.objects[9].SetFont("\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e", 0, 128);
    scene.light.position[1] = 7.0f;
    scene.shadow.enabled = 1;
    scene.shadow.color[0] = 0.25f;
    scene.backgroundColor[2] = 0.0f;
    scene.view.perspective = 0.5f;
    const std::string first = PathOf("first.vmk");
    const std::string second = PathOf("second.vmk");
    ASSERT_EQ(WriteSceneFile(first, scene), SceneFileStatus::kOk);

    Scene loaded;
    ASSERT_EQ(ReadSceneFile(first, loaded), SceneFileStatus::kOk);
    const TextObject& a = scene.objects[9];
    const TextObject& b = loaded.objects[1];
    EXPECT_EQ(b.Text(), a.Text());
    EXPECT_EQ(b.FaceName(), a.FaceName());
    EXPECT_EQ(b.italic, a.italic);
    EXPECT_EQ(b.charSet, a.charSet);
    EXPECT_EQ(0, std::memcmp(b.position, a.position, sizeof a.position));
    EXPECT_EQ(0, std::memcmp(b.rotation, a.rotation, sizeof a.rotation));
    EXPECT_EQ(0, std::memcmp(b.scale, a.scale, sizeof a.scale));
    EXPECT_EQ(0, std::memcmp(b.diffuse, a.diffuse, sizeof a.diffuse));
    EXPECT_EQ(0, std::memcmp(b.specular, a.specular, sizeof a.specular));
    EXPECT_EQ(0, std::memcmp(b.ambient, a.ambient, sizeof a.ambient));
    EXPECT_EQ(b.shininess, a.shininess);
    EXPECT_EQ(b.TextureFile(), a.TextureFile());
    EXPECT_EQ(loaded.light.position[1], 7.0f);
    EXPECT_EQ(loaded.shadow.enabled, 1);
    EXPECT_EQ(loaded.shadow.color[0], 0.25f);
    EXPECT_EQ(loaded.backgroundColor[2], 0.0f);
    EXPECT_EQ(loaded.view.perspective, 0.5f);

    MarkTextSlotsLive(loaded);
    ASSERT_EQ(WriteSceneFile(second, loaded), SceneFileStatus::kOk);
    EXPECT_EQ(Slurp(first), Slurp(second));
}

TEST_F(SceneFile, TrailingPartialRecordAndRecordsPastTheThirtySecondAreIgnored) {
    Scene scene;
    MakeLiveObject(scene.objects[0], "a", 0.0f);
    MakeLiveObject(scene.objects[1], "b", 0.0f);
    MakeLiveObject(scene.objects[2], "c", 0.0f);
    std::vector<uint8_t> bytes = EncodeSceneFile(scene);
    bytes.resize(bytes.size() + 100, 'z');
    Scene loaded;
    ASSERT_EQ(DecodeSceneFile(bytes.data(), bytes.size(), loaded), SceneFileStatus::kOk);
    EXPECT_EQ(loaded.objects[2].Text(), "c");
    EXPECT_EQ(loaded.objects[3].Text(), "");

    // 40 records: the first 32 fill the slots, the rest is never looked at.
    std::vector<uint8_t> many(132 + 40 * 544, 0);
    std::copy(bytes.begin(), bytes.begin() + 132, many.begin());
    for (int k = 0; k < 40; ++k) {
        many[132 + k * 544] = static_cast<uint8_t>('A' + k);
    }
    ASSERT_EQ(DecodeSceneFile(many.data(), many.size(), loaded), SceneFileStatus::kOk);
    EXPECT_EQ(loaded.objects[0].Text(), "A");
    EXPECT_EQ(loaded.objects[31].Text(), std::string(1, static_cast<char>('A' + 31)));

    const std::string path = PathOf("many.vmk");
    Spit(path, many);
    Scene fromFile;
    ASSERT_EQ(ReadSceneFile(path, fromFile), SceneFileStatus::kOk);
    EXPECT_EQ(fromFile.objects[31].Text(), loaded.objects[31].Text());
}

TEST_F(SceneFile, WrongMagicOrShortHeaderIsRefusedAndLeavesTheSceneAlone) {
    Scene original;
    MakeLiveObject(original.objects[4], "keep", 4.0f);
    std::vector<uint8_t> good = EncodeSceneFile(original);

    Scene scene;
    MakeLiveObject(scene.objects[4], "keep", 4.0f);
    scene.view.perspective = 2.0f;
    auto refused = [&](std::vector<uint8_t> bytes) {
        const SceneFileStatus status = DecodeSceneFile(bytes.data(), bytes.size(), scene);
        return status == SceneFileStatus::kNotSceneFile && scene.objects[4].Text() == "keep" &&
               scene.objects[4].glyphCount == 4 && scene.view.perspective == 2.0f;
    };
    std::vector<uint8_t> tenthLetter = good;
    tenthLetter[19] = 'x';
    EXPECT_TRUE(refused(tenthLetter));
    std::vector<uint8_t> otherMagic = good;
    otherMagic[10] = 'V';
    EXPECT_TRUE(refused(otherMagic));
    EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.begin() + 131)));
    EXPECT_TRUE(refused({}));
    EXPECT_TRUE(refused(std::vector<uint8_t>(132, 0xFF)));

    // Bytes after the magic's terminator carry no meaning.
    std::vector<uint8_t> junkAfterNul = good;
    junkAfterNul[0] = '9';
    junkAfterNul[2] = '9';
    junkAfterNul[3] = '9';  // version "9.99" is not checked either
    Scene other;
    EXPECT_EQ(DecodeSceneFile(junkAfterNul.data(), junkAfterNul.size(), other),
              SceneFileStatus::kOk);
}

TEST_F(SceneFile, PerspectiveThatIsNotPositiveOpensAsOne) {
    Scene scene;
    std::vector<uint8_t> bytes = EncodeSceneFile(scene);
    for (float bad : {0.0f, -0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
        PutF32(bytes, 84, bad);
        scene.view.perspective = 3.0f;
        ASSERT_EQ(DecodeSceneFile(bytes.data(), bytes.size(), scene), SceneFileStatus::kOk);
        EXPECT_EQ(scene.view.perspective, 1.0f) << bad;
    }
    PutF32(bytes, 84, 0.01f);
    ASSERT_EQ(DecodeSceneFile(bytes.data(), bytes.size(), scene), SceneFileStatus::kOk);
    EXPECT_EQ(scene.view.perspective, 0.01f);
}

TEST_F(SceneFile, StringFieldsWithoutTerminatorAreCutToFit) {
    Scene scene;
    std::vector<uint8_t> bytes = EncodeSceneFile(scene);
    bytes.resize(132 + 544, 'Q');
    bytes[132 + 196] = 128;
    Scene loaded;
    ASSERT_EQ(DecodeSceneFile(bytes.data(), bytes.size(), loaded), SceneFileStatus::kOk);
    const TextObject& object = loaded.objects[0];
    EXPECT_EQ(object.Text(), std::string(127, 'Q'));
    EXPECT_EQ(object.text[127], 0);
    EXPECT_EQ(object.FaceName(), std::string(63, 'Q'));
    EXPECT_EQ(object.TextureFile(), std::string(255, 'Q'));
    EXPECT_EQ(object.charSet, 128);
}

TEST_F(SceneFile, MissingFileIsACannotOpen) {
    Scene scene;
    EXPECT_EQ(ReadSceneFile(PathOf("absent.vmk"), scene), SceneFileStatus::kCannotOpen);
    EXPECT_EQ(ReadSceneFile(dir.path().string(), scene), SceneFileStatus::kCannotOpen);
    // A FIFO without a writer would block the open for good.
    const std::string fifo = PathOf("pipe.vmk");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(ReadSceneFile(fifo, scene), SceneFileStatus::kCannotOpen);
}

TEST_F(SceneFile, FailedSaveKeepsThePreviousFileAndLeavesNoTemporary) {
    Scene scene;
    MakeLiveObject(scene.objects[0], "old", 0.0f);
    const std::string path = PathOf("kept.vmk");
    ASSERT_EQ(WriteSceneFile(path, scene), SceneFileStatus::kOk);
    const std::vector<uint8_t> before = Slurp(path);
    MakeLiveObject(scene.objects[1], "new", 0.0f);
    {
        FileSizeLimit limit(700);
        EXPECT_EQ(WriteSceneFile(path, scene), SceneFileStatus::kCannotWrite);
    }
    EXPECT_EQ(Slurp(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(SceneFile, SaveIntoAMissingFolderFailsAndReplacingKeepsPermissions) {
    Scene scene;
    EXPECT_EQ(WriteSceneFile(PathOf("no/such/folder.vmk"), scene), SceneFileStatus::kCannotWrite);

    const std::string path = PathOf("shared.vmk");
    ASSERT_EQ(WriteSceneFile(path, scene), SceneFileStatus::kOk);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    MakeLiveObject(scene.objects[0], "x", 0.0f);
    ASSERT_EQ(WriteSceneFile(path, scene), SceneFileStatus::kOk);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    EXPECT_EQ(fs::file_size(path), 132u + 544u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(SceneFile, SavingThroughALinkReplacesTheFileItPointsAt) {
    Scene scene;
    const std::string real = PathOf("real.vmk");
    const std::string link = PathOf("link.vmk");
    ASSERT_EQ(WriteSceneFile(real, scene), SceneFileStatus::kOk);
    fs::create_symlink(real, link);
    MakeLiveObject(scene.objects[0], "x", 0.0f);
    ASSERT_EQ(WriteSceneFile(link, scene), SceneFileStatus::kOk);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::file_size(real), 132u + 544u);
}

TEST_F(SceneFile, ReadOnlyFileIsRefusedAndLeftAsItIs) {
    Scene scene;
    const std::string path = PathOf("locked.vmk");
    ASSERT_EQ(WriteSceneFile(path, scene), SceneFileStatus::kOk);
    // Only mode bits decide, so root is refused as well.
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    MakeLiveObject(scene.objects[0], "x", 0.0f);
    EXPECT_EQ(WriteSceneFile(path, scene), SceneFileStatus::kCannotWrite);
    EXPECT_EQ(fs::file_size(path), 132u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(SceneFile, LeftoversOfAKilledSaveGoAtTheNextSaveOfTheSameFile) {
    const std::string stale = PathOf(".a.vmk-save-Ab12Cd");
    const std::string running = PathOf(".a.vmk-save-Zz99Yy");
    const std::string otherTarget = PathOf(".b.vmk-save-Ab12Cd");
    for (const std::string& path : {stale, running, otherTarget}) {
        Spit(path, {1, 2, 3});
    }
    // A save still under way holds a lock on its temporary.
    const int held = open(running.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    Scene scene;
    EXPECT_EQ(WriteSceneFile(PathOf("a.vmk"), scene), SceneFileStatus::kOk);
    close(held);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_TRUE(fs::exists(otherTarget));
    EXPECT_EQ(fs::file_size(PathOf("a.vmk")), 132u);
}

}  // namespace

namespace {

// The fuzzers' seeds are read as they were meant: the valid ones open, the broken ones do not.
TEST(SceneFileSeeds, SeedCorpusReadsAsIntended) {
    const std::string seeds = std::string(VELLUMARK_TEST_DATA) + "/fuzz/scene/";
    Scene scene;
    ASSERT_EQ(ReadSceneFile(seeds + "three_records.vmk", scene), SceneFileStatus::kOk);
    EXPECT_EQ(scene.objects[1].Text(), "\x83\x8d\x83\x53");
    EXPECT_EQ(scene.objects[3].Text(), "");
    EXPECT_EQ(scene.shadow.enabled, 1);
    ASSERT_EQ(ReadSceneFile(seeds + "partial_record.vmk", scene), SceneFileStatus::kOk);
    EXPECT_EQ(scene.objects[2].Text(), "xyz");
    EXPECT_EQ(scene.objects[3].Text(), "");
    ASSERT_EQ(ReadSceneFile(seeds + "nan_field_of_view.vmk", scene), SceneFileStatus::kOk);
    EXPECT_EQ(scene.view.perspective, 1.0f);
    EXPECT_EQ(ReadSceneFile(seeds + "tenth_letter.vmk", scene), SceneFileStatus::kNotSceneFile);
}

}  // namespace
