#pragma once
// Keeps the texts of the messages a display-free layer reports, for the test to look at.

#include <string>
#include <string_view>
#include <vector>

#include "scene/message_sink.h"

class RecordingSink : public MessageSink {
  public:
    void ShowMessage(std::string_view text, std::string_view, MessageOwner) override {
        texts.emplace_back(text);
    }
    std::vector<std::string> texts;
};
