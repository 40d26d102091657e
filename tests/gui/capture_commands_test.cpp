// Captures on the real window: the whole view and a dragged region to BMP, JPEG and PNG, a
// picture of a chosen size, the file dialogs, and every way a capture can fail.
#include <GL/gl.h>
#include <wx/event.h>
#include <wx/spinctrl.h>
#include <wx/testing.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/command_dispatch.h"
#include "app/toolbar.h"
#include "dialogs/animation_dialog.h"
#include "dialogs/sized_capture_dialog.h"
#include "formats/bmp_writer.h"
#include "gui/shell_fixture.h"
#include "render/capture.h"
#include "resources/texts.h"
#include "support/command_output.h"
#include "support/jpeg_decode.h"
#include "support/png_decode.h"
#include "support/temp_folder.h"
#include "support/test_geometry.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t Le(const std::vector<uint8_t>& bytes, std::size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    }
    return value;
}

// A written BMP file's pixels as top-down packed RGB, the layout ReadFramePixels gives.
struct BmpFile {
    explicit BmpFile(const fs::path& path) : bytes(ReadAll(path)) {
        if (bytes.size() < 54) {
            return;
        }
        width = static_cast<int32_t>(Le(bytes, 18, 4));
        height = static_cast<int32_t>(Le(bytes, 22, 4));
        fileSize = Le(bytes, 2, 4);
        const uint32_t rowBytes = BmpRowBytes(width);
        if (bytes.size() != 54 + static_cast<std::size_t>(rowBytes) * height) {
            return;
        }
        for (int32_t y = 0; y < height; ++y) {
            const std::size_t row = 54 + static_cast<std::size_t>(height - 1 - y) * rowBytes;
            for (int32_t x = 0; x < width; ++x) {
                const std::size_t at = row + static_cast<std::size_t>(x) * 3;
                rgb.insert(rgb.end(), {bytes[at + 2], bytes[at + 1], bytes[at]});
            }
        }
    }
    std::vector<uint8_t> bytes;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t fileSize = 0;
    std::vector<uint8_t> rgb;
};

// The RGB of a decoded PNG, the layout ReadFramePixels gives.
std::vector<uint8_t> Rgb(const DecodedPng& png) {
    std::vector<uint8_t> rgb;
    for (std::size_t i = 0; i < png.rgba.size(); i += 4) {
        rgb.insert(rgb.end(), png.rgba.begin() + i, png.rgba.begin() + i + 3);
    }
    return rgb;
}

double MeanDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size() || a.empty()) {
        return 255.0;
    }
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum += std::abs(a[i] - b[i]);
    }
    return sum / static_cast<double>(a.size());
}

// Stands in for the user of a picture dialog: sets its controls, then closes it.
template <class Dialog>
class AnswerDialog : public wxExpectModalBase<Dialog, AnswerDialog<Dialog>> {
  public:
    AnswerDialog(int closeId, std::function<void(Dialog&)> act)
        : closeId_(closeId), act_(std::move(act)) {}

  protected:
    int OnInvoked(Dialog* dialog) const override {
        act_(*dialog);
        return closeId_;
    }

  private:
    int closeId_;
    std::function<void(Dialog&)> act_;
};
using AnswerSizedCapture = AnswerDialog<SizedCaptureDialog>;

void SetSide(wxDialog& dialog, int id, int value) {
    wxDynamicCast(dialog.FindWindow(id), wxSpinCtrl)->SetValue(value);
}

class CaptureCommands : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        // Plain frames, so the file can be compared with a frame rendered again.
        settings.antialias = 0;
        UseSquares();
        MakeSquareObject(scene->objects[0]);
        scene->objects[0].SetPosition(0.0f, -0.5f, 0.0f);
        scene->view.showGuides = 1;
    }

    // Lets the view paint until done() holds, then runs what the paint left for later.
    bool PaintUntil(const std::function<bool()>& done) {
        frame->viewPort().InvalidateView();
        wxStopWatch watch;
        while (!done() && watch.Time() < 10000) {
            wxTheApp->Yield(true);
            wxMilliSleep(2);
        }
        wxTheApp->Yield(true);
        return done();
    }
    bool PaintPendingCapture() {
        return PaintUntil([this] { return frame->ui().mouse.capturePending == 0; });
    }

    // What the view shows in the region, rendered afresh.
    std::vector<uint8_t> ViewPixels(const ClientRect& region) {
        EXPECT_TRUE(frame->viewPort().MakeCurrent());
        frame->viewPort().renderer().RenderScene(0);
        const wxSize size = frame->viewPort().canvas()->GetClientSize();
        return ReadFramePixels(region, size.x, size.y).rgb;
    }

    void Mouse(wxEventType type, int x, int y) {
        wxMouseEvent event(type);
        event.m_x = x;
        event.m_y = y;
        event.SetEventObject(frame->viewPort().canvas());
        frame->viewPort().canvas()->GetEventHandler()->ProcessEvent(event);
    }

    void Answer(const fs::path& path, int filterIndex = 0) {
        prompts.fileAnswers.push_back({true, path.string(), filterIndex});
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const RecordedMessage& message : prompts.messages) {
            texts.push_back(message.text);
        }
        return texts;
    }

    TempFolder dir{"vm_capture"};
};

