#pragma once
// A shown main window on its own scene, with scripted prompts, for the shell's GUI tests.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/debug.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <memory>
#include <string>

#include "app/main_frame.h"
#include "dialogs/command_ids.h"
#include "support/scripted_prompts.h"
#include "support/test_geometry.h"
#include "support/test_glyphs.h"

class ShellTest : public testing::Test {
  protected:
    void SetUp() override {
        // A failed wx check (an unexpected modal dialog included) fails the test instead of
        // waiting for someone to close an assertion box.
        wxSetAssertHandler(&ShellTest::FailOnAssert);
        scene = std::make_unique<Scene>();
        frame = new MainFrame(*scene, settings, prompts, TestGlyphs());
        ASSERT_TRUE(frame->HasRenderContext());
        frame->Show();
        wxStopWatch watch;
        while (!frame->viewPort().EnsureViewReady() && watch.Time() < 10000) {
            wxTheApp->Yield(true);
            wxMilliSleep(5);
        }
        ASSERT_TRUE(frame->viewPort().IsViewReady());
    }

    void TearDown() override {
        if (frame != nullptr && !wxTheApp->IsScheduledForDestruction(frame)) {
            if (squares.square != 0 && frame->viewPort().MakeCurrent()) {
                glDeleteLists(squares.square, 1);
            }
            frame->viewPort().renderer().SetSource(frame->viewPort().cache());
            delete frame;
        }
        // A frame that closed itself waits for the idle time to be deleted.
        wxTheApp->ProcessIdle();
        frame = nullptr;
        wxSetDefaultAssertHandler();
    }

    // Makes a slot live without laying out glyphs: one glyph that draws nothing.
    void MakeLive(int slot, const char* text = "A") {
        scene->objects[slot].SetText(text);
        scene->objects[slot].glyphCount = 1;
    }

    // One frame of the view, as a paint draws it (without the swap).
    void DrawFrame() {
        ASSERT_TRUE(frame->viewPort().MakeCurrent());
        frame->viewPort().renderer().RenderScene(0);
    }

    // The view draws square glyphs (MakeSquareObject) as a unit square from now on.
    void UseSquares() {
        ASSERT_TRUE(frame->viewPort().MakeCurrent());
        squares.square = MakeSquareList();
        squares.behind = &frame->viewPort().cache();
        frame->viewPort().renderer().SetSource(squares);
    }

    bool ToolEnabled(int command) { return frame->toolbar()->GetToolEnabled(ToWxId(command)); }

    static void FailOnAssert(const wxString& file, int line, const wxString& function,
                             const wxString& condition, const wxString& message) {
        ADD_FAILURE() << "wx check failed at " << file << ":" << line << " in " << function << ": "
                      << condition << " " << message;
    }

    std::unique_ptr<Scene> scene;
    AppSettings settings;
    ScriptedPrompts prompts;
    MainFrame* frame = nullptr;
    SquareSource squares;
};
