#pragma once
// Filled glyph outlines kept per (font, character), so repeated characters, rebuilt objects,
// depth changes and reopened scenes skip the outline and tessellation work.

#include <memory>

#include "text/outline_glyph.h"

// nullptr when the character cannot be built (see BuildGlyphOutline).
std::shared_ptr<const GlyphOutline> CachedGlyphOutline(const ResolvedFont& font,
                                                       char32_t character);
// The inset front face of a cached outline, kept per (font, character, width, steps).
std::shared_ptr<const BevelledFace> CachedBevelledFace(const ResolvedFont& font, char32_t character,
                                                       const GlyphOutline& outline,
                                                       const BevelSettings& bevel);
// The character's solid at this depth with this bevel, from cached outlines and insets.
GlyphMesh CachedGlyphSolid(const ResolvedFont& font, char32_t character,
                           const GlyphOutline& outline, float depth, const BevelSettings& bevel);
void ClearGlyphOutlineCache();