TEST_F(CaptureCommands, WholeViewBecomesABmpOfTheCanvasAsShown) {
    scene->currentObject = 0;
    scene->objects[0].highlighted = 1;
    Answer(dir / "view");
    DispatchCommand(frame->context(), 40024);
    EXPECT_EQ(scene->currentObject, -1);
    EXPECT_EQ(scene->objects[0].highlighted, 0);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const FileRequest& request = prompts.fileRequests[0];
    EXPECT_TRUE(request.save);
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(request.title, "現在のシーンを保存(名前を付けて保存)");
    EXPECT_EQ(
        request.wildcard,
        "ビットマップファイル (*.bmp)|*.bmp|JPEGファイル (*.jpg)|*.jpg|PNGファイル (*.png)|*.png");
    EXPECT_EQ(request.filterIndex, 0);
    EXPECT_EQ(request.initialPath, "");
    EXPECT_EQ(frame->ui().mouse.capturePending, 1);

    ASSERT_TRUE(PaintPendingCapture());
    const wxSize size = frame->viewPort().canvas()->GetClientSize();
    const BmpFile bmp(dir / "view.bmp");
    ASSERT_EQ(bmp.width, size.x);
    ASSERT_EQ(bmp.height, size.y);
    EXPECT_EQ(bmp.fileSize, 54 + BmpRowBytes(size.x) * static_cast<uint32_t>(size.y));
    EXPECT_EQ(bmp.rgb, ViewPixels({0, 0, size.x, size.y}));
    EXPECT_EQ(settings.captureType, kCaptureBmp);
    EXPECT_TRUE(prompts.messages.empty());

    // The name is not kept for the next capture; cancelling that one changes nothing.
    DispatchCommand(frame->context(), 40024);
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_EQ(prompts.fileRequests[1].initialPath, "");
    EXPECT_EQ(frame->ui().mouse.capturePending, 0);
}

TEST_F(CaptureCommands, AfterNoToReplacingTheDialogShowsTheNameWithItsFiltersExtension) {
    { std::ofstream(dir / "cj.jpg") << "older"; }
    Answer(dir / "cj", 1);
    prompts.messageAnswers.push_back(MessageAnswer::kNo);
    DispatchCommand(frame->context(), 40024);
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_EQ(prompts.fileRequests[1].filterIndex, 1);
    EXPECT_EQ(prompts.fileRequests[1].initialPath, (dir / "cj.jpg").string());
    EXPECT_EQ(frame->ui().mouse.capturePending, 0);
}

TEST_F(CaptureCommands, JpegFilterWritesAJpegWhateverTheNameSays) {
    Answer(dir / "shot", 1);
    DispatchCommand(frame->context(), 40024);
    ASSERT_TRUE(PaintPendingCapture());
    const wxSize size = frame->viewPort().canvas()->GetClientSize();
    const DecodedJpeg jpeg = DecodeJpeg(dir / "shot.jpg");
    ASSERT_TRUE(jpeg.ok);
    EXPECT_EQ(jpeg.width, size.x);
    EXPECT_EQ(jpeg.height, size.y);
    EXPECT_EQ(settings.captureType, kCaptureJpeg);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages[0].text;

    // The type follows the filter, not the typed extension; BMP is still proposed first.
    Answer(dir / "named.bmp", 1);
    DispatchCommand(frame->context(), 40024);
    EXPECT_EQ(prompts.fileRequests[1].filterIndex, 0);
    ASSERT_TRUE(PaintPendingCapture());
    const std::vector<uint8_t> bytes = ReadAll(dir / "named.bmp");
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xD8);

    Answer(dir / "again.bmp", 0);
    DispatchCommand(frame->context(), 40024);
    EXPECT_EQ(settings.captureType, kCaptureBmp);
}

