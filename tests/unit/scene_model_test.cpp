#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "scene/app_settings.h"
#include "scene/cp932.h"
#include "scene/fixed_field.h"
#include "scene/scene.h"

namespace {

class SceneModel : public testing::Test {
  protected:
    // As the layout would: one glyph a character.
    void MakeLive(TextObject& object, std::u32string_view characters) {
        for (char32_t character : characters) {
            object.glyphCharacters[object.glyphCount++] = character;
        }
    }
};

TEST_F(SceneModel, DefaultObjectIsAYellowUnscaledSlotInTheDefaultFont) {
    TextObject object;
    EXPECT_EQ(object.Text(), "");
    EXPECT_EQ(object.FaceName(), kDefaultFaceName);
    EXPECT_EQ(object.charSet, 128);
    EXPECT_EQ(object.italic, 0);
    EXPECT_EQ(object.glyphCount, 0);
    EXPECT_FALSE(object.IsLive());
    EXPECT_FLOAT_EQ(object.scale[2], 0.3f);
    EXPECT_FLOAT_EQ(object.diffuse[2], 0.0f);
    EXPECT_FLOAT_EQ(object.ambient[0], 1.0f);
    EXPECT_FLOAT_EQ(object.shininess, 20.0f);
    EXPECT_FALSE(object.hasTexture);
    EXPECT_EQ(object.TextureFile(), "");
}

TEST_F(SceneModel, ClearGlyphsFreesTheSlotAndKeepsEverythingElse) {
    TextObject object;
    object.SetText("abc");
    object.hasTexture = true;
    MakeLive(object, U"abc");
    object.ClearGlyphs();
    EXPECT_EQ(object.glyphCount, 0);
    EXPECT_FALSE(object.IsLive());
    EXPECT_EQ(object.Text(), "abc");
    EXPECT_TRUE(object.hasTexture);
}

TEST_F(SceneModel, ResetObjectRestoresEveryDefaultAndDropsGlyphsAndTexture) {
    TextObject object;
    object.SetIndex(7);
    object.SetText("\x82\xa0\x82\xa2");
    object.SetFont("DejaVu Sans", 1, 0);
    object.SetPosition(1, 2, 3);
    object.SetRotation(10, 20, 30);
    object.SetScale(2, 3, 0.9f);
    object.diffuse[0] = object.specular[1] = object.ambient[2] = 0.25f;
    object.shininess = 99;
    object.textWidth = object.textHeight = object.textBottom = 1.5f;
    object.highlighted = object.touched = 1;
    object.hasTexture = true;
    object.SetTextureFile("/tmp/t.bmp");
    MakeLive(object, U"\u3042\u3044");

    object.ResetObject();

    EXPECT_EQ(object.glyphCount, 0);
    TextObject fresh;
    EXPECT_EQ(object.index, 7);
    EXPECT_EQ(object.Text(), "");
    EXPECT_EQ(object.FaceName(), kDefaultFaceName);
    EXPECT_EQ(object.italic, 0);
    EXPECT_EQ(object.charSet, 128);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(object.position[i], fresh.position[i]);
        EXPECT_EQ(object.rotation[i], fresh.rotation[i]);
        EXPECT_EQ(object.scale[i], fresh.scale[i]);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(object.diffuse[i], fresh.diffuse[i]);
        EXPECT_EQ(object.specular[i], fresh.specular[i]);
        EXPECT_EQ(object.ambient[i], fresh.ambient[i]);
    }
    EXPECT_EQ(object.shininess, 20.0f);
    EXPECT_EQ(object.textWidth, 0.0f);
    EXPECT_EQ(object.textHeight, 0.0f);
    EXPECT_EQ(object.textBottom, 0.0f);
    EXPECT_EQ(object.highlighted, 0);
    EXPECT_EQ(object.touched, 0);
    EXPECT_FALSE(object.hasTexture);
    EXPECT_EQ(object.TextureFile(), "");
}

TEST_F(SceneModel, TextFieldsTerminateAndNeverOverrun) {
    TextObject object;
    const std::string longText(300, 'x');
    EXPECT_FALSE(object.SetText(longText));
    EXPECT_EQ(object.Text().size(), 127u);
    EXPECT_EQ(object.text[127], '\0');
    EXPECT_FALSE(object.SetTextureFile(longText));
    EXPECT_EQ(object.TextureFile().size(), 255u);
    object.SetFont(longText, 0, 0);
    EXPECT_EQ(object.FaceName().size(), 63u);

    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(FieldView(unterminated), "abc");
}

