#pragma once
// One character of a resolved font as a closed solid in em units, with its metrics.

#include <memory>

#include "render/font_resolver.h"
#include "render/outline_extruder.h"
#include "scene/text_object.h"

struct GlyphGeometry {
    GlyphMesh mesh;
    GlyphMetricsFloat metrics;
};

// nullptr when the font has no glyph for the character or no outline for that glyph.
std::unique_ptr<GlyphGeometry> BuildGlyphGeometry(const ResolvedFont& font, char32_t character,
                                                  float depth);
