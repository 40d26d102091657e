#pragma once
// The parts of a file-system path, by the separators of the system the program runs on ('/', and
// '\' on Windows too).

#include <cstddef>
#include <string>

// Where the file's name starts: just after the last separator, or 0.
std::size_t FileNameStart(const std::string& path);
// The dot that starts the file name's extension, or npos when the name has none.
std::size_t ExtensionDot(const std::string& path);
// The file name's extension without its dot, in lower case (ASCII); empty when there is none.
std::string LowercaseExtension(const std::string& path);
