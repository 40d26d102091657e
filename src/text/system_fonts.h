#pragma once
// The system's answer to "which font is this face name": fontconfig on Linux (with aliases for
// the Windows Japanese faces), GDI on Windows. Either way FreeType reads the outlines.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/outline_flattener.h"

struct SystemFontMatch {
    // Names the font file for caches: its path, or what the system called it.
    std::string source;
    // The file to open, or empty when the system handed over the file's bytes instead.
    std::string file;
    std::vector<uint8_t> bytes;
    int index = 0;
    // Synthetic bold and slant, where the match asks for them.
    bool embolden = false;
    OutlineMatrix matrix;
};

class SystemFonts {
  public:
    SystemFonts();
    ~SystemFonts();
    SystemFonts(const SystemFonts&) = delete;
    SystemFonts& operator=(const SystemFonts&) = delete;

    // Bold is always asked for. nullopt when nothing scalable matches.
    std::optional<SystemFontMatch> Match(std::string_view utf8Family, int32_t italic,
                                         uint8_t charSet);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

// The font service's name and version, for the about box.
std::string SystemFontServiceVersion();
