#pragma once
// Turns a text object's CP932 string into one extruded display list per character, in its font.

#include <cstdint>
#include <string_view>
#include <vector>

#include "scene/message_sink.h"
#include "scene/text_object.h"
#include "text/character_codes.h"

// Builds every character's list (glyphCount must be 0). False when any character failed; the
// failure messages have then been shown once.
bool BuildGlyphLists(TextObject& object, MessageSink& messages);
// Builds the list of one character code into position glyphCount (which it does not change).
bool BuildGlyph(TextObject& object, uint32_t code);

// The calling pattern of every text or font change: free, set, build, and when the build fails,
// free again and build once more in the default font. The caller invalidates the view.
void ApplyTextWithFallback(TextObject& object, std::string_view cp932Text, MessageSink& messages);
void ApplyFontWithFallback(TextObject& object, std::string_view cp932FaceName, int32_t italic,
                           uint8_t charSet, MessageSink& messages);
// Free and build again without the fallback: after a load, a context re-creation, a depth change.
bool RebuildGlyphLists(TextObject& object, MessageSink& messages);

// CodeToUnicode, its answers kept for the process: the builder meets the same codes again and
// again.
char32_t CharacterCodeToUnicode(uint32_t code);

struct GlyphMesh;
// Receives the builder's display lists. The default is the current GL context; tests without
// a display record instead.
class GlyphListTarget {
  public:
    virtual ~GlyphListTarget() = default;
    virtual uint32_t NewList() = 0;
    // Fills the list with the solid, followed by the pen advance along +x.
    virtual void Compile(uint32_t list, const GlyphMesh& mesh, float advance) = 0;
};
// nullptr restores the GL target.
void SetGlyphListTarget(GlyphListTarget* target);
