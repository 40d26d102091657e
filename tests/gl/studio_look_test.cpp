// The studio look's pictures, written as PNG files and read back with libpng.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "document/object_texture.h"
#include "formats/image_sink.h"
#include "formats/texture_pictures.h"
#include "render/antialias.h"
#include "render/picture_render.h"
#include "render/render_cache.h"
#include "render/renderer.h"
#include "scene/cp932.h"
#include "scene/surface_material.h"
#include "support/bmp_samples.h"
#include "support/gl_view_setup.h"
#include "support/gl_window.h"
#include "support/png_decode.h"
#include "support/recording_sink.h"
#include "support/test_glyphs.h"
#include "text/glyph_layout.h"

namespace {

namespace fs = std::filesystem;

struct Rgba {
    int r, g, b, a;
    double Luminance() const { return 0.2126 * r + 0.7152 * g + 0.0722 * b; }
};

class StudioLook : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.ready());
        StartView(scene, 1);
        for (int slot = 0; slot < kSlotCount; ++slot) {
            scene.objects[slot].SetIndex(slot);
        }
        TextObject& object = scene.objects[0];
        glyphs.ApplyTextWithFallback(object, Utf8ToCp932("立体ロゴ").value(), sink);
        ASSERT_GT(object.glyphCount, 0);
        object.SetPosition(0.0f, 0.0f, 0.0f);
        object.SetScale(1.5f, 1.5f, 0.3f);
        // Seen a little from above (the elevation counts downwards), so the ground shows.
        scene.view.elevation = -0.25f;
    }
    void TearDown() override {
        renderer.AbandonStudio();
        std::error_code ignored;
        fs::remove(path, ignored);
    }

    // The picture as a PNG file decodes it, top row first.
    std::vector<Rgba> Picture(std::optional<SceneLook> look, bool transparent = false) {
        PictureRequest request;
        request.width = kWidth;
        request.height = kHeight;
        request.level = 4;
        request.transparent = transparent;
        request.look = look;
        ImageWriteStatus status = ImageWriteStatus::kOk;
        auto png = OpenImageFile(path, ImageFileType::kPng,
                                 {kWidth, kHeight, PictureChannels(request)}, {}, status);
        EXPECT_TRUE(png);
        if (!png) {
            return {};
        }
        EXPECT_EQ(RenderPicture(renderer, request, *png), PictureStatus::kOk);
        EXPECT_EQ(png->Finish(), ImageWriteStatus::kOk);
        const DecodedPng decoded = DecodePng(path);
        std::vector<Rgba> pixels;
        for (std::size_t i = 0; i + 3 < decoded.rgba.size(); i += 4) {
            pixels.push_back(
                {decoded.rgba[i], decoded.rgba[i + 1], decoded.rgba[i + 2], decoded.rgba[i + 3]});
        }
        EXPECT_EQ(pixels.size(), static_cast<std::size_t>(kWidth * kHeight));
        return pixels;
    }

    // The spread between the 5th and the 95th percentile of the letters' luminance.
    static double LuminanceSpread(const std::vector<Rgba>& letters) {
        std::vector<double> values;
        for (const Rgba& p : letters) {
            values.push_back(p.Luminance());
        }
        std::sort(values.begin(), values.end());
        if (values.size() < 20) {
            return 0.0;
        }
        return values[values.size() * 95 / 100] - values[values.size() * 5 / 100];
    }

    static constexpr int kWidth = 320;
    static constexpr int kHeight = 200;
    GlTestWindow window{160, 120};
    TexturePictures pictures;
    GlyphLayout glyphs{TestGlyphs()};
    RenderCache cache{TestGlyphs(), pictures};
    Scene scene;
    Renderer renderer{scene, cache};
    RecordingSink sink;
    std::string path =
        (fs::temp_directory_path() / ("vellumark_studio_" + std::to_string(getpid()) + ".png"))
            .string();
};

// Hue in degrees of the mean colour.
double MeanHue(const std::vector<Rgba>& pixels) {
    double r = 0, g = 0, b = 0;
    for (const Rgba& p : pixels) {
        r += p.r;
        g += p.g;
        b += p.b;
    }
    return std::atan2(std::sqrt(3.0) * (g - b), 2.0 * r - g - b) * 180.0 / M_PI;
}

// The classic look lights a flat front face evenly: its pixels are those of the letters' most
// common colour there.
std::vector<bool> FrontFaces(const std::vector<Rgba>& classic) {
    std::map<int, int> counts;
    const auto key = [](const Rgba& p) { return (p.r << 16) | (p.g << 8) | p.b; };
    for (const Rgba& p : classic) {
        if (std::min({p.r, p.g, p.b}) < 235) {
            ++counts[key(p)];
        }
    }
    std::vector<bool> front(classic.size(), false);
    if (counts.empty()) {
        return front;
    }
    const int mode = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                         return a.second < b.second;
                     })->first;
    for (std::size_t i = 0; i < classic.size(); ++i) {
        front[i] = key(classic[i]) == mode;
    }
    return front;
}

