#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/prompts_message_sink.h"
#include "formats/bmp_writer.h"
#include "render/capture.h"
#include "support/gl_window.h"
#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// Four coloured quadrants, so a flipped or shifted capture cannot match.
void DrawQuadrants() {
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 2, 0, 2, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const float colours[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}};
    for (int q = 0; q < 4; ++q) {
        const float x = static_cast<float>(q % 2);
        const float y = static_cast<float>(q / 2);
        glColor3fv(colours[q]);
        glRectf(x, y, x + 1, y + 1);
    }
    glEnable(GL_LIGHTING);
    glEnable(GL_DEPTH_TEST);
}

class CapturePixels : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(window.ready());
        DrawQuadrants();
    }
    static std::vector<uint8_t> Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    GlTestWindow window{120, 80};
    AppSettings settings;
    TempFolder dir{"vm_capture_gl"};
};

TEST_F(CapturePixels, RegionDraggedBackwardsIsWrittenAsTheViewShowedIt) {
    const std::string path = (dir / "region.bmp").string();
    const int w = window.width();
    const int h = window.height();
    // From bottom-right to top-left across the middle of the view.
    const CaptureStatus status =
        CaptureFrame({w - 10, h - 5, 7, 3}, w, h, {path, kCaptureBmp, ""}, settings);
    ASSERT_EQ(status, CaptureStatus::kOk);
    const std::vector<uint8_t> file = Slurp(path);
    const int cw = w - 17;
    const int ch = h - 8;
    const uint32_t rowBytes = BmpRowBytes(cw);
    ASSERT_EQ(file.size(), 54u + rowBytes * ch);
    for (int y = 0; y < ch; y += 3) {
        for (int x = 0; x < cw; x += 3) {
            const GlTestWindow::Rgb shown = window.Pixel(7 + x, 3 + y);
            const uint8_t* stored = &file[54 + (ch - 1 - y) * rowBytes + x * 3];
            ASSERT_EQ(stored[2], shown.r) << x << "," << y;
            ASSERT_EQ(stored[1], shown.g) << x << "," << y;
            ASSERT_EQ(stored[0], shown.b) << x << "," << y;
        }
    }
    EXPECT_TRUE(window.prompts.messages.empty());
}

TEST_F(CapturePixels, WholeViewIsTakenWithNoStripCutOff) {
    const CapturedImage image =
        ReadFramePixels({0, 0, window.width(), window.height()}, window.width(), window.height());
    ASSERT_EQ(image.height, window.height());
    // Blue quadrant at the top left, red at the bottom left.
    EXPECT_EQ(image.rgb[0], 0);
    EXPECT_EQ(image.rgb[2], 255);
    const std::size_t bottomLeft = static_cast<std::size_t>(image.height - 1) * image.width * 3;
    EXPECT_EQ(image.rgb[bottomLeft], 255);
    EXPECT_EQ(image.rgb[bottomLeft + 1], 0);
}

TEST_F(CapturePixels, PartsOfADragOutsideTheViewStayBlack) {
    const CapturedImage image = ReadFramePixels({-4, -4, 4, 4}, window.width(), window.height());
    ASSERT_EQ(image.width, 8);
    EXPECT_EQ(image.rgb[0] + image.rgb[1] + image.rgb[2], 0);
    const std::size_t inside = (5 * 8 + 5) * 3;
    EXPECT_EQ(image.rgb[inside + 2], 255);  // blue quadrant
}

}  // namespace
