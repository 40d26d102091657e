#pragma once

#include <string>

// The text and font libraries this program draws with, as "FreeType 2.12.1, fontconfig 2.14.1".
std::string FontLibraryVersions();
