#include "render/texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/prompts_message_sink.h"
#include "document/object_texture.h"
#include "formats/texture_pictures.h"
#include "render/render_cache.h"
#include "resources/texts.h"
#include "support/bmp_samples.h"
#include "support/gl_window.h"
#include "support/temp_folder.h"
#include "support/test_glyphs.h"

namespace {

namespace fs = std::filesystem;
using bmp_samples::Rgb;

Rgb Solid(uint8_t r, uint8_t g, uint8_t b, int, int) {
    return {r, g, b};
}

// Red top-left corner on a grey picture whose left and right halves differ.
Rgb MarkedCorner(int x, int y) {
    if (x < 4 && y < 2) {
        return {255, 0, 0};
    }
    return x < 8 ? Rgb{40, 40, 40} : Rgb{200, 200, 200};
}

class Textures : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(window.ready()); }
    // What a frame of the view asks of the cache, and what it lets go after it.
    void DrawFrame() {
        cache.Texture(a);
        cache.Texture(b);
        cache.KeepOnly(scene);
    }
    std::string WriteBmp(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = (dir / name).string();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::string SolidBmp(const std::string& name, int w, int h, Rgb c) {
        return WriteBmp(name, bmp_samples::Make24(
                                  w, h, [c](int x, int y) { return Solid(c.r, c.g, c.b, x, y); }));
    }
    static GLint Level0(GLenum what) {
        GLint value = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, what, &value);
        return value;
    }
    // The texel rows as GL holds them, row 0 first.
    static std::vector<uint8_t> TexImage(GLuint name, int w, int h) {
        std::vector<uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    }
    static Rgb FirstTexel(GLuint name, int w, int h) {
        const std::vector<uint8_t> rgb = TexImage(name, w, h);
        return {rgb[0], rgb[1], rgb[2]};
    }

    GlTestWindow window{64, 64};
    PromptsMessageSink messages{window.prompts, nullptr};
    TexturePictures pictures;
    RenderCache cache{TestGlyphs(), pictures};
    TempFolder dir{"vm_textures"};
    Scene scene;
    TextObject& a = scene.objects[0];
    TextObject& b = scene.objects[1];
};

TEST_F(Textures, GoodFileBecomesOneRgbaTextureOfItsSize) {
    const std::string path = SolidBmp("green.bmp", 64, 64, {0, 255, 0});
    const auto picture = pictures.Load(path, path, messages);
    ASSERT_NE(picture, nullptr);
    const uint32_t first = UploadTexture(picture->image);
    ASSERT_NE(first, 0u);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<uint32_t>(bound), first);
    EXPECT_EQ(Level0(GL_TEXTURE_WIDTH), 64);
    EXPECT_EQ(Level0(GL_TEXTURE_HEIGHT), 64);
    EXPECT_EQ(Level0(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
    EXPECT_EQ(FirstTexel(first, 64, 64), (Rgb{0, 255, 0}));
    const uint32_t second = UploadTexture(pictures.Load(path, path, messages)->image);
    EXPECT_NE(second, first);
    EXPECT_TRUE(window.prompts.messages.empty());
    const GLuint names[2] = {first, second};
    glDeleteTextures(2, names);
}

TEST_F(Textures, RefusedFilesShowTheirMessageUnderBmpToRgbAndMakeNoTexture) {
    GLint boundBefore = -1;
    const std::string good = SolidBmp("good.bmp", 64, 64, {1, 2, 3});
    ASSERT_TRUE(LoadObjectTexture(a, good, pictures, messages));
    const uint32_t kept = cache.Texture(a);
    ASSERT_NE(kept, 0u);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundBefore);
    EXPECT_FALSE(
        LoadObjectTexture(b, SolidBmp("wide.bmp", 100, 64, {1, 2, 3}), pictures, messages));
    EXPECT_FALSE(LoadObjectTexture(b, SolidBmp("tiny.bmp", 4, 4, {1, 2, 3}), pictures, messages));
    EXPECT_FALSE(LoadObjectTexture(b, (dir / "absent.bmp").string(), pictures, messages));
    EXPECT_EQ(cache.Texture(b), 0u);
    ASSERT_EQ(window.prompts.messages.size(), 3u);
    EXPECT_EQ(window.prompts.messages[0].text, texts::kBadBitmapSize);
    EXPECT_EQ(window.prompts.messages[1].text, texts::kBadBitmapSize);
    EXPECT_EQ(window.prompts.messages[2].text, texts::kBmpOpenFailed);
    for (const RecordedMessage& message : window.prompts.messages) {
        EXPECT_EQ(message.caption, "BMP to RGB");
        EXPECT_EQ(message.owner, nullptr);
    }
    // A refused file creates no texture: the binding is still the good one.
    GLint boundAfter = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundAfter);
    EXPECT_EQ(boundAfter, boundBefore);
}

TEST_F(Textures, ParametersAreLinearObjectLinearAndModulate) {
    ASSERT_TRUE(LoadObjectTexture(a, SolidBmp("p.bmp", 8, 8, {9, 9, 9}), pictures, messages));
    ASSERT_NE(cache.Texture(a), 0u);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &value);
    EXPECT_EQ(value, GL_OBJECT_LINEAR);
    glGetTexGeniv(GL_T, GL_TEXTURE_GEN_MODE, &value);
    EXPECT_EQ(value, GL_OBJECT_LINEAR);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_MODULATE);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_T));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));  // switched per object by the renderer
}

