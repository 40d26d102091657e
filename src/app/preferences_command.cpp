#include "app/preferences_command.h"

#include "app/main_frame.h"
#include "dialogs/preferences_dialog.h"

namespace {

class FramePreferencesHost : public PreferencesHost {
  public:
    explicit FramePreferencesHost(MainFrame& frame) : frame_(frame) {}

    void ApplyPerspective() override {
        frame_.ResetProjectionAtNextPaint();
        frame_.InvalidateView();
    }
    void ApplyBackground() override {
        // Each frame clears to the scene's background.
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
