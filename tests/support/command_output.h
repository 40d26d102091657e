#pragma once
// Runs an outside program through the shell and keeps what it printed, for the checkers that
// read exported files.

#include <cstdio>
#include <cstdlib>
#include <string>

// Standard output and error together; status as pclose gives it (0: exit status 0).
inline std::string CommandOutput(const std::string& command, int& status) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    status = pipe != nullptr ? pclose(pipe) : -1;
    return output;
}

// The number after "label ... :" in admesh's report (its first column: the file as read).
inline double AdmeshFigure(const std::string& report, const std::string& label) {
    const std::size_t at = report.find(label);
    const std::size_t colon = at == std::string::npos ? at : report.find_first_of(":=", at);
    return colon == std::string::npos ? -1.0 : std::atof(report.c_str() + colon + 1);
}
