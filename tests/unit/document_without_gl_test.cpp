// The document is edited, undone and saved by a program that never makes a GL context.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "document/document.h"
#include "document/object_texture.h"
#include "formats/scene_file.h"
#include "support/bmp_samples.h"
#include "support/recording_sink.h"
#include "support/temp_folder.h"
#include "support/test_glyphs.h"

namespace {

namespace fs = std::filesystem;

class DocumentWithoutGl : public testing::Test {
  protected:
    std::u32string Shown(const TextObject& object) const {
        return std::u32string(object.glyphCharacters, object.glyphCharacters + object.glyphCount);
    }

    const TempFolder dir{"vm_document"};
    Scene scene;
    AppSettings settings;
    RecordingSink messages;
    Document document{scene, settings, TestGlyphs(), messages};
    GlyphLayout& glyphs = document.glyphs;
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
    document.RunAsOneStep([&] { glyphs.ApplyTextWithFallback(object, "Logo", messages); });
    document.RunAsOneStep(
        [&] { ASSERT_TRUE(LoadObjectTexture(object, bmp, document.pictures, messages)); });
    document.RunAsOneStep([&] {
        glyphs.ApplyTextWithFallback(object, "Mark", messages);
        object.SetScale(2.0f, 1.0f, 0.5f);
    });
    ASSERT_EQ(Shown(object), U"Mark");

    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(object.Text(), "Logo");
    EXPECT_EQ(Shown(object), U"Logo") << "laid out again";
    EXPECT_EQ(object.scale[2], 0.3f);
    EXPECT_TRUE(object.hasTexture);
    ASSERT_TRUE(document.Undo());
    EXPECT_FALSE(object.hasTexture);
    EXPECT_EQ(object.TextureFile(), "");
    EXPECT_TRUE(messages.texts.empty());

    const std::string path = (dir / "logo.vmk").string();
    ASSERT_EQ(WriteSceneFile(path, scene), SceneFileStatus::kOk);
    document.MarkSaved();
    EXPECT_EQ(IsSceneModified(scene), 0);
    const std::size_t steps = document.history.size();
    document.RunAsOneStep([&] { glyphs.ApplyTextWithFallback(object, "Logo", messages); });
    EXPECT_EQ(document.history.size(), steps) << "a command that changed nothing is no step";
    Scene read;
    ASSERT_EQ(ReadSceneFile(path, read), SceneFileStatus::kOk);
    EXPECT_EQ(read.objects[0].Text(), "Logo");
    EXPECT_EQ(read.objects[0].TextureFile(), "");
    EXPECT_EQ(read.objects[0].scale[2], 0.3f);
    EXPECT_EQ(fs::file_size(path), kSceneHeaderSize + kSceneRecordSize) << "one live object";
}

}  // namespace