TEST_F(CaptureCommands, DraggedRegionWritesExactlyThatRegion) {
    DispatchCommand(frame->context(), 40073);
    EXPECT_EQ(frame->ui().mouse.regionArmed, 1);
    Answer(dir / "region.bmp");
    Mouse(wxEVT_LEFT_DOWN, 300, 200);
    Mouse(wxEVT_MOTION, 200, 120);
    Mouse(wxEVT_MOTION, 100, 50);
    EXPECT_EQ(frame->ui().mouse.rubberBand, 1);
    Mouse(wxEVT_LEFT_UP, 100, 50);
    EXPECT_EQ(frame->ui().mouse.rubberBand, 0);
    EXPECT_EQ(frame->ui().mouse.capturePending, 1);
    // Unlocked at the release; the object buttons stay grey.
    EXPECT_TRUE(frame->GetMenuBar()->IsEnabledTop(0));
    EXPECT_TRUE(ToolEnabled(40024));
    EXPECT_FALSE(ToolEnabled(40012));

    ASSERT_TRUE(PaintPendingCapture());
    const BmpFile bmp(dir / "region.bmp");
    ASSERT_EQ(bmp.width, 200);
    ASSERT_EQ(bmp.height, 150);
    EXPECT_EQ(bmp.fileSize, 54u + 600u * 150u);
    EXPECT_EQ(bmp.rgb, ViewPixels({100, 50, 300, 200}));
    EXPECT_EQ(frame->ui().mouse.captureRect.right, 0);
}

TEST_F(CaptureCommands, RegionWithoutAreaIsRefusedBeforeAnyFileIsAskedFor) {
    DispatchCommand(frame->context(), 40073);
    Mouse(wxEVT_LEFT_DOWN, 120, 80);
    Mouse(wxEVT_LEFT_UP, 120, 80);
    EXPECT_TRUE(prompts.fileRequests.empty());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{texts::kCaptureEmptyRegion});
    EXPECT_EQ(frame->ui().mouse.capturePending, 0);
    EXPECT_TRUE(frame->GetMenuBar()->IsEnabledTop(0));
    EXPECT_TRUE(fs::is_empty(dir));

    // A drag along one line has no area either.
    DispatchCommand(frame->context(), 40073);
    Mouse(wxEVT_LEFT_DOWN, 120, 80);
    Mouse(wxEVT_MOTION, 200, 80);
    Mouse(wxEVT_LEFT_UP, 200, 80);
    EXPECT_TRUE(prompts.fileRequests.empty());
    EXPECT_EQ(prompts.messages.size(), 2u);
}

TEST_F(CaptureCommands, CancelledRegionDialogCapturesNothingAndUnlocks) {
    DispatchCommand(frame->context(), 40073);
    Mouse(wxEVT_LEFT_DOWN, 10, 10);
    Mouse(wxEVT_MOTION, 60, 60);
    Mouse(wxEVT_LEFT_UP, 60, 60);
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(frame->ui().mouse.capturePending, 0);
    for (const int command : kShellButtonCommands) {
        EXPECT_TRUE(ToolEnabled(command)) << command;
    }
    PaintUntil([] { return true; });
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(CaptureCommands, UnwritableFileIsReportedAndLeavesNothingBehind) {
    const fs::path target = dir / "missing" / "view.bmp";
    Answer(target);
    DispatchCommand(frame->context(), 40024);
    ASSERT_TRUE(PaintPendingCapture());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text,
              std::string(texts::kCaptureWriteFailed) + "\n" + target.string());
    EXPECT_EQ(prompts.messages[0].owner, frame);
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(CaptureCommands, NameCompletedWithItsExtensionAsksBeforeReplacingAFile) {
    std::ofstream(dir / "keep.bmp") << "precious";
    Answer(dir / "keep");
    prompts.messageAnswers.push_back(MessageAnswer::kNo);
    DispatchCommand(frame->context(), 40024);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, (dir / "keep.bmp").string() + texts::kReplaceQuestion);
    EXPECT_EQ(frame->ui().mouse.capturePending, 0);
    EXPECT_EQ(ReadAll(dir / "keep.bmp").size(), 8u);

    Answer(dir / "keep");
    prompts.messageAnswers.push_back(MessageAnswer::kYes);
    DispatchCommand(frame->context(), 40024);
    ASSERT_TRUE(PaintPendingCapture());
    EXPECT_GT(ReadAll(dir / "keep.bmp").size(), 54u);
}

