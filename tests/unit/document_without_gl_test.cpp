// The document is edited, undone and saved by a program that never makes a GL context.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "document/edit_restore.h"
#include "document/object_texture.h"
#include "formats/scene_file.h"
#include "formats/texture_pictures.h"
#include "scene/edit_history.h"
#include "support/bmp_samples.h"
#include "support/recording_sink.h"
#include "support/test_glyphs.h"
#include "text/glyph_layout.h"

namespace {

namespace fs = std::filesystem;

class DocumentWithoutGl : public testing::Test {
  protected:
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    // Runs one command on the scene and records it as a step, as the shell does.
    template <typename Command>
    void Step(Command command) {
        const SceneState before = CaptureSceneState(scene);
        command();
        history.Record(DiffSceneStates(before, CaptureSceneState(scene)).value());
    }
    std::u32string Shown(const TextObject& object) const {
        return std::u32string(object.glyphCharacters, object.glyphCharacters + object.glyphCount);
    }

    const fs::path dir = fs::temp_directory_path() / ("vm_document_" + std::to_string(getpid()));
    Scene scene;
    EditHistory history;
    TexturePictures pictures;
    GlyphLayout glyphs{TestGlyphs()};
    RecordingSink messages;
};

TEST_F(DocumentWithoutGl, EditsAreUndoneAndTheSavedFileHoldsWhatIsLeft) {
    const std::string bmp = (dir / "wood.bmp").string();
    const auto bytes = bmp_samples::Make24(8, 8, [](int, int) {
        return bmp_samples::Rgb{9, 8, 7};
    });
    std::ofstream(bmp, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    TextObject& object = scene.objects[0];
    Step([&] { glyphs.ApplyTextWithFallback(object, "Logo", messages); });
    Step([&] { ASSERT_TRUE(LoadObjectTexture(object, bmp, pictures, messages)); });
    Step([&] {
        glyphs.ApplyTextWithFallback(object, "Mark", messages);
        object.SetScale(2.0f, 1.0f, 0.5f);
    });
    ASSERT_EQ(Shown(object), U"Mark");

    RestoreEdit(scene, glyphs, pictures, history.Undo(), messages);
    EXPECT_EQ(object.Text(), "Logo");
    EXPECT_EQ(Shown(object), U"Logo") << "laid out again";
    EXPECT_EQ(object.scale[2], 0.3f);
    EXPECT_TRUE(object.hasTexture);
    RestoreEdit(scene, glyphs, pictures, history.Undo(), messages);
    EXPECT_FALSE(object.hasTexture);
    EXPECT_EQ(object.TextureFile(), "");
    EXPECT_TRUE(messages.texts.empty());

    const std::string path = (dir / "logo.vmk").string();
    ASSERT_EQ(WriteSceneFile(path, scene), SceneFileStatus::kOk);
    Scene read;
    ASSERT_EQ(ReadSceneFile(path, read), SceneFileStatus::kOk);
    EXPECT_EQ(read.objects[0].Text(), "Logo");
    EXPECT_EQ(read.objects[0].TextureFile(), "");
    EXPECT_EQ(read.objects[0].scale[2], 0.3f);
    EXPECT_EQ(fs::file_size(path), kSceneHeaderSize + kSceneRecordSize) << "one live object";
}

}  // namespace
