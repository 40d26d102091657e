#pragma once
// Glyph solids kept per (font, character, depth), so repeated characters, rebuilt objects and
// reopened scenes skip the outline work.

#include <memory>

#include "render/outline_glyph.h"

// nullptr when the character cannot be built (see BuildGlyphGeometry).
std::shared_ptr<const GlyphGeometry> CachedGlyphGeometry(const ResolvedFont& font,
                                                         char32_t character, float depth);
void ClearGlyphGeometryCache();