TEST_F(StudioLook, GoldReflectsTheStudioAndStaysGold) {
    TextObject& object = scene.objects[0];
    object.surface = PresetSurface(MaterialPreset::kGold);
    const std::vector<Rgba> classic = Picture(SceneLook::kClassic);
    const std::vector<Rgba> studio = Picture(SceneLook::kStudio);
    const std::vector<bool> front = FrontFaces(classic);
    std::vector<Rgba> classicFront, studioFront;
    for (std::size_t i = 0; i < front.size() && i < studio.size(); ++i) {
        if (front[i]) {
            classicFront.push_back(classic[i]);
            studioFront.push_back(studio[i]);
        }
    }
    ASSERT_GT(studioFront.size(), 2000u);
    const double spread = LuminanceSpread(studioFront);
    EXPECT_GT(spread, LuminanceSpread(classicFront) + 40.0) << "a gradient across the front faces";
    const double hue = MeanHue(studioFront);
    EXPECT_GT(hue, 25.0);
    EXPECT_LT(hue, 60.0);
    const auto grey = std::count_if(studioFront.begin(), studioFront.end(), [](const Rgba& p) {
        return p.r - p.b < 30 && p.Luminance() > 40;
    });
    EXPECT_LT(grey, static_cast<long>(studioFront.size() / 20)) << "gold, not grey, everywhere";
}

TEST_F(StudioLook, WhiteRoughTextIsNotClippedToWhite) {
    TextObject& object = scene.objects[0];
    object.surface = PresetSurface(MaterialPreset::kMatte);
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    std::copy(white, white + 4, object.diffuse);
    scene.backgroundColor[0] = scene.backgroundColor[1] = scene.backgroundColor[2] = 0.0f;
    std::vector<Rgba> lit;
    for (const Rgba& p : Picture(std::nullopt)) {
        if (p.Luminance() > 30) {
            lit.push_back(p);
        }
    }
    ASSERT_GT(lit.size(), 2000u) << "the scene's own look is classic: drawn as before";
    scene.studio.look = SceneLook::kStudio;
    lit.clear();
    for (const Rgba& p : Picture(std::nullopt)) {
        if (p.Luminance() > 30) {
            lit.push_back(p);
        }
    }
    ASSERT_GT(lit.size(), 2000u);
    const auto clipped =
        std::count_if(lit.begin(), lit.end(), [](const Rgba& p) { return p.Luminance() >= 254; });
    EXPECT_LT(clipped, static_cast<long>(lit.size() / 100));
    EXPECT_GT(LuminanceSpread(lit), 40.0) << "the faces are shaded apart";
}

TEST_F(StudioLook, TransparentPictureCarriesTheShadowInItsAlpha) {
    scene.shadow.enabled = 1;
    scene.studio.shadowSoftness = 128;
    scene.studio.ambientOcclusion = true;
    // The letters stand on the ground, the light above and in front of them.
    const float plane[4] = {0.0f, 1.0f, 0.0f, 0.0f};
    std::copy(plane, plane + 4, scene.shadow.plane);
    const std::vector<Rgba> picture = Picture(SceneLook::kStudio, true);
    ASSERT_EQ(picture.size(), static_cast<std::size_t>(kWidth * kHeight));
    std::set<int> shadowLevels;
    int opaque = 0;
    for (const Rgba& p : picture) {
        if (p.a > 0 && p.a < 250) {
            shadowLevels.insert(p.a);
        }
        opaque += p.a == 255;
    }
    EXPECT_GT(opaque, 1500) << "the letters are opaque";
    EXPECT_GT(shadowLevels.size(), 40u) << "a soft, partly transparent shadow";
    for (const int x : {0, kWidth - 1}) {
        for (const int y : {0, kHeight - 1}) {
            EXPECT_EQ(picture[static_cast<std::size_t>(y) * kWidth + x].a, 0)
                << "far from the shadow at " << x << "," << y;
        }
    }
}