TEST_F(CaptureCommands, AntialiasedCaptureHasMixedColoursAlongEdges) {
    settings.antialias = 1;
    settings.antialiasLevel = 4;
    scene->view.showGuides = 0;
    Answer(dir / "smooth.bmp");
    DispatchCommand(frame->context(), 40024);
    ASSERT_TRUE(PaintPendingCapture());
    const BmpFile smooth(dir / "smooth.bmp");
    const std::vector<uint8_t> plain = ViewPixels({0, 0, smooth.width, smooth.height});
    ASSERT_EQ(smooth.rgb.size(), plain.size());
    // The plain frame has the background and the square's one lit colour only.
    auto countColours = [](const std::vector<uint8_t>& rgb) {
        std::vector<uint32_t> seen;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
            const uint32_t colour = rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2];
            if (std::find(seen.begin(), seen.end(), colour) == seen.end()) {
                seen.push_back(colour);
            }
        }
        return seen.size();
    };
    EXPECT_LE(countColours(plain), 2u);
    EXPECT_GT(countColours(smooth.rgb), 2u);
}

TEST_F(CaptureCommands, PngFilterWritesARealPngOfTheCanvasAsShown) {
    Answer(dir / "view", 2);
    DispatchCommand(frame->context(), 40024);
    ASSERT_TRUE(PaintPendingCapture());
    EXPECT_EQ(settings.captureType, kCapturePng);
    const wxSize size = frame->viewPort().canvas()->GetClientSize();
    const DecodedPng png = DecodePng((dir / "view.png").string());
    ASSERT_EQ(png.width, size.x);
    ASSERT_EQ(png.height, size.y);
    EXPECT_FALSE(png.hasAlpha);
    EXPECT_EQ(Rgb(png), ViewPixels({0, 0, size.x, size.y}));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(CaptureCommands, SizedCaptureOfTheViewsSizeMatchesTheView) {
    scene->view.showGuides = 0;
    scene->currentObject = 0;
    scene->objects[0].highlighted = 1;
    const wxSize size = frame->viewPort().canvas()->GetClientSize();
    Answer(dir / "sized");
    wxTEST_DIALOG(DispatchCommand(frame->context(), 40075),
                  AnswerSizedCapture(wxID_OK, [&](SizedCaptureDialog& dialog) {
                      EXPECT_EQ(dialog.GetTitle().utf8_string(), "サイズを指定してキャプチャ");
                      const SizedCaptureChoice offered = dialog.choice();
                      EXPECT_EQ(offered.width, size.x);
                      EXPECT_EQ(offered.height, size.y);
                      EXPECT_EQ(offered.level, 1) << "antialiasing is off in the preferences";
                      EXPECT_FALSE(offered.transparent);
                  }));
    EXPECT_EQ(scene->objects[0].highlighted, 0);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(prompts.fileRequests[0].wildcard,
              "PNGファイル (*.png)|*.png|ビットマップファイル (*.bmp)|*.bmp|JPEGファイル "
              "(*.jpg)|*.jpg");
    EXPECT_EQ(prompts.fileRequests[0].filterIndex, 0);
    EXPECT_TRUE(prompts.messages.empty());

    const DecodedPng png = DecodePng((dir / "sized.png").string());
    ASSERT_EQ(png.width, size.x);
    ASSERT_EQ(png.height, size.y);
    EXPECT_FALSE(png.hasAlpha);
    // Drawn again afterwards in the view's own viewport and projection: the picture was drawn
    // without disturbing them.
    EXPECT_LT(MeanDifference(Rgb(png), ViewPixels({0, 0, size.x, size.y})), 0.5);
}

TEST_F(CaptureCommands, SizedTransparentCaptureIsAPngAndCancelsWriteNothing) {
    const auto ask = [](int closeId) {
        return AnswerSizedCapture(closeId, [](SizedCaptureDialog& dialog) {
            SetSide(dialog, kIdSizedWidth, 300);
            SetSide(dialog, kIdSizedHeight, 150);
            wxDynamicCast(dialog.FindWindow(kIdSizedLevel), wxChoice)->SetSelection(3);
            wxDynamicCast(dialog.FindWindow(kIdSizedTransparent), wxCheckBox)->SetValue(true);
        });
    };
    // Slanted, so that its edges cross pixels.
    scene->objects[0].SetRotation(0.0f, 0.0f, 17.0f);
    wxTEST_DIALOG(DispatchCommand(frame->context(), 40075), ask(wxID_CANCEL));
    EXPECT_TRUE(prompts.fileRequests.empty());
    wxTEST_DIALOG(DispatchCommand(frame->context(), 40075), ask(wxID_OK));
    EXPECT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_TRUE(fs::is_empty(dir));

    // Transparency needs PNG: a BMP is refused and the file asked for again.
    Answer(dir / "clear.bmp", 1);
    Answer(dir / "clear", 0);
    wxTEST_DIALOG(DispatchCommand(frame->context(), 40075), ask(wxID_OK));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{texts::kSizedTransparentNeedsPng});
    ASSERT_EQ(prompts.fileRequests.size(), 3u);
    // Shown again as a PNG under the PNG filter, not as the refused type's name.
    EXPECT_EQ(prompts.fileRequests[2].initialPath, (dir / "clear.png").string());
    EXPECT_EQ(prompts.fileRequests[2].filterIndex, 0);
    EXPECT_FALSE(fs::exists(dir / "clear.bmp"));

    const DecodedPng png = DecodePng((dir / "clear.png").string());
    ASSERT_EQ(png.width, 300);
    ASSERT_EQ(png.height, 150);
    ASSERT_TRUE(png.hasAlpha);
    int clear = 0, solid = 0, partial = 0;
    for (std::size_t i = 3; i < png.rgba.size(); i += 4) {
        clear += png.rgba[i] == 0;
        solid += png.rgba[i] == 255;
        partial += png.rgba[i] > 0 && png.rgba[i] < 255;
    }
    EXPECT_EQ(png.rgba[3], 0) << "a corner is background";
    EXPECT_GT(clear, 300 * 150 / 2);
    EXPECT_GT(solid, 500);
    EXPECT_GT(partial, 20) << "antialiased edges";
}

