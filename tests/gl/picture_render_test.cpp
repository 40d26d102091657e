#include "render/picture_render.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "render/antialias.h"
#include "render/capture.h"
#include "support/gl_view_setup.h"
#include "support/gl_window.h"
#include "support/png_decode.h"
#include "support/temp_folder.h"
#include "support/test_geometry.h"

namespace {

namespace fs = std::filesystem;

// Keeps the rows in memory, as the file writers would receive them.
class MemorySink : public ImageRowSink {
  public:
    bool WriteRows(const uint8_t* rows, int32_t count, std::size_t stride) override {
        for (int32_t i = 0; i < count; ++i) {
            pixels.insert(pixels.end(), rows + i * stride, rows + (i + 1) * stride);
        }
        return true;
    }
    ImageWriteStatus Finish() override { return ImageWriteStatus::kOk; }
    std::vector<uint8_t> pixels;
};

struct Difference {
    double mean = 0;
    int max = 0;
    double large = 0;  // share of values more than 3 apart
};

// RGBA pictures are compared premultiplied: a faint edge's colour may differ, its contribution
// to any composite may not.
Difference Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int channels = 3) {
    Difference d;
    if (a.size() != b.size() || a.empty()) {
        d.max = 256;
        return d;
    }
    const auto value = [channels](const std::vector<uint8_t>& p, std::size_t i) {
        if (channels != 4 || i % 4 == 3) {
            return static_cast<int>(p[i]);
        }
        return (p[i] * p[i - i % 4 + 3] + 127) / 255;
    };
    for (std::size_t i = 0; i < a.size(); ++i) {
        const int delta = std::abs(value(a, i) - value(b, i));
        d.mean += delta;
        d.max = std::max(d.max, delta);
        d.large += delta > 3;
    }
    d.mean /= static_cast<double>(a.size());
    d.large /= static_cast<double>(a.size());
    return d;
}

// A slanted yellow square with its shadow, in a shown 160 x 120 view.
class PictureRenderTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.ready());
        StartView(scene, 1);
        squares.square = MakeSquareList();
        MakeSquareObject(scene.objects[0]);
        scene.objects[0].SetRotation(0, 0, 17);
        scene.objects[0].SetPosition(0, -0.3f, 0);
        scene.shadow.enabled = 1;
        const float shadowColour[3] = {0.2f, 0.3f, 0.6f};
        std::copy(shadowColour, shadowColour + 3, scene.shadow.color);
        const float plane[4] = {0.0f, 0.0f, 1.0f, 0.5f};  // a wall behind the square
        std::copy(plane, plane + 4, scene.shadow.plane);
        renderer.RenderScene(0);
    }
    void TearDown() override { glDeleteLists(squares.square, 1); }

    std::vector<uint8_t> Render(PictureRequest request) {
        MemorySink sink;
        EXPECT_EQ(RenderPicture(renderer, request, sink), PictureStatus::kOk);
        return sink.pixels;
    }

    GlTestWindow window{160, 120};
    Scene scene;
    SquareSource squares;
    Renderer renderer{scene, squares};
    TempFolder dir{"vm_picture"};
};

TEST_F(PictureRenderTest, PngEqualsTheWindowsAntialiasedCaptureOfTheSameSize) {
    {
        AntialiasRender render(renderer, 8);
        for (int pass = 0; pass < render.passCount(); ++pass) {
            render.RunPass(pass);
        }
    }
    const CapturedImage capture = ReadFramePixels({0, 0, 160, 120}, 160, 120);

    const std::string path = (dir / "view.png").string();
    ImageWriteStatus status;
    auto png = OpenImageFile(path, ImageFileType::kPng, {160, 120, 3}, {}, status);
    ASSERT_NE(png, nullptr);
    PictureRequest request;
    request.width = 160;
    request.height = 120;
    ASSERT_EQ(RenderPicture(renderer, request, *png), PictureStatus::kOk);
    ASSERT_EQ(png->Finish(), ImageWriteStatus::kOk);

    const DecodedPng decoded = DecodePng(path);
    ASSERT_EQ(decoded.width, 160);
    ASSERT_EQ(decoded.height, 120);
    EXPECT_FALSE(decoded.hasAlpha);
    std::vector<uint8_t> rgb;
    for (std::size_t i = 0; i < decoded.rgba.size(); i += 4) {
        rgb.insert(rgb.end(), decoded.rgba.begin() + i, decoded.rgba.begin() + i + 3);
    }
    const Difference d = Compare(rgb, capture.rgb);
    EXPECT_LT(d.mean, 1.0) << "max " << d.max;
    // The window's own picture is untouched by the offscreen render.
    EXPECT_EQ(Compare(ReadFramePixels({0, 0, 160, 120}, 160, 120).rgb, capture.rgb).max, 0);
}

