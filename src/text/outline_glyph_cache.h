#pragma once
// Filled glyph outlines kept per (font, character), so repeated characters, rebuilt objects,
// depth changes and reopened scenes skip the outline and tessellation work.

#include <memory>

#include "text/outline_glyph.h"

// nullptr when the character cannot be built (see BuildGlyphOutline).
std::shared_ptr<const GlyphOutline> CachedGlyphOutline(const ResolvedFont& font,
                                                       char32_t character);
void ClearGlyphOutlineCache();
