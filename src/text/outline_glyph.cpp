#include "text/outline_glyph.h"

#include <algorithm>
#include <limits>

#include FT_OUTLINE_H

namespace {

// The weight FreeType's own synthetic bold adds: a 24th of the em.
FT_Pos EmboldenStrength(FT_Face face) {
    return face->units_per_EM / 24;
}

// The black box of the united outline, which is what the solid covers.
GlyphMetricsFloat MeasureOutline(const std::vector<OutlinePoint>& points, float advance) {
    GlyphMetricsFloat metrics;
    metrics.gmfCellIncX = advance;
    float minX = std::numeric_limits<float>::max(), maxX = std::numeric_limits<float>::lowest();
    float minY = minX, maxY = maxX;
    for (const OutlinePoint& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    if (minX <= maxX) {
        metrics.gmfBlackBoxX = maxX - minX;
        metrics.gmfBlackBoxY = maxY - minY;
        metrics.gmfptGlyphOrigin.x = minX;
        metrics.gmfptGlyphOrigin.y = maxY;
    }
    return metrics;
}

// The glyph's outline in em units, with synthetic bold and slant applied.
bool LoadFlatOutline(const ResolvedFont& font, GlyphId id, FlatOutline& outline, float& advance) {
    FT_Face face = font.face;
    const FT_UInt glyph = id.ByIndex() ? id.Number() : FT_Get_Char_Index(face, id.Number());
    if (glyph == 0 || glyph >= static_cast<FT_UInt>(face->num_glyphs) || face->units_per_EM == 0) {
        return false;
    }
    if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_BITMAP | FT_LOAD_NO_HINTING) !=
            0 ||
        face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
        return false;
    }
    FT_Pos advanceUnits = face->glyph->metrics.horiAdvance;
    if (font.embolden) {
        const FT_Pos strength = EmboldenStrength(face);
        FT_Outline_EmboldenXY(&face->glyph->outline, strength, strength);
        advanceUnits += strength;
    }
    const float unitsToEm = 1.0f / static_cast<float>(face->units_per_EM);
    outline = FlattenOutline(face->glyph->outline, unitsToEm, font.matrix);
    advance = static_cast<float>(advanceUnits) * unitsToEm;
    return true;
}

}  // namespace

std::unique_ptr<GlyphOutline> BuildGlyphOutline(const ResolvedFont& font, GlyphId glyph) {
    FlatOutline outline;
    float advance = 0.0f;
    if (!LoadFlatOutline(font, glyph, outline, advance)) {
        return nullptr;
    }
    auto result = std::make_unique<GlyphOutline>();
    result->face = TessellateOutline(outline);
    if (!result->face.ok) {
        return nullptr;
    }
    result->metrics = MeasureOutline(result->face.vertices, advance);
    return result;
}

GlyphMesh BuildSolid(const FaceTriangulation& face, float depth, const BevelSettings& bevel) {
    return bevel.Active()
               ? ExtrudeBevelled(face,
                                 InsetFace(face, bevel.width, BevelSteps(bevel), bevel.backToo),
                                 depth, bevel)
               : ExtrudeFaces(face, depth);
}

std::unique_ptr<GlyphGeometry> BuildGlyphGeometry(const ResolvedFont& font, char32_t character,
                                                  float depth, const BevelSettings& bevel) {
    const std::unique_ptr<GlyphOutline> outline = BuildGlyphOutline(font, character);
    if (!outline) {
        return nullptr;
    }
    auto geometry = std::make_unique<GlyphGeometry>();
    geometry->mesh = BuildSolid(outline->face, depth, bevel);
    geometry->metrics = outline->metrics;
    return geometry;
}
