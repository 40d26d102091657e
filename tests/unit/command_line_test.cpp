#include "app/command_line.h"

#include <gtest/gtest.h>

namespace {

using Action = CommandLine::Action;

TEST(CommandLine, FirstFileIsTheSceneAndToolkitOptionsArePassedOverWithTheirValues) {
    const CommandLine line =
        ParseCommandLine({"--display", ":1", "--bogus", "a.vmk", "--name=x", "b.vmk", "--sync"});
    EXPECT_EQ(line.action, Action::kRun);
    EXPECT_EQ(line.scenePath, "a.vmk");
    EXPECT_EQ(line.ignored, (std::vector<std::string>{"--bogus", "b.vmk"}));
    EXPECT_EQ(ParseCommandLine({"--", "-dash.vmk"}).scenePath, "-dash.vmk");
    EXPECT_EQ(ParseCommandLine({}).scenePath, "");
}

TEST(CommandLine, HelpAndVersionEndTheReadingWhereverTheyStand) {
    EXPECT_EQ(ParseCommandLine({"x.vmk", "--version", "--help"}).action, Action::kVersion);
    EXPECT_EQ(ParseCommandLine({"--bogus", "--help"}).action, Action::kHelp);
    EXPECT_EQ(ParseCommandLine({"--", "--help"}).action, Action::kRun);
}

}  // namespace