TEST_F(SceneModel, ClearSceneResetsAllSlotsInOrder) {
    Scene scene;
    MakeLive(scene.objects[0], U"a");
    MakeLive(scene.objects[31], U"bc");
    scene.objects[5].hasTexture = true;
    ClearScene(scene);
    EXPECT_FALSE(scene.objects[5].hasTexture);
    EXPECT_EQ(scene.LiveObjectCount(), 0);
}

TEST_F(SceneModel, AMerePickMarksTheSceneModified) {
    Scene scene;
    EXPECT_EQ(IsSceneModified(scene), 0);
    scene.objects[20].touched = 1;
    EXPECT_EQ(IsSceneModified(scene), 1);
    scene.objects[20].touched = 0;
    scene.modified = 1;
    EXPECT_EQ(IsSceneModified(scene), 1);
}

TEST_F(SceneModel, DeletingSlotZeroLeavesTheOthersInTheirSlots) {
    Scene scene;
    for (int slot = 0; slot < 3; ++slot) {
        scene.objects[slot].SetIndex(slot);
        MakeLive(scene.objects[slot], U"x");
    }
    scene.objects[0].ResetObject();
    EXPECT_FALSE(scene.objects[0].IsLive());
    EXPECT_TRUE(scene.objects[1].IsLive());
    EXPECT_EQ(scene.objects[2].index, 2);
    EXPECT_EQ(scene.FirstFreeSlot(), 0);
    EXPECT_EQ(scene.LiveObjectCount(), 2);
}

TEST_F(SceneModel, ClearSelectionDropsTheHighlight) {
    Scene scene;
    scene.currentObject = 3;
    scene.objects[3].highlighted = 1;
    scene.objects[3].touched = 1;
    ClearSelection(scene);
    EXPECT_EQ(scene.currentObject, -1);
    EXPECT_EQ(scene.objects[3].highlighted, 0);
    EXPECT_EQ(scene.objects[3].touched, 1);
}

TEST(SceneDefaults, StartValuesOfTheSettings) {
    Scene scene;
    EXPECT_EQ(scene.currentObject, -1);
    EXPECT_EQ(scene.FilePath(), "");
    EXPECT_FLOAT_EQ(scene.light.position[1], 1.5f);
    EXPECT_FLOAT_EQ(scene.light.position[3], 0.0f);  // a parallel light
    EXPECT_FLOAT_EQ(scene.shadow.color[3], 0.0f);
    EXPECT_FLOAT_EQ(scene.view.eyeDistance, 5.0f);
    AppSettings settings;
    EXPECT_EQ(settings.antialias, 1);
    EXPECT_EQ(settings.antialiasLevel, 8);
    EXPECT_EQ(GetJpegQuality(settings), 50);
    EXPECT_EQ(GetJpegProgressive(settings), 1);
    SetJpegQuality(settings, 90);
    SetJpegProgressive(settings, 0);
    EXPECT_EQ(settings.jpegQuality, 90);
    EXPECT_EQ(settings.jpegProgressive, 0);
    EXPECT_EQ(AntialiasLevels[3], 8);
    EXPECT_EQ(AntialiasLevels[6], 66);
}

TEST(Cp932, RoundTripsJapaneseAndRefusesWhatItCannotHold) {
    const auto cp932 = Utf8ToCp932("ＭＳ 明朝");
    ASSERT_TRUE(cp932.has_value());
    EXPECT_EQ(*cp932, kDefaultFaceName);
    EXPECT_EQ(Cp932ToUtf8(*cp932).value(), "ＭＳ 明朝");
    EXPECT_FALSE(Utf8ToCp932("😀").has_value());
}

TEST(Cp932, PrefixNeverSplitsADoubleByteCharacter) {
    const std::string text =
        "a\x82\xa0"
        "b";
    EXPECT_EQ(Cp932Prefix(text, 2), "a");
    EXPECT_EQ(Cp932Prefix(text, 3), "a\x82\xa0");
    EXPECT_EQ(Cp932Prefix("\x82", 5), "");  // a dangling lead byte is not a character
    EXPECT_TRUE(IsCp932LeadByte(0x81));
    EXPECT_TRUE(IsCp932LeadByte(0xFC));
    EXPECT_FALSE(IsCp932LeadByte(0xA1));  // half-width katakana is single-byte
}

}  // namespace
