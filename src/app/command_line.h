#pragma once
// The program's command line, read before the toolkit starts (so --help and --version work
// without a display) and without the toolkit, so that it can be tested and extended alone.

#include <string>
#include <vector>

struct CommandLine {
    enum class Action { kRun, kHelp, kVersion };
    Action action = Action::kRun;
    std::string scenePath;  // the first file named, as given; empty when none
    // Options not known here and files after the first: reported, never fatal.
    std::vector<std::string> ignored;
};

// args: the arguments after the program's name. The toolkit's own options (--display NAME and
// the like) are passed over with their values: the toolkit reads them itself.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// What --help and --version print (UTF-8, each line ended).
std::string UsageText();
std::string VersionText();