TEST_F(PictureRenderTest, TilesShowNoSeamsPlainAndAntialiased) {
    for (const int level : {1, 8}) {
        for (const bool transparent : {false, true}) {
            PictureRequest whole;
            whole.width = 300;
            whole.height = 200;
            whole.level = level;
            whole.transparent = transparent;
            PictureRequest tiled = whole;
            tiled.maxTileWidth = 47;
            tiled.maxTileHeight = 31;
            const Difference d = Compare(Render(whole), Render(tiled), PictureChannels(whole));
            EXPECT_LT(d.mean, 0.05) << "level " << level << " transparent " << transparent;
            EXPECT_LT(d.large, 0.001) << "level " << level << " transparent " << transparent;
        }
    }
}

TEST_F(PictureRenderTest, TransparentPictureKeepsEdgeColoursAndTheShadow) {
    const std::string path = (dir / "clear.png").string();
    ImageWriteStatus status;
    auto png = OpenImageFile(path, ImageFileType::kPng, {160, 120, 4}, {}, status);
    ASSERT_NE(png, nullptr);
    PictureRequest request;
    request.width = 160;
    request.height = 120;
    request.transparent = true;
    ASSERT_EQ(RenderPicture(renderer, request, *png), PictureStatus::kOk);
    ASSERT_EQ(png->Finish(), ImageWriteStatus::kOk);
    const DecodedPng picture = DecodePng(path);
    ASSERT_EQ(picture.width, 160);
    ASSERT_TRUE(picture.hasAlpha);
    auto at = [&](int x, int y) {
        return &picture.rgba[(static_cast<std::size_t>(y) * 160 + x) * 4];
    };
    EXPECT_EQ(at(0, 0)[3], 0);
    EXPECT_EQ(at(80, 55)[3], 255) << "inside the square";

    // The square is yellow: red and green high, blue low, at every alpha. Blending its edges
    // with the black of the clear would darken them in proportion to their alpha.
    double partialGreen = 0, solidGreen = 0;
    int partial = 0, solid = 0, shadow = 0;
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
        const uint8_t* p = &picture.rgba[i];
        const bool yellow = p[1] > p[2] + 40;
        if (p[3] == 255 && yellow) {
            solidGreen += p[1];
            ++solid;
        } else if (p[3] > 20 && p[3] < 235 && yellow) {
            partialGreen += p[1];
            ++partial;
        }
        shadow += p[3] == 255 && std::abs(p[0] - 51) < 3 && std::abs(p[2] - 153) < 3;
    }
    ASSERT_GT(partial, 40);
    ASSERT_GT(solid, 400);
    EXPECT_GT(partialGreen / partial, 0.85 * solidGreen / solid);
    EXPECT_GT(shadow, 200) << "the shadow keeps its colour and is opaque";
}

TEST_F(PictureRenderTest, ProgressCanCancel) {
    MemorySink sink;
    PictureRequest request;
    request.width = 100;
    request.height = 100;
    request.maxTileHeight = 40;
    int64_t calls = 0;
    const auto stopAtThird = [&](int64_t done, int64_t total) {
        EXPECT_EQ(total, 3 * 8);
        return ++calls < 3 && done == calls;
    };
    EXPECT_EQ(RenderPicture(renderer, request, sink, stopAtThird), PictureStatus::kCancelled);
    EXPECT_EQ(calls, 3);
    EXPECT_TRUE(sink.pixels.empty()) << "no band was finished";
}

}  // namespace
