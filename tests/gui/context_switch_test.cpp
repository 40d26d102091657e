// Switching antialiasing replaces canvas and context; every object must survive the move.
#include <GL/gl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "document/object_texture.h"
#include "gui/shell_fixture.h"
#include "support/bmp_samples.h"

namespace {

class ContextSwitch : public ShellTest {
  protected:
    void BuildText(int slot, const char* text) {
        frame->context().glyphs().ApplyTextWithFallback(scene->objects[slot], text,
                                                        frame->context().messages());
        ASSERT_GT(scene->objects[slot].glyphCount, 0);
    }
    GLint AccumulationBits() {
        GLint bits = -1;
        glGetIntegerv(GL_ACCUM_RED_BITS, &bits);
        return bits;
    }
    // As the new context's paint asks its cache for them.
    bool AllListsValid(const TextObject& object) {
        for (int i = 0; i < object.glyphCount; ++i) {
            if (!glIsList(frame->viewPort().cache().GlyphList(object, i))) {
                return false;
            }
        }
        return true;
    }
    void SwitchTo(int antialias) {
        settings.antialias = antialias;
        ASSERT_TRUE(frame->SwitchRenderContext(antialias));
        ASSERT_TRUE(frame->viewPort().EnsureViewReady());
    }
};

TEST_F(ContextSwitch, OffAndOnAgainRebuildEveryLiveSlotAndKeepFreeSlotsFree) {
    BuildText(0, "Ab");
    BuildText(5, "\x93\xfa\x96\x7b");  // 日本
    GlView* before = frame->viewPort().canvas();
    EXPECT_GT(AccumulationBits(), 0);

    SwitchTo(0);
    EXPECT_NE(frame->viewPort().canvas(), before);
    EXPECT_EQ(AccumulationBits(), 0);
    EXPECT_FALSE(ToolEnabled(kCmdPreview));
    EXPECT_FALSE(frame->GetMenuBar()->IsEnabled(ToWxId(kCmdPreview)));
    EXPECT_EQ(scene->objects[0].glyphCount, 2);
    EXPECT_EQ(scene->objects[5].glyphCount, 2);
    EXPECT_TRUE(AllListsValid(scene->objects[0]));
    EXPECT_TRUE(AllListsValid(scene->objects[5]));
    EXPECT_EQ(scene->LiveObjectCount(), 2);
    EXPECT_EQ(scene->objects[7].index, 7);

    SwitchTo(1);
    EXPECT_GT(AccumulationBits(), 0);
    EXPECT_TRUE(ToolEnabled(kCmdPreview));
    EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(ToWxId(kCmdPreview)));
    EXPECT_TRUE(AllListsValid(scene->objects[0]));
    EXPECT_TRUE(AllListsValid(scene->objects[5]));
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front().text;
}

TEST_F(ContextSwitch, TheNewContextDrawsTheSceneWithItsSettings) {
    BuildText(0, "H");
    scene->backgroundColor[0] = scene->backgroundColor[1] = scene->backgroundColor[2] = 0.0f;
    SwitchTo(0);
    // Let GTK give the new canvas's window its size before drawing into it.
    for (int i = 0; i < 50 && !frame->viewPort().canvas()->IsShownOnScreen(); ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    wxTheApp->Yield(true);
    ASSERT_TRUE(frame->viewPort().EnsureViewReady());
    frame->viewPort().renderer().RenderScene(0);
    const wxSize size = frame->viewPort().canvas()->GetClientSize();
    unsigned char corner[3] = {255, 255, 255};
    glReadPixels(1, 1, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, corner);
    EXPECT_EQ(corner[0], 0) << "the clear colour follows the scene's background";
    std::vector<unsigned char> pixels(static_cast<size_t>(size.x) * size.y * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, size.x, size.y, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 3) {
        lit += pixels[i] > 60 && pixels[i + 2] < 40 ? 1 : 0;
    }
    EXPECT_GT(lit, 50) << "the yellow letter is drawn from the rebuilt lists";
}

TEST_F(ContextSwitch, RepeatedSwitchesKeepTextsAndTheirTexture) {
    namespace fs = std::filesystem;
    const fs::path bmp =
        fs::temp_directory_path() / ("vm_switch_" + std::to_string(getpid()) + ".bmp");
    const auto bytes = bmp_samples::Make24(16, 16, [](int x, int y) {
        return bmp_samples::Rgb{static_cast<uint8_t>(x * 16), 40, static_cast<uint8_t>(y * 16)};
    });
    std::ofstream(bmp, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    BuildText(0, "Vm");
    BuildText(1, "\x83\x8d\x83\x53");  // ロゴ
    ASSERT_TRUE(LoadObjectTexture(scene->objects[1], bmp.string(), frame->context().pictures(),
                                  frame->context().messages()));

    for (int round = 0; round < 3; ++round) {
        SwitchTo(0);
        SwitchTo(1);
        EXPECT_TRUE(AllListsValid(scene->objects[0])) << round;
        EXPECT_TRUE(AllListsValid(scene->objects[1])) << round;
        const uint32_t texture = frame->viewPort().cache().Texture(scene->objects[1]);
        EXPECT_NE(texture, 0u) << round;
        EXPECT_TRUE(glIsTexture(texture)) << round;
        EXPECT_EQ(scene->objects[1].TextureFile(), bmp.string());
    }
    EXPECT_EQ(scene->LiveObjectCount(), 2);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front().text;
    fs::remove(bmp);
}

TEST_F(ContextSwitch, TheNewCanvasTakesTheKeyboardSoShortcutsKeepWorking) {
    frame->viewPort().canvas()->SetFocus();
    for (const int antialias : {0, 1}) {
        SwitchTo(antialias);
        EXPECT_EQ(wxWindow::FindFocus(), frame->viewPort().canvas()) << antialias;
    }
}

}  // namespace
