#include "app/command_arguments.h"

#include "app/render_command.h"

OptionArgument SplitOptionArgument(const std::string& argument) {
    OptionArgument option{argument, std::string(), false};
    const std::size_t equals = argument.find('=');
    if (argument.rfind("--", 0) == 0 && equals != std::string::npos) {
        option.value = argument.substr(equals + 1);
        option.name = argument.substr(0, equals);
        option.hasValue = true;
    }
    return option;
}

bool FailUsage(std::string& error, const char* message, const std::string& subject) {
    error = std::string(message) + ": " + subject;
    return false;
}

int ReportFileError(std::ostream& err, const char* message, const std::string& subject) {
    err << "vellumark: " << message << ": " << subject << '\n';
    return kExitFileError;
}
