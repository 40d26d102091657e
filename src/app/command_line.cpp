#include "app/command_line.h"

#include <string_view>

#include "resources/texts.h"

namespace {

// GTK's and GDK's options; those in the first list take a value, as "--name VALUE" or
// "--name=VALUE".
constexpr std::string_view kToolkitValueOptions[] = {
    "--display",   "--class",        "--name",      "--gtk-module",
    "--gtk-debug", "--gtk-no-debug", "--gdk-debug", "--gdk-no-debug"};
constexpr std::string_view kToolkitFlags[] = {"--sync", "--g-fatal-warnings"};

bool IsOneOf(std::string_view name, const std::string_view* begin, const std::string_view* end) {
    for (const std::string_view* option = begin; option != end; ++option) {
        if (*option == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        if (!isOption) {
            if (line.scenePath.empty() && !arg.empty()) {
                line.scenePath = arg;
            } else {
                line.ignored.push_back(arg);
            }
            continue;
        }
        const std::string_view name = std::string_view(arg).substr(0, arg.find('='));
        const bool hasValue = name.size() != arg.size();
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            line.action = CommandLine::Action::kHelp;
            return line;
        } else if (arg == "--version") {
            line.action = CommandLine::Action::kVersion;
            return line;
        } else if (IsOneOf(name, std::begin(kToolkitValueOptions),
                           std::end(kToolkitValueOptions))) {
            i += hasValue ? 0 : 1;
        } else if (!IsOneOf(name, std::begin(kToolkitFlags), std::end(kToolkitFlags))) {
            line.ignored.push_back(arg);
        }
    }
    return line;
}

std::string UsageText() {
    // The window's options, then the picture files made without one.
    return std::string(texts::kCommandLineUsage) + "\n" + texts::kCliUsage;
}

std::string VersionText() {
    return std::string(texts::kAboutProgram) + "\n";
}
