#include "app/command_context.h"

#include "resources/texts.h"

std::string ComposeTitle(const std::string& suffix) {
    return texts::kTitlePrefix + suffix;
}

void CommandContext::ClearSelection() {
    if (document_.scene.currentObject == -1) {
        return;
    }
    ::ClearSelection(document_.scene);
    DisableObjectButtons();
    InvalidateView();
}
