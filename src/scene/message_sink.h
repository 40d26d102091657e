#pragma once
// How code without a GUI toolkit reports a failure to the user: the shell shows it as a
// message box, tests record it.

#include <string_view>

enum class MessageOwner { kNone, kMainWindow };

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // text and caption are UTF-8.
    virtual void ShowMessage(std::string_view text, std::string_view caption,
                             MessageOwner owner) = 0;
};