TEST_F(Textures, PictureStandsUprightOnAFaceDrawnInGlyphCoordinates) {
    // 16 x 8: a transposed or scrambled layout cannot pass for the right one.
    const std::string path = WriteBmp("corner.bmp", bmp_samples::Make24(16, 8, MarkedCorner));
    ASSERT_TRUE(LoadObjectTexture(a, path, pictures, messages));
    const std::vector<uint8_t> rows = TexImage(cache.Texture(a), 16, 8);
    // Row 0 is the picture's bottom row; the last row starts with the red corner.
    EXPECT_EQ(rows[0], 40);
    EXPECT_EQ(rows[7 * 48 + 0], 255);
    EXPECT_EQ(rows[7 * 48 + 1], 0);

    // One em of a glyph face, x and y from 0 to 1, filling the window.
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1, 1, 1);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, cache.Texture(a));
    glEnable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(1, 0);
    glVertex2f(1, 1);
    glVertex2f(0, 1);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    const int w = window.width();
    const int h = window.height();
    // Sampled an eighth in from the edges: linear filtering with repeat blends the borders.
    const auto topLeft = window.Pixel(w / 8, h / 8);
    const auto bottomLeft = window.Pixel(w / 8, h - 1 - h / 8);
    const auto topRight = window.Pixel(w - 1 - w / 8, h / 8);
    EXPECT_GT(topLeft.r, 200);
    EXPECT_LT(topLeft.g, 40);
    EXPECT_NEAR(bottomLeft.r, 40, 8);
    EXPECT_NEAR(topRight.r, 200, 8);
    if (HasFailure()) {
        window.SaveImage((dir.path().parent_path() / "vm_texture_upright.ppm").string());
    }
}

TEST_F(Textures, ObjectsKeepTheirOwnTexturesAndReplacingDeletesTheOldOne) {
    const std::string red = SolidBmp("red.bmp", 32, 32, {255, 0, 0});
    const std::string blue = SolidBmp("blue.bmp", 32, 32, {0, 0, 255});
    ASSERT_TRUE(LoadObjectTexture(a, red, pictures, messages));
    ASSERT_TRUE(LoadObjectTexture(b, blue, pictures, messages));
    DrawFrame();
    EXPECT_NE(cache.Texture(a), cache.Texture(b));
    EXPECT_EQ(a.TextureFile(), red);
    EXPECT_EQ(FirstTexel(cache.Texture(a), 32, 32), (Rgb{255, 0, 0}));
    EXPECT_EQ(FirstTexel(cache.Texture(b), 32, 32), (Rgb{0, 0, 255}));

    const uint32_t old = cache.Texture(a);
    ASSERT_TRUE(LoadObjectTexture(a, blue, pictures, messages));
    DrawFrame();
    EXPECT_FALSE(glIsTexture(old));
    EXPECT_EQ(a.TextureFile(), blue);
    EXPECT_EQ(cache.Texture(a), cache.Texture(b)) << "one picture, one texture";

    DeleteObjectTexture(a, messages);
    EXPECT_EQ(cache.Texture(a), 0u);
    EXPECT_EQ(a.TextureFile(), "");
    DrawFrame();
    EXPECT_TRUE(glIsTexture(cache.Texture(b)));
    EXPECT_EQ(FirstTexel(cache.Texture(b), 32, 32), (Rgb{0, 0, 255}));
    EXPECT_TRUE(window.prompts.messages.empty());

    DeleteObjectTexture(a, messages);
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_EQ(window.prompts.messages[0].text, "テクスチャは読み込まれていません");
    EXPECT_EQ(window.prompts.messages[0].caption, "");
}

TEST_F(Textures, FailedLoadOntoAnObjectLeavesItWithoutTexture) {
    ASSERT_TRUE(LoadObjectTexture(a, SolidBmp("ok.bmp", 8, 8, {5, 5, 5}), pictures, messages));
    DrawFrame();
    const uint32_t old = cache.Texture(a);
    EXPECT_FALSE(
        LoadObjectTexture(a, SolidBmp("bad.bmp", 100, 100, {5, 5, 5}), pictures, messages));
    EXPECT_EQ(cache.Texture(a), 0u);
    EXPECT_EQ(a.TextureFile(), "");
    DrawFrame();
    EXPECT_FALSE(glIsTexture(old));
}

TEST_F(Textures, AfterAContextIsGoneTheStoredPictureIsUploadedAgain) {
    const std::string path = SolidBmp("wood.bmp", 16, 16, {120, 80, 40});
    EXPECT_EQ(cache.Texture(a), 0u);

    a.SetTextureFile(path);
    LoadObjectTextureFromPath(a, "", pictures, messages);
    const uint32_t first = cache.Texture(a);
    ASSERT_NE(first, 0u);
    // As when the context goes: its names die with it, the cache only forgets them.
    cache.Abandon();
    glDeleteTextures(1, &first);
    fs::remove(path);
    EXPECT_NE(cache.Texture(a), 0u);
    EXPECT_EQ(a.TextureFile(), path);
    EXPECT_EQ(FirstTexel(cache.Texture(a), 16, 16), (Rgb{120, 80, 40}));

    b.SetTextureFile("ab");  // shorter than 3 bytes: nothing is tried
    LoadObjectTextureFromPath(b, "", pictures, messages);
    EXPECT_EQ(cache.Texture(b), 0u);
    EXPECT_TRUE(window.prompts.messages.empty());

    // A stored path whose file has gone: reported, path kept for the next save.
    b.SetTextureFile((dir / "gone.bmp").string());
    LoadObjectTextureFromPath(b, "", pictures, messages);
    EXPECT_EQ(cache.Texture(b), 0u);
    EXPECT_EQ(b.TextureFile(), (dir / "gone.bmp").string());
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_EQ(window.prompts.messages[0].text, texts::kBmpOpenFailed);
}

}  // namespace
