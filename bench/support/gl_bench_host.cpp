#include "support/gl_bench_host.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include <cstdio>

#include "app/gl_view.h"
#include "app/render_context.h"
#include "app/vellumark_app.h"
#include "app/wx_user_prompts.h"

namespace {

bool MakeCurrentOnceShown(RenderContext& context) {
    for (wxStopWatch watch; watch.Time() < 10000; wxMilliSleep(5)) {
        wxTheApp->Yield(true);
        if (context.canvas->IsShownOnScreen() && context.canvas->SetCurrent(*context.context)) {
            return true;
        }
    }
    return false;
}

}  // namespace

int RunWithGlContext(int argc, char** argv, int width, int height, const std::function<int()>& run,
                     int antialias) {
    PrepareProcessEnvironment();
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot start wx (no display?)\n");
        return 1;
    }
    int result = 1;
    {
        FontResolver fonts;
        WxUserPrompts prompts(fonts);
        auto* frame = new wxFrame(nullptr, wxID_ANY, "bench");
        RenderContext context = CreateRenderContext(frame, antialias, prompts);
        if (context.IsValid()) {
            frame->SetClientSize(width, height);
            context.canvas->SetSize(0, 0, width, height);
            frame->Show();
            if (MakeCurrentOnceShown(context)) {
                result = run();
            }
            ReleaseRenderContext(context, frame, prompts);
        }
        frame->Destroy();
        wxTheApp->Yield(true);
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
