#pragma once
// Answers pickers and message boxes as a test scripts them, and records what was asked.

#include <deque>
#include <string>
#include <vector>

#include "dialogs/user_prompts.h"

struct RecordedMessage {
    wxWindow* owner;
    std::string text;
    std::string caption;
    MessageButtons buttons;
};

class ScriptedPrompts : public UserPrompts {
  public:
    MessageAnswer ShowMessage(wxWindow* owner, const std::string& text, const std::string& caption,
                              MessageButtons buttons, MessageIcon) override {
        messages.push_back({owner, text, caption, buttons});
        if (messageAnswers.empty()) {
            return buttons == MessageButtons::kOk ? MessageAnswer::kOk : MessageAnswer::kCancel;
        }
        const MessageAnswer answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    FileAnswer ChooseFile(wxWindow*, const FileRequest& request) override {
        fileRequests.push_back(request);
        if (fileAnswers.empty()) {
            return {};
        }
        FileAnswer answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    bool ChooseColour(wxWindow*, unsigned char rgb[3]) override {
        ++colourRequests;
        colourPresets.push_back({rgb[0], rgb[1], rgb[2]});
        if (colourAnswers.empty()) {
            return false;
        }
        const auto answer = colourAnswers.front();
        colourAnswers.pop_front();
        for (int i = 0; i < 3; ++i) {
            rgb[i] = answer[i];
        }
        return true;
    }
    FontAnswer ChooseFont(wxWindow*, const FontRequest& request) override {
        fontRequests.push_back(request);
        if (fontAnswers.empty()) {
            return {};
        }
        FontAnswer answer = fontAnswers.front();
        fontAnswers.pop_front();
        return answer;
    }
    NumberAnswer AskNumber(wxWindow*, const NumberRequest& request) override {
        numberRequests.push_back(request);
        if (numberAnswers.empty()) {
            return {};
        }
        const NumberAnswer answer = numberAnswers.front();
        numberAnswers.pop_front();
        return answer;
    }

    std::vector<RecordedMessage> messages;
    std::deque<MessageAnswer> messageAnswers;
    std::vector<FileRequest> fileRequests;
    std::deque<FileAnswer> fileAnswers;
    int colourRequests = 0;
    std::vector<std::vector<unsigned char>> colourPresets;  // what each picker opened on
    std::deque<std::vector<unsigned char>> colourAnswers;
    std::vector<FontRequest> fontRequests;
    std::deque<FontAnswer> fontAnswers;
    std::vector<NumberRequest> numberRequests;
    std::deque<NumberAnswer> numberAnswers;
};
