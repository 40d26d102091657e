// The antialiased preview on the real window: one modal render at the next paint, nothing
// drawn by paints that arrive meanwhile, a normal paint after it.
#include <GL/gl.h>
#include <wx/testing.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/command_dispatch.h"
#include "dialogs/antialias_dialog.h"
#include "gui/shell_fixture.h"
#include "render/antialias.h"
#include "render/capture.h"
#include "support/test_geometry.h"

namespace {

class PreviewCommand : public ShellTest {
  protected:
    void PaintUntilPreviewDone() {
        frame->viewPort().InvalidateView();
        wxStopWatch watch;
        while (frame->ui().previewRequested == 1 && watch.Time() < 10000) {
            wxTheApp->Yield(true);
            wxMilliSleep(2);
        }
    }

    void PaintFor(long milliseconds) {
        frame->viewPort().InvalidateView();
        for (wxStopWatch watch; watch.Time() < milliseconds; wxMilliSleep(2)) {
            wxTheApp->Yield(true);
        }
    }
};

// How many colours the screen shows over the window's client area, as a screenshot takes it;
// 0 when no screenshot could be taken.
std::size_t ScreenColours(wxWindow* window) {
    const wxSize size = window->GetClientSize();
    const wxPoint at = window->ClientToScreen(wxPoint(0, 0));
    const std::string command = "import -window root -crop " + std::to_string(size.x) + "x" +
                                std::to_string(size.y) + "+" + std::to_string(at.x) + "+" +
                                std::to_string(at.y) + " -depth 8 ppm:- 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return 0;
    }
    int width = 0;
    int height = 0;
    int maximum = 0;
    std::vector<unsigned char> pixels;
    if (std::fscanf(pipe, "P6 %d %d %d", &width, &height, &maximum) == 3 && width == size.x &&
        height == size.y) {
        std::fgetc(pipe);
        pixels.resize(static_cast<std::size_t>(width) * height * 3);
        pixels.resize(std::fread(pixels.data(), 1, pixels.size(), pipe));
    }
    pclose(pipe);
    std::vector<unsigned> seen;
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) {
        const unsigned colour = pixels[i] << 16 | pixels[i + 1] << 8 | pixels[i + 2];
        if (std::find(seen.begin(), seen.end(), colour) == seen.end()) {
            seen.push_back(colour);
        }
    }
    return seen.size();
}

class SeeProgress : public wxExpectModalBase<AntialiasDialog, SeeProgress> {
  public:
    explicit SeeProgress(int& range) : range_(range) {}

  protected:
    int OnInvoked(AntialiasDialog* dialog) const override {
        range_ = dialog->gauge().GetRange();
        return 0;
    }

  private:
    int& range_;
};

TEST_F(PreviewCommand, NextPaintRunsTheProgressWindowAtTheChosenLevel) {
    settings.antialiasLevel = 15;
    scene->currentObject = 1;
    scene->objects[1].highlighted = 1;
    DispatchCommand(frame->context(), 40060);
    EXPECT_EQ(scene->currentObject, -1);
    EXPECT_EQ(frame->ui().previewRequested, 1);
    int range = 0;
    wxTEST_DIALOG(PaintUntilPreviewDone(), SeeProgress(range));
    EXPECT_EQ(range, 15);
    EXPECT_EQ(frame->ui().previewRequested, 0);
}

TEST_F(PreviewCommand, RunsOnceThoughPaintsAreAskedForMeanwhileAndTheNextPaintIsNormal) {
    int runs = 0;
    frame->viewPort().renderer().SetAntialiasRunner([&] {
        ++runs;
        frame->viewPort().InvalidateView();
        for (wxStopWatch watch; watch.Time() < 100; wxMilliSleep(2)) {
            wxTheApp->Yield(true);
        }
    });
    DispatchCommand(frame->context(), 40060);
    PaintUntilPreviewDone();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(frame->ui().previewRequested, 0);
    PaintFor(200);
    EXPECT_EQ(runs, 1);
}

TEST_F(PreviewCommand, PreviewStaysThroughRepaintsUntilTheViewChanges) {
    UseSquares();
    MakeSquareObject(scene->objects[0]);
    settings.antialiasLevel = 4;
    PaintFor(300);
    const std::size_t plain = ScreenColours(frame->viewPort().canvas());
    if (plain == 0) {
        GTEST_SKIP() << "no screenshot tool";
    }
    EXPECT_EQ(plain, 2u);  // background and the lit square
    DispatchCommand(frame->context(), 40060);
    PaintUntilPreviewDone();
    // The progress window's closing uncovers the view and asks for a repaint.
    for (wxStopWatch watch; watch.Time() < 500; wxMilliSleep(2)) {
        wxTheApp->Yield(true);
    }
    EXPECT_GT(ScreenColours(frame->viewPort().canvas()), plain);
    PaintFor(300);
    EXPECT_EQ(ScreenColours(frame->viewPort().canvas()), plain);
}

TEST_F(PreviewCommand, EdgesAverageTheStoredValuesAsPicturesDo) {
    // Black on white at two passes: an edge pixel covered by one pass is the mean of 0 and 255.
    UseSquares();
    TextObject& object = scene->objects[0];
    MakeSquareObject(object);
    object.SetRotation(0.0f, 0.0f, 17.0f);
    for (float* colour : {object.diffuse, object.specular, object.ambient}) {
        colour[0] = colour[1] = colour[2] = 0.0f;
    }
    GLint accumulationBits = 0;
    glGetIntegerv(GL_ACCUM_RED_BITS, &accumulationBits);
    ASSERT_GT(accumulationBits, 0) << "the view's antialiasing context";
    frame->viewPort().renderer().SetAntialiasRunner([&] {
        AntialiasRender render(frame->viewPort().renderer(), 2);
        render.RunPass(0);
        render.RunPass(1);
    });
    frame->viewPort().renderer().RenderScene(1);
    const wxSize size = frame->viewPort().canvas()->GetClientSize();
    const CapturedImage image = ReadFramePixels({0, 0, size.x, size.y}, size.x, size.y);
    std::size_t edges = 0;
    for (const uint8_t value : image.rgb) {
        if (value != 0 && value != 255) {
            ++edges;
            ASSERT_NEAR(value, 127.5, 1.0);
        }
    }
    EXPECT_GT(edges, 0u);
}

}  // namespace
