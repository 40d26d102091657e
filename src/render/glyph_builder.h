#pragma once
// Turns a text object's CP932 string into one extruded display list per character, in its font.

#include <cstdint>
#include <string_view>
#include <vector>

#include "scene/gpu_resources.h"
#include "scene/message_sink.h"
#include "scene/text_object.h"
#include "text/character_codes.h"
#include "text/glyph_source.h"

struct GlyphMesh;
// Where a builder's display lists live: it makes them, and frees them and the textures of the
// same context. The GL context's own names in the program; a recorder in tests without a display.
class GlyphListTarget : public GpuResourceReleaser {
  public:
    virtual uint32_t NewList() = 0;
    // Fills the list with the solid, followed by the pen advance along +x.
    virtual void Compile(uint32_t list, const GlyphMesh& mesh, float advance) = 0;
};

// Builds text objects' glyph lists into one target from one glyph source. Each object built
// remembers the target as the releaser of its names.
class GlyphBuilder {
  public:
    GlyphBuilder(GlyphSource& source, GlyphListTarget& lists) : source_(source), lists_(lists) {}

    GlyphSource& source() { return source_; }
    GlyphListTarget& lists() { return lists_; }

    // Builds every character's list (glyphCount must be 0). False when any character failed;
    // the failure messages have then been shown once.
    bool BuildGlyphLists(TextObject& object, MessageSink& messages);

    // The calling pattern of every text or font change: free, set, build, and when the build
    // fails, free again and build once more in the default font. The caller invalidates the view.
    void ApplyTextWithFallback(TextObject& object, std::string_view cp932Text,
                               MessageSink& messages);
    void ApplyFontWithFallback(TextObject& object, std::string_view cp932FaceName, int32_t italic,
                               uint8_t charSet, MessageSink& messages);
    // Free and build again without the fallback: after a load, a context re-creation, a depth
    // change.
    bool RebuildGlyphLists(TextObject& object, MessageSink& messages);

  private:
    bool BuildGlyphIn(TextObject& object, uint32_t code, const ResolvedFont* font);
    void BuildWithFallback(TextObject& object, MessageSink& messages);

    GlyphSource& source_;
    GlyphListTarget& lists_;
};