// The letters' faint mirror image lies on the ground below them, and the letters cover it.
TEST_F(StudioLook, TheGroundReflectsTheLettersBelowThem) {
    scene.shadow.enabled = 1;
    scene.objects[0].surface = PresetSurface(MaterialPreset::kGold);
    const float plane[4] = {0.0f, 1.0f, 0.0f, 0.0f};
    std::copy(plane, plane + 4, scene.shadow.plane);
    const std::vector<Rgba> plain = Picture(SceneLook::kStudio);
    scene.studio.groundReflection = true;
    const std::vector<Rgba> reflecting = Picture(SceneLook::kStudio);
    ASSERT_EQ(plain.size(), reflecting.size());
    const auto gold = [](const Rgba& p) { return p.r - p.b > 60; };
    int lowestLetterRow = -1;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        if (gold(plain[i])) {
            lowestLetterRow = std::max(lowestLetterRow, static_cast<int>(i / kWidth));
        }
    }
    ASSERT_GT(lowestLetterRow, 0);
    int mirrored = 0;
    int changedLetters = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const Rgba& a = plain[i];
        const Rgba& b = reflecting[i];
        const bool changed = std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 12;
        if (changed && static_cast<int>(i / kWidth) > lowestLetterRow && b.r - b.b > a.r - a.b) {
            ++mirrored;
        }
        changedLetters += changed && gold(a) && gold(b) && a.Luminance() > 120;
    }
    EXPECT_GT(mirrored, 300) << "a yellowish image below the letters";
    EXPECT_LT(changedLetters, 50) << "the letters themselves as before";
}

TEST_F(StudioLook, ATexturedSurfaceTakesItsPicturesColour) {
    const auto blue = [](const std::vector<Rgba>& pixels) {
        return std::count_if(pixels.begin(), pixels.end(),
                             [](const Rgba& p) { return p.b > p.r + 60 && p.b > p.g + 30; });
    };
    const long plain = blue(Picture(SceneLook::kStudio));
    const std::string bmp = path + ".bmp";
    {
        const std::vector<uint8_t> bytes = bmp_samples::Make24(8, 8, [](int, int) {
            return bmp_samples::Rgb{40, 90, 230};
        });
        std::ofstream(bmp, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    ASSERT_TRUE(LoadObjectTexture(scene.objects[0], bmp, pictures, sink));
    const long textured = blue(Picture(SceneLook::kStudio));
    fs::remove(bmp);
    EXPECT_LT(plain, 20);
    EXPECT_GT(textured, 500);
}

TEST_F(StudioLook, ARequestForTheClassicLookDrawsTheClassicPicture) {
    scene.shadow.enabled = 1;
    const std::vector<Rgba> classic = Picture(std::nullopt);
    scene.studio.look = SceneLook::kStudio;
    const std::vector<Rgba> studio = Picture(std::nullopt);
    const std::vector<Rgba> asked = Picture(SceneLook::kClassic);
    ASSERT_EQ(classic.size(), asked.size());
    EXPECT_TRUE(
        std::equal(classic.begin(), classic.end(), asked.begin(), [](const Rgba& a, const Rgba& b) {
            return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
        }));
    EXPECT_FALSE(std::equal(classic.begin(), classic.end(), studio.begin(),
                            [](const Rgba& a, const Rgba& b) { return a.r == b.r && a.g == b.g; }));
}

// The window's frame: the studio look with the guides drawn into its depth, then the antialiased
// preview of the same view.
TEST_F(StudioLook, TheViewShowsTheLookWithItsGuides) {
    scene.studio.look = SceneLook::kStudio;
    scene.view.showGuides = 1;
    scene.objects[0].surface = PresetSurface(MaterialPreset::kGold);
    const auto isLetter = [](GlTestWindow::Rgb p) { return p.r > 60 && p.b < p.r - 40; };
    const auto isGuide = [](GlTestWindow::Rgb p) { return p.r < 30 && p.g < 30 && p.b < 30; };
    renderer.RenderScene(0);
    const int letters = window.CountPixels(isLetter);
    EXPECT_GT(letters, 500);
    EXPECT_GT(window.CountPixels(isGuide), 60);
    // The letters' depth stays in the frame, where the editing aids drawn later meet it.
    const std::vector<GlTestWindow::Rgb> frame = window.ReadAll();
    const auto letter = std::find_if(frame.begin(), frame.end(), isLetter);
    ASSERT_NE(letter, frame.end());
    const auto at = static_cast<int>(letter - frame.begin());
    float depth = 1.0f;
    glReadPixels(at % window.width(), window.height() - 1 - at / window.width(), 1, 1,
                 GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_LT(depth, 0.999f);
    EXPECT_TRUE(isGuide(window.Pixel(3, window.height() / 2)) ||
                isGuide(window.Pixel(3, window.height() / 2 - 1)))
        << "the horizontal guide at the left edge";
    {
        AntialiasRender preview(renderer, 4);
        for (int pass = 0; pass < preview.passCount(); ++pass) {
            preview.RunPass(pass);
        }
    }
    EXPECT_NEAR(window.CountPixels(isLetter), letters, letters / 5);
    EXPECT_EQ(window.CountPixels(isGuide), 0) << "the preview shows no editing aids";
    if (HasFailure()) {
        window.SaveImage("studio_view.ppm");
    }
}

}  // namespace
