#pragma once
// One character of a resolved font, in em units: its filled outline and metrics, which do not
// depend on the extrusion depth, and the closed solid made from them.

#include <memory>

#include "scene/text_object.h"
#include "text/font_resolver.h"
#include "text/glyph_id.h"
#include "text/outline_bevel.h"
#include "text/outline_extruder.h"

struct GlyphOutline {
    FaceTriangulation face;
    GlyphMetricsFloat metrics;
};

struct GlyphGeometry {
    GlyphMesh mesh;
    GlyphMetricsFloat metrics;
};

// nullptr when the font has no such glyph (or none for the character) or no outline for it.
std::unique_ptr<GlyphOutline> BuildGlyphOutline(const ResolvedFont& font, GlyphId glyph);
inline std::unique_ptr<GlyphOutline> BuildGlyphOutline(const ResolvedFont& font,
                                                       char32_t character) {
    return BuildGlyphOutline(font, GlyphId::OfCharacter(character));
}
// The closed solid over a face, bevelled when the bevel is active.
GlyphMesh BuildSolid(const FaceTriangulation& face, float depth, const BevelSettings& bevel);
std::unique_ptr<GlyphGeometry> BuildGlyphGeometry(const ResolvedFont& font, char32_t character,
                                                  float depth, const BevelSettings& bevel = {});
