#pragma once
// What the picture and animation commands share in reading their arguments and telling of
// failures.

#include <ostream>
#include <string>

// "--name=value" split at its first '='; any other argument is all name.
struct OptionArgument {
    std::string name;
    std::string value;
    bool hasValue = false;
};
OptionArgument SplitOptionArgument(const std::string& argument);

// A usage error: "message: subject" in error; always false.
bool FailUsage(std::string& error, const char* message, const std::string& subject);

// A failure to read or write a file, told on err as the program's line; the exit status for it.
int ReportFileError(std::ostream& err, const char* message, const std::string& subject);
