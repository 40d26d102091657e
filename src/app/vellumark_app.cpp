#include "app/vellumark_app.h"

#include "app/main_frame.h"

bool VellumarkApp::OnInit() {
    // The command line was read before the toolkit started: wxApp::OnInit would parse it again.
    prompts_ = std::make_unique<WxUserPrompts>(glyphSource_.fonts());
    auto* frame = new MainFrame(scene_, settings_, *prompts_, glyphSource_);
    if (!frame->HasRenderContext()) {
        frame->Destroy();
        return false;
    }
    frame->Show();
    frame->OpenWhenReady(scenePath_);
    return true;
}
