// The antialiased preview on the real window: one modal render at the next paint, nothing
// drawn by paints that arrive meanwhile, a normal paint after it.
#include <wx/testing.h>

#include "app/command_dispatch.h"
#include "dialogs/antialias_dialog.h"
#include "gui/shell_fixture.h"

namespace {

class PreviewCommand : public ShellTest {
  protected:
    void PaintUntilPreviewDone() {
        frame->InvalidateView();
        wxStopWatch watch;
        while (frame->previewRequested == 1 && watch.Time() < 10000) {
            wxTheApp->Yield(true);
            wxMilliSleep(2);
        }
    }

    void PaintFor(long milliseconds) {
        frame->InvalidateView();
        for (wxStopWatch watch; watch.Time() < milliseconds; wxMilliSleep(2)) {
            wxTheApp->Yield(true);
        }
    }
};

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
    DispatchCommand(*frame, 40060);
    EXPECT_EQ(scene->currentObject, -1);
    EXPECT_EQ(frame->previewRequested, 1);
    int range = 0;
    wxTEST_DIALOG(PaintUntilPreviewDone(), SeeProgress(range));
    EXPECT_EQ(range, 15);
    EXPECT_EQ(frame->previewRequested, 0);
}

TEST_F(PreviewCommand, RunsOnceThoughPaintsAreAskedForMeanwhileAndTheNextPaintIsNormal) {
    int runs = 0;
    frame->renderer().SetAntialiasRunner([&] {
        ++runs;
        frame->InvalidateView();
        for (wxStopWatch watch; watch.Time() < 100; wxMilliSleep(2)) {
            wxTheApp->Yield(true);
        }
    });
    DispatchCommand(*frame, 40060);
    PaintUntilPreviewDone();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(frame->previewRequested, 0);
    PaintFor(200);
    EXPECT_EQ(runs, 1);
}

}  // namespace
