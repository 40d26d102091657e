#pragma once
// Shows the messages of the display-free layers as message boxes.

#include "dialogs/user_prompts.h"
#include "scene/message_sink.h"

class PromptsMessageSink : public MessageSink {
  public:
    PromptsMessageSink(UserPrompts& prompts, wxWindow* mainWindow)
        : prompts_(prompts), mainWindow_(mainWindow) {}
    void ShowMessage(std::string_view text, std::string_view caption, MessageOwner owner) override {
        prompts_.ShowMessage(owner == MessageOwner::kMainWindow ? mainWindow_ : nullptr,
                             std::string(text), std::string(caption), MessageButtons::kOk);
    }

  private:
    UserPrompts& prompts_;
    wxWindow* mainWindow_;
};
