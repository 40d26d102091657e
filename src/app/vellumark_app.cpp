#include "app/vellumark_app.h"

#include "app/main_frame.h"
#include "app/toolkit_language.h"

bool VellumarkApp::OnInit() {
    // The command line was read before the toolkit started: wxApp::OnInit would parse it again.
    UseJapaneseToolkitTexts();
    prompts_ = std::make_unique<WxUserPrompts>(glyphSource_.fonts());
    auto* frame = new MainFrame(scene_, settings_, *prompts_, glyphSource_);
    if (!frame->HasRenderContext()) {
        // The messages have been shown: the program ends as a normal run does, not as a
        // failed start of the toolkit.
        frame->Destroy();
        CallAfter([this] { ExitMainLoop(); });
        return true;
    }
    frame->Show();
    frame->OpenWhenReady(scenePath_);
    return true;
}
