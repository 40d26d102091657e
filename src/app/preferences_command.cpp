#include "app/preferences_command.h"

#include "app/command_context.h"
#include "dialogs/preferences_dialog.h"

namespace {

class ContextPreferencesHost : public PreferencesHost {
  public:
    explicit ContextPreferencesHost(CommandContext& context) : context_(context) {}

    void ApplyPerspective() override {
        context_.view().ResetProjectionAtNextPaint();
        context_.InvalidateView();
    }
    void ApplyBackground() override {
        // Each frame clears to the scene's background.
        context_.InvalidateView();
    }
    bool SwitchAntialiasOn() override { return context_.shell().SwitchRenderContext(1); }
    bool SwitchAntialiasOff() override { return context_.shell().SwitchRenderContext(0); }
    bool HasRenderContext() const override { return context_.view().HasRenderContext(); }

  private:
    CommandContext& context_;
};

}  // namespace

void ShowPreferences(CommandContext& context) {
    ContextPreferencesHost host(context);
    PreferencesDialog dialog(context.window(), context.scene(), context.document().settings,
                             context.prompts(), host);
    dialog.ShowModal();
}
