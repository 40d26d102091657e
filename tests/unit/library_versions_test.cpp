#include "text/library_versions.h"

#include <gtest/gtest.h>

#include <regex>

TEST(LibraryVersions, NamesFreeTypeAndTheSystemFontServiceWithTheirVersionNumbers) {
    EXPECT_TRUE(std::regex_match(
        FontLibraryVersions(),
        std::regex(R"(FreeType [1-9]\d*\.\d+\.\d+, (fontconfig 2\.\d+\.\d+|GDI))")))
        << FontLibraryVersions();
}
