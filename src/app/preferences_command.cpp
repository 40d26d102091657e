#include "app/preferences_command.h"

#include "app/main_frame.h"
#include "dialogs/preferences_dialog.h"
#include "render/projection.h"

namespace {

class FramePreferencesHost : public PreferencesHost {
  public:
    explicit FramePreferencesHost(MainFrame& frame) : frame_(frame) {}

    void ApplyPerspective() override {
        if (frame_.EnsureViewReady()) {
            const Scene& scene = frame_.scene();
            ResetProjection(1, scene.backgroundColor, scene.view.perspective);
        }
        frame_.InvalidateView();
    }
    void ApplyBackground() override {
        if (frame_.EnsureViewReady()) {
            const float* background = frame_.scene().backgroundColor;
            glClearColor(background[0], background[1], background[2], 1.0f);
        }
        frame_.InvalidateView();
    }
    bool SwitchAntialiasOn() override { return frame_.SwitchRenderContext(1); }
    bool SwitchAntialiasOff() override { return frame_.SwitchRenderContext(0); }
    bool HasRenderContext() const override { return frame_.HasRenderContext(); }

  private:
    MainFrame& frame_;
};

}  // namespace

void ShowPreferences(MainFrame& frame) {
    FramePreferencesHost host(frame);
    PreferencesDialog dialog(&frame, frame.scene(), frame.settings(), frame.prompts(), host);
    dialog.ShowModal();
}
