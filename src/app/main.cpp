#include <wx/app.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/animation_command.h"
#include "app/command_line.h"
#include "app/render_command.h"
#include "app/vellumark_app.h"
#include "formats/interrupted_saves.h"
#include "render/display_checks.h"
#include "resources/texts.h"

namespace {

// The scene keeps the path as given; the caption and later saves want it whole.
std::string AbsolutePath(const std::string& path) {
    if (path.empty()) {
        return path;
    }
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(std::filesystem::u8path(path), error);
    return error ? path : absolute.u8string();
}

}  // namespace

int main(int argc, char** argv) {
    PrepareProcessEnvironment();
    RemoveTemporariesWhenInterrupted();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // --help and --version answer first, with or without an output file.
    const CommandLine commandLine = ParseCommandLine(arguments);
    switch (commandLine.action) {
        case CommandLine::Action::kHelp:
            std::fputs(UsageText().c_str(), stdout);
            return 0;
        case CommandLine::Action::kVersion:
            std::fputs(VersionText().c_str(), stdout);
            return 0;
        case CommandLine::Action::kRun:
            break;
    }
    // Pictures and animations are made without the toolkit, so no display is needed.
    if (IsAnimationCommand(arguments)) {
        return AnimationCommandMain(arguments, std::cerr);
    }
    if (IsRenderCommand(arguments)) {
        return RenderCommandMain(arguments, std::cerr);
    }
    for (const std::string& ignored : commandLine.ignored) {
        std::fprintf(stderr, "%s%s\n", texts::kCommandLineIgnored, ignored.c_str());
    }
    // The toolkit would stop on assertions of its own.
    if (!DisplayAvailable()) {
        std::fprintf(stderr, "%s\n", texts::kNoDisplay);
        return 1;
    }
    // The toolkit's own command-line parser would refuse the scene's path and unknown options.
    wxApp::SetInstance(new VellumarkApp(AbsolutePath(commandLine.scenePath)));
    return wxEntry(argc, argv);
}