TEST_F(CaptureCommands, AnimationExportWritesTheChosenMotionAndPutsTheObjectsBack) {
    scene->currentObject = 0;
    scene->objects[0].highlighted = 1;
    scene->objects[0].SetRotation(10.0f, 0.0f, 17.0f);
    const auto ask = [](int closeId) {
        return AnswerDialog<AnimationDialog>(closeId, [](AnimationDialog& dialog) {
            EXPECT_EQ(dialog.GetTitle().utf8_string(), "アニメーションの書き出し");
            wxDynamicCast(dialog.FindWindow(kIdAnimationKind), wxChoice)->SetSelection(1);
            wxDynamicCast(dialog.FindWindow(kIdAnimationSeconds), wxSpinCtrlDouble)->SetValue(0.5);
            SetSide(dialog, kIdAnimationFps, 10);
            SetSide(dialog, kIdAnimationWidth, 64);
            SetSide(dialog, kIdAnimationHeight, 48);
            wxDynamicCast(dialog.FindWindow(kIdAnimationTransparent), wxCheckBox)->SetValue(true);
        });
    };
    wxTEST_DIALOG(DispatchCommand(frame->context(), 40077), ask(wxID_CANCEL));
    EXPECT_TRUE(prompts.fileRequests.empty());

    // Transparency is refused for MP4 and the file asked for again; WebP is offered first.
    Answer(dir / "swing.mp4", 3);
    Answer(dir / "swing", 0);
    wxTEST_DIALOG(DispatchCommand(frame->context(), 40077), ask(wxID_OK));
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{texts::kAnimationTransparentNotMp4});
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    EXPECT_EQ(prompts.fileRequests[0].wildcard.rfind("WebPアニメーション (*.webp)|*.webp|", 0), 0u);
    EXPECT_FALSE(fs::exists(dir / "swing.mp4"));
    EXPECT_EQ(scene->objects[0].highlighted, 0);
    EXPECT_EQ(scene->objects[0].rotation[2], 17.0f);
    EXPECT_FALSE(scene->objects[0].hidden);

    int status = 0;
    const std::string info =
        CommandOutput("webpmux -info '" + (dir / "swing.webp").string() + "'", status);
    EXPECT_EQ(status, 0) << info;
    EXPECT_NE(info.find("Canvas size: 64 x 48"), std::string::npos) << info;
    // Five distinct poses: WebP would merge repeated ones into one longer frame.
    EXPECT_NE(info.find("Number of frames: 5"), std::string::npos) << info;
    EXPECT_NE(info.find("transparency"), std::string::npos) << info;
}

}  // namespace
